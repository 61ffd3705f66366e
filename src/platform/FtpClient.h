#pragma once

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>

#include <curl/curl.h>

namespace platform {

class BlockingTransfer;

struct FtpResult {
    bool ok = true;
    int curlCode = 0;  // libcurl's code (42 after abort(), 28 for a 421 reply or a time-out)
    int replyCode = 0; // the server's reply code when a reply refused the operation (530, 550, 421 ...)
    QString message;   // the error text: the refusing reply line, or libcurl's reason

    explicit operator bool() const { return ok; }
};

// An FTP client on one control connection. logOn, upload and logOff block
// while the Qt event loop keeps dispatching, so abort() and idle() work from
// any slot that runs meanwhile (a Skip button, a timer). The connection stays
// open between operations; after an error or an abort the next operation
// logs on again by itself. Never uses a proxy.
class FtpClient : public QObject {
    Q_OBJECT
public:
    enum Direction { FromClient = 0, FromServer = 1, Info = 2 };
    enum class Mode { Binary, Ascii };

    explicit FtpClient(QObject* parent = nullptr);
    ~FtpClient() override;

    // Connects and logs on (USER, PASS, PWD). An empty user logs on as
    // "anonymous". host is a host name or address (an "ftp://" prefix or a
    // trailing path is ignored).
    FtpResult logOn(const QString& host, int port, const QString& user, const QString& password);

    // Stores localFile as remotePath: a path relative to the log-on folder
    // ("incoming/app.zip", "app.zip") or absolute ("/pub/incoming/app.zip").
    // Ascii sends the text with CR LF line ends whatever ends it had.
    FtpResult upload(const QString& localFile, const QString& remotePath, Mode mode);

    // Sends QUIT on the open connection; does nothing when none is open.
    FtpResult logOff();

    // Ends the operation in progress with curlCode 42; the connection is dropped.
    void abort();
    // Same as abort() for an operation in progress; without one, nothing to do.
    void idle();

    bool isBusy() const { return transfer_ != nullptr; }
    bool isConnected() const { return connected_; }

signals:
    // Protocol trace: the commands sent (with the password as "PASS ****"),
    // the server's reply lines and libcurl's own notes, one line each.
    void trace(int direction, const QString& line);
    void startTransfer();
    void transfer(qint64 bytes);
    void endTransfer();
    // A reply that ends the session (421) during any operation.
    void error(int code, const QString& description);

private:
    static size_t readCallback(char* buffer, size_t size, size_t count, void* self);
    static int xferCallback(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow);
    static int debugCallback(CURL*, curl_infotype type, char* data, size_t size, void* self);

    void startDataConnection();
    void prepare();
    FtpResult perform();
    QByteArray url(const QString& remotePath) const;
    void traceLines(int direction, const QByteArray& text);
    QString masked(QString line) const;

    CURL* easy_ = nullptr;
    BlockingTransfer* transfer_ = nullptr;
    char errorBuffer_[CURL_ERROR_SIZE] = {};

    QString host_;
    int port_ = 21;
    QByteArray user_;
    QByteArray password_;

    bool connected_ = false; // a logged-on connection is cached for reuse
    bool inEvents_ = false;
    bool aborted_ = false;
    QString lastReply_; // the reply to the last command sent
    int lastReplyCode_ = 0;

    // The upload in progress.
    QFile file_;
    QByteArray text_; // Ascii: the whole text, LF line ends
    qint64 textPos_ = 0;
    bool uploading_ = false;
    bool started_ = false;
    bool readFailed_ = false;
    qint64 reported_ = -1;
};

} // namespace platform
