#include "SmtpClient.h"

#include "CurlMulti.h"
#include "FileError.h"

#include <QCoreApplication>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace platform {

namespace {

// Parses "host" or "host:port" ("[v6]:port" too) into an smtp:// URL.
bool serverUrl(const QString& server, QByteArray& url) {
    QString host = server.trimmed();
    int port = 25;
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    const bool bracketed = host.startsWith(QLatin1Char('['));
    if (colon > 0 && (bracketed ? host.at(colon - 1) == QLatin1Char(']') : host.indexOf(QLatin1Char(':')) == colon)) {
        bool ok = false;
        port = host.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return false;
        host.truncate(colon);
    }
    if (host.isEmpty())
        return false;
    for (QChar c : host)
        if (c.unicode() <= 0x20 || c == QLatin1Char('/') || c == QLatin1Char('@') || c == QLatin1Char('?') ||
            c == QLatin1Char('#'))
            return false;
    url = "smtp://" + host.toUtf8() + ':' + QByteArray::number(port);
    return true;
}

// An envelope address goes into an SMTP command line: nothing that could end
// that line or the angle brackets around it.
bool envelopeSafe(const QString& address) {
    if (address.isEmpty())
        return false;
    for (QChar c : address)
        if (c.unicode() <= 0x20 || c.unicode() == 0x7F || c == QLatin1Char('<') || c == QLatin1Char('>'))
            return false;
    return true;
}

// For error texts that end up in one-line log and report lines.
QString printable(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return text;
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

SmtpClient::SmtpClient(QObject* parent) : QObject(parent) {}

SmtpClient::~SmtpClient() {
    cancel();
}

void SmtpClient::cancel() {
    if (!transfer_)
        return;
    cancelRequested_ = true;
    // Taking a running SMTP transfer out of the multi handle makes libcurl
    // end the message with "." and wait for the reply: the server would
    // accept a cut-off message, or a stalled one keep us for the whole
    // response time-out. With the socket shut first that write fails at once.
    for (curl_socket_t fd : std::as_const(sockets_))
        ::shutdown(fd, SHUT_RDWR);
    transfer_->stop();
}

curl_socket_t SmtpClient::openSocket(void* self, curlsocktype, curl_sockaddr* address) {
    const curl_socket_t fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    if (fd != CURL_SOCKET_BAD)
        static_cast<SmtpClient*>(self)->sockets_.insert(fd);
    return fd;
}

int SmtpClient::closeSocket(void* self, curl_socket_t fd) {
    static_cast<SmtpClient*>(self)->sockets_.remove(fd);
    return ::close(fd);
}

bool SmtpClient::fail(const QString& message) {
    lastError_ = message;
    emit error(message);
    return false;
}

bool SmtpClient::send() {
    if (transfer_)
        return false; // one message at a time
    lastError_.clear();
    wire_.clear();
    sent_ = 0;
    lastPercent_ = -1;
    dataStarted_ = false;
    connected_ = false;
    blockingPhase_ = false;
    cancelRequested_ = false;
    lastReply_.clear();

    // Declared before the handle: libcurl uses them until it is cleaned up.
    char errorBuffer[CURL_ERROR_SIZE] = {};
    QByteArray mailFrom;
    std::unique_ptr<curl_slist, ListDeleter> recipients;
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
        return fail(QStringLiteral("Cannot start the SMTP client"));
    BlockingTransfer transfer(easy.get());
    transfer_ = &transfer;
    struct Reset {
        BlockingTransfer*& ref;
        ~Reset() { ref = nullptr; }
    } reset{transfer_};

    emit open();
    if (transfer.wasStopped()) {
        emit canceled();
        return false;
    }

    const QString from = message_.fromAddress.trimmed();
    const QString to = message_.toAddress.trimmed();
    QByteArray url;
    if (!serverUrl(server_, url))
        return fail(QStringLiteral("Invalid SMTP server: %1").arg(printable(server_)));
    if (!envelopeSafe(from))
        return fail(QStringLiteral("Invalid sender address: %1").arg(printable(from)));
    if (!envelopeSafe(to))
        return fail(QStringLiteral("Invalid recipient address: %1").arg(printable(to)));

    emit prepare();
    try {
        wire_ = message_.toBytes();
    } catch (const FileError& e) {
        return fail(e.message());
    }
    if (transfer.wasStopped()) {
        emit canceled();
        return false;
    }

    mailFrom = '<' + from.toUtf8() + '>';
    recipients.reset(curl_slist_append(nullptr, ('<' + to.toUtf8() + '>').constData()));
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_PROXY, ""); // never a proxy, whatever the environment says
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, mailFrom.constData());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    // A closed connection after each message makes libcurl send QUIT now.
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 60L);
    if (responseTimeoutSeconds_ > 0)
        curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(responseTimeoutSeconds_));
    // The message already has CR LF line ends; libcurl dot-stuffs it.
    curl_easy_setopt(h, CURLOPT_CRLF, 0L);
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &SmtpClient::readCallback);
    curl_easy_setopt(h, CURLOPT_READDATA, this);
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(wire_.size()));
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &SmtpClient::xferinfoCallback);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(h, CURLOPT_OPENSOCKETFUNCTION, &SmtpClient::openSocket);
    curl_easy_setopt(h, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(h, CURLOPT_CLOSESOCKETFUNCTION, &SmtpClient::closeSocket);
    curl_easy_setopt(h, CURLOPT_CLOSESOCKETDATA, this);
    curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, &SmtpClient::debugCallback);
    curl_easy_setopt(h, CURLOPT_DEBUGDATA, this);

    const CURLcode code = transfer.run();

    bool ok = false;
    if (transfer.wasStopped()) {
        emit canceled();
    } else if (code == CURLE_OK) {
        ok = true;
        emit mailSent();
    } else {
        const QString text =
            errorBuffer[0] ? QString::fromUtf8(errorBuffer) : QString::fromUtf8(curl_easy_strerror(code));
        if (text.startsWith(QLatin1String("RCPT failed")))
            emit addressRejected(to);
        else if (text.startsWith(QLatin1String("MAIL failed")))
            emit addressRejected(from);
        else if (!lastReply_.isEmpty() && (lastReply_.startsWith('4') || lastReply_.startsWith('5')))
            fail(text + QStringLiteral(" (") + QString::fromUtf8(lastReply_) + QLatin1Char(')'));
        else
            fail(text);
    }
    if (connected_) {
        emit closing();
        emit closed();
    }
    wire_.clear();
    return ok;
}

size_t SmtpClient::readCallback(char* buffer, size_t size, size_t count, void* self) {
    auto* client = static_cast<SmtpClient*>(self);
    const auto left = static_cast<size_t>(client->wire_.size() - client->sent_);
    const size_t n = std::min(left, size * count);
    std::memcpy(buffer, client->wire_.constData() + client->sent_, n);
    client->sent_ += static_cast<qsizetype>(n);
    if (client->sent_ == client->wire_.size())
        client->blockingPhase_ = true; // libcurl now waits for the final reply

    const bool first = !client->dataStarted_;
    client->dataStarted_ = true;
    const int percent = client->wire_.isEmpty() ? 100 : static_cast<int>(client->sent_ * 100 / client->wire_.size());
    const bool changed = percent != client->lastPercent_;
    client->lastPercent_ = percent;
    if (first || changed) {
        // Slots may stop the transfer: they run once libcurl has returned.
        CurlMulti::instance().runOutside([client, first, changed, percent] {
            if (first)
                emit client->sending();
            if (changed)
                emit client->progress(percent);
        });
    }
    return n;
}

// libcurl waits for the reply to the end of the message and for the reply
// to QUIT inside its own call, blocking, for up to the response time-out;
// it only calls this about once a second then. Letting the event loop run
// here keeps the window alive and lets Skip reach cancel(). The multi glue
// defers whatever libcurl work such events ask for until libcurl returns.
int SmtpClient::xferinfoCallback(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* client = static_cast<SmtpClient*>(self);
    if (client->cancelRequested_)
        return 1;
    if (client->blockingPhase_ && !client->inEvents_) {
        client->inEvents_ = true;
        QCoreApplication::processEvents();
        client->inEvents_ = false;
    }
    return client->cancelRequested_ ? 1 : 0;
}

int SmtpClient::debugCallback(CURL*, curl_infotype type, char* data, size_t size, void* self) {
    auto* client = static_cast<SmtpClient*>(self);
    if (type == CURLINFO_HEADER_OUT && size >= 4 && std::memcmp(data, "QUIT", 4) == 0)
        client->blockingPhase_ = true;
    if (type == CURLINFO_HEADER_IN) {
        client->connected_ = true;
        QByteArray line(data, static_cast<qsizetype>(size));
        client->lastReply_ = line.trimmed();
    }
    return 0;
}

} // namespace platform
