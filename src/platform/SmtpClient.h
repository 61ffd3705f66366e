#pragma once

#include "MailMessage.h"

#include <curl/curl.h>

#include <QObject>
#include <QSet>
#include <QString>

namespace platform {

class BlockingTransfer;

// Sends one message over SMTP through the program's libcurl multi handle.
// send() blocks while the event loop keeps dispatching, so Skip (cancel())
// and the events below run inside it.
//
// Events of one send, in order:
//   open, prepare, [sending, progress..., mailSent], closing, closed
// with, in place of the bracketed part, one of error(message),
// addressRejected(address) or canceled(). closing and closed come only when a
// connection to the server was made (the client then always ends it).
// STARTTLS is used when the server offers it; no proxy is ever used.
class SmtpClient final : public QObject {
    Q_OBJECT

public:
    explicit SmtpClient(QObject* parent = nullptr);
    ~SmtpClient() override;

    // "host" (port 25) or "host:port"; blanks around it are ignored.
    void setServer(const QString& server) { server_ = server; }
    QString server() const { return server_; }

    void setMessage(const MailMessage& message) { message_ = message; }
    const MailMessage& message() const { return message_; }
    MailMessage& message() { return message_; }

    // How long to wait for any one server reply (libcurl's default: 120 s).
    void setResponseTimeout(int seconds) { responseTimeoutSeconds_ = seconds; }

    // True when the server accepted the message. A failure has raised
    // error() or addressRejected() (or canceled() after cancel()) first.
    bool send();
    bool isSending() const { return transfer_ != nullptr; }
    // The text of the last error() event; empty after a successful send.
    QString lastError() const { return lastError_; }

public slots:
    // Stops a running send: canceled() follows and send() returns false.
    // Does nothing when no send runs.
    void cancel();

signals:
    void open();
    void prepare();
    void sending();
    void mailSent();
    void closing();
    void closed();
    void canceled();
    void error(const QString& message);
    void addressRejected(const QString& address);
    void progress(int percent);

private:
    static size_t readCallback(char* buffer, size_t size, size_t count, void* self);
    static curl_socket_t openSocket(void* self, curlsocktype purpose, curl_sockaddr* address);
    static int closeSocket(void* self, curl_socket_t fd);
    static int xferinfoCallback(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int debugCallback(CURL* easy, curl_infotype type, char* data, size_t size, void* self);
    bool fail(const QString& message);

    QString server_;
    MailMessage message_;
    int responseTimeoutSeconds_ = 0;

    BlockingTransfer* transfer_ = nullptr;
    QSet<curl_socket_t> sockets_; // libcurl's sockets of the running send
    QByteArray wire_;
    qsizetype sent_ = 0;
    int lastPercent_ = -1;
    bool dataStarted_ = false;
    bool connected_ = false;
    bool blockingPhase_ = false;
    bool cancelRequested_ = false;
    bool inEvents_ = false;
    QByteArray lastReply_;
    QString lastError_;
};

} // namespace platform
