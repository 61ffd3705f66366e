#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <curl/curl.h>

#include <exception>
#include <functional>
#include <memory>

class QSaveFile;

namespace platform {

class BlockingTransfer;

// HTTP GET and POST for the submission run, the data file update and the BHS
// dialogs. get() and post() block while the event loop keeps dispatching
// (timers, Skip, Cancel, the client's own events); idle(), called from any
// slot during that wait, stops the request and makes the blocked call return.
//
// Events of one request, in this order:
//   connected(0, "OK")          the connection to the server (or proxy) is up,
//                               just before the request is sent
//   startTransfer()             the status line of the answer arrived
//   header(field, value)        each header line of the answer
//   transfer(bytes, text)       each block of the body as it arrives; bytes is
//                               the body's byte count so far, this block included
//   endTransfer()               the answer arrived whole (also for a status >= 300)
//   disconnected(code, text)    the connection was closed; (0, "OK") when it
//                               ended normally, else the transfer's error
//   error(code, description)    the request failed; get()/post() return false
// The first four fire during the wait; endTransfer, disconnected and error
// fire from get()/post() after the wait, before they return. Each fires only
// when it applies: a refused connection gives error alone.
//
// Failures (error event, errorCode(), errorText()):
//   a final status >= 300    code 151, text "151: " + status + " " + reason
//                            phrase of the status line ("151: 302 Found");
//                            redirects are never followed
//   a network failure        libcurl's code and message (7 for a refused
//                            connection, 28 for the time-out, 18 for an answer
//                            cut short, ...)
//   idle() during the wait   code 42, text "Request stopped"
//
// An exception thrown by a slot during the wait stops the request and comes
// out of get()/post(). With a local file set, the body of a successful answer
// is written to it atomically; FileError "Cannot create file %s" or "Unable
// to write to %s" is thrown when that fails, and nothing is left behind.
//
// The body is never held whole: each block goes out through transfer() (and
// into the local file) and is dropped.
class HttpClient final : public QObject {
    Q_OBJECT

public:
    enum class Action { Idle, Get, Post };

    static constexpr int StatusErrorCode = 151;
    static constexpr int StoppedErrorCode = CURLE_ABORTED_BY_CALLBACK;
    static QString defaultUserAgent() { return QStringLiteral("devSoft's ipwHTTP Component V1.0"); }

    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // The URL goes out as Windows-1252 bytes, as the program's texts are;
    // blanks and control characters in it are sent %-escaped ("%20").
    void setUrl(const QString& url) { url_ = url; }
    QString url() const { return url_; }
    // The body of post(), sent byte for byte; get() sends none.
    void setPostData(const QByteArray& data) { postData_ = data; }
    QByteArray postData() const { return postData_; }
    // Sent as Content-Type with post() (none by default).
    void setContentType(const QString& type) { contentType_ = type; }
    QString contentType() const { return contentType_; }
    void setUserAgent(const QString& agent) { userAgent_ = agent; }
    QString userAgent() const { return userAgent_; }
    // HTTP proxy; an empty host means a direct connection, whatever the
    // environment's proxy variables say. When set it is used for every host.
    void setProxyHost(const QString& host) { proxyHost_ = host; }
    QString proxyHost() const { return proxyHost_; }
    void setProxyPort(quint16 port) { proxyPort_ = port; }
    quint16 proxyPort() const { return proxyPort_; }
    // Empty (the default): the body only goes to transfer().
    void setLocalFile(const QString& path) { localFile_ = path; }
    QString localFile() const { return localFile_; }
    // Gives up when connecting, or when no byte moves, for this many seconds
    // (error 28). 0, the default, leaves the bound to the caller's timer.
    void setTimeout(int seconds) { timeout_ = seconds; }
    int timeout() const { return timeout_; }

    // Perform the request and return when it has ended: true when the answer
    // came whole with a status below 300. A call made while a request is in
    // progress returns false at once and changes nothing.
    bool get();
    bool post();
    // Stops the request in progress, if any (see above).
    void idle();
    Action action() const { return action_; }

    // Outcome of the last request.
    bool succeeded() const { return succeeded_; }
    int statusCode() const { return status_; } // 0 when no status line came
    QString reasonPhrase() const { return reason_; }
    int errorCode() const { return errorCode_; } // 0 after success
    QString errorText() const { return errorText_; }

signals:
    void connected(int code, const QString& description);
    void disconnected(int code, const QString& description);
    void startTransfer();
    void header(const QString& field, const QString& value);
    void transfer(qint64 bytes, const QByteArray& text);
    void endTransfer();
    void error(int code, const QString& description);

private:
    bool perform(Action action);
    void deliver(std::function<void()> event);
    void onHeaderLine(const char* data, size_t size);
    size_t onBody(const char* data, size_t size);

    static size_t headerCallback(char* data, size_t size, size_t count, void* self);
    static size_t writeCallback(char* data, size_t size, size_t count, void* self);
    static int prereqCallback(void* self, char*, char*, int, int);

    CURL* easy_;
    QString url_;
    QByteArray postData_;
    QString contentType_;
    QString userAgent_ = defaultUserAgent();
    QString proxyHost_;
    quint16 proxyPort_ = 80;
    QString localFile_;
    int timeout_ = 0;

    Action action_ = Action::Idle;
    BlockingTransfer* transfer_ = nullptr; // set while get()/post() wait
    std::unique_ptr<QSaveFile> file_;
    bool fileFailed_ = false;
    std::exception_ptr slotError_;
    bool connected_ = false;
    bool started_ = false;
    qint64 received_ = 0;
    char errorBuffer_[CURL_ERROR_SIZE] = {};

    bool succeeded_ = false;
    int status_ = 0;
    QString reason_;
    int errorCode_ = 0;
    QString errorText_;
};

} // namespace platform
