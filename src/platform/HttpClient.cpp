#include "platform/HttpClient.h"

#include "platform/CurlMulti.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

#include <QPointer>
#include <QSaveFile>

namespace platform {

namespace {

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

// libcurl refuses a URL holding blanks or control characters; a value
// expanded into the URL ("My App") must still reach the site.
QByteArray escapeUnsafe(const QByteArray& url) {
    QByteArray out;
    out.reserve(url.size());
    for (const char c : url) {
        const auto byte = static_cast<uchar>(c);
        if (byte <= 0x20 || byte == 0x7F)
            out += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

void append(Slist& list, const QByteArray& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.constData());
    if (grown) {
        (void)list.release();
        list.reset(grown);
    }
}

} // namespace

HttpClient::HttpClient(QObject* parent) : QObject(parent), easy_(curl_easy_init()) {
    CurlMulti::instance(); // also initialises libcurl before its first use
}

HttpClient::~HttpClient() {
    if (transfer_)
        transfer_->stop();
    curl_easy_cleanup(easy_);
}

bool HttpClient::get() {
    return perform(Action::Get);
}

bool HttpClient::post() {
    return perform(Action::Post);
}

void HttpClient::idle() {
    if (transfer_)
        transfer_->stop(static_cast<CURLcode>(StoppedErrorCode));
}

bool HttpClient::perform(Action action) {
    if (action_ != Action::Idle)
        return false;

    succeeded_ = false;
    status_ = 0;
    reason_.clear();
    errorCode_ = 0;
    errorText_.clear();
    connected_ = false;
    started_ = false;
    received_ = 0;
    fileFailed_ = false;
    slotError_ = nullptr;
    errorBuffer_[0] = '\0';

    if (!localFile_.isEmpty()) {
        file_ = std::make_unique<QSaveFile>(localFile_);
        if (!file_->open(QIODevice::WriteOnly)) {
            file_.reset();
            throw FileError::cannotCreate(localFile_);
        }
    }

    curl_easy_reset(easy_);
    const QByteArray url = escapeUnsafe(text::toCp1252(url_));
    const QByteArray userAgent = text::toCp1252(userAgent_);
    const QByteArray proxyHost = text::toCp1252(proxyHost_);
    curl_easy_setopt(easy_, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, userAgent.constData());
    // One connection per request, so that connected and disconnected pair up.
    curl_easy_setopt(easy_, CURLOPT_FORBID_REUSE, 1L);
    // An empty proxy also keeps the environment's proxy variables out; a set
    // one applies to every host, also those the environment exempts.
    curl_easy_setopt(easy_, CURLOPT_PROXY, proxyHost.constData());
    if (!proxyHost.isEmpty()) {
        curl_easy_setopt(easy_, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        curl_easy_setopt(easy_, CURLOPT_PROXYPORT, static_cast<long>(proxyPort_));
        curl_easy_setopt(easy_, CURLOPT_NOPROXY, "");
    }
    if (timeout_ > 0) {
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeout_));
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, static_cast<long>(timeout_));
    }
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &HttpClient::headerCallback);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &HttpClient::writeCallback);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &HttpClient::prereqCallback);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);

    // Without an empty Expect, a body over 1 MiB waits for a "100 Continue"
    // that an HTTP/1.0 server never sends.
    Slist headers;
    append(headers, QByteArrayLiteral("Expect:"));
    const QByteArray body = postData_;
    if (action == Action::Post) {
        if (!contentType_.isEmpty())
            append(headers, "Content-Type: " + text::toCp1252(contentType_));
        curl_easy_setopt(easy_, CURLOPT_POST, 1L);
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body.constData());
    } else {
        curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers.get());

    action_ = action;
    CURLcode code;
    bool stopped;
    {
        BlockingTransfer transfer(easy_);
        transfer_ = &transfer;
        code = transfer.run();
        stopped = transfer.wasStopped();
        transfer_ = nullptr;
    }
    action_ = Action::Idle;
    if (status_ == 0) {
        long status = 0;
        if (curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK)
            status_ = static_cast<int>(status);
    }

    if (slotError_) {
        if (file_)
            file_->cancelWriting();
        file_.reset();
        std::rethrow_exception(std::exchange(slotError_, nullptr));
    }
    if (fileFailed_) {
        file_->cancelWriting();
        file_.reset();
        throw FileError::unableToWrite(localFile_);
    }

    if (stopped) {
        errorCode_ = StoppedErrorCode;
        errorText_ = QStringLiteral("Request stopped");
    } else if (code != CURLE_OK) {
        errorCode_ = code;
        errorText_ = QString::fromLocal8Bit(errorBuffer_[0] ? errorBuffer_ : curl_easy_strerror(code));
    } else if (status_ >= 300) {
        errorCode_ = StatusErrorCode;
        errorText_ = QStringLiteral("151: %1 %2").arg(status_).arg(reason_).trimmed();
    }
    succeeded_ = errorCode_ == 0;

    if (file_) {
        const bool written = succeeded_ ? file_->commit() : (file_->cancelWriting(), true);
        file_.reset();
        if (!written)
            throw FileError::unableToWrite(localFile_);
    }

    if (code == CURLE_OK && started_)
        emit endTransfer();
    if (connected_) {
        if (code == CURLE_OK)
            emit disconnected(0, QStringLiteral("OK"));
        else
            emit disconnected(errorCode_, errorText_);
    }
    if (!succeeded_)
        emit error(errorCode_, errorText_);
    return succeeded_;
}

// Events found inside libcurl's callbacks go out once libcurl has returned;
// a slot that throws ends the request, and get()/post() rethrow.
void HttpClient::deliver(std::function<void()> event) {
    CurlMulti::instance().runOutside([self = QPointer<HttpClient>(this), event = std::move(event)] {
        if (!self || !self->transfer_ || self->transfer_->wasStopped() || self->slotError_)
            return;
        try {
            event();
        } catch (...) {
            if (!self)
                throw;
            self->slotError_ = std::current_exception();
            if (self->transfer_)
                self->transfer_->stop();
        }
    });
}

int HttpClient::prereqCallback(void* self, char*, char*, int, int) {
    auto* client = static_cast<HttpClient*>(self);
    client->connected_ = true;
    client->deliver([client] { emit client->connected(0, QStringLiteral("OK")); });
    return CURL_PREREQFUNC_OK;
}

size_t HttpClient::headerCallback(char* data, size_t size, size_t count, void* self) {
    static_cast<HttpClient*>(self)->onHeaderLine(data, size * count);
    return size * count;
}

size_t HttpClient::writeCallback(char* data, size_t size, size_t count, void* self) {
    return static_cast<HttpClient*>(self)->onBody(data, size * count);
}

void HttpClient::onHeaderLine(const char* data, size_t size) {
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(size)).trimmed();
    if (line.startsWith("HTTP/")) {
        // "HTTP/1.1 302 Found": a later status line (after a 100 Continue or a
        // proxy's tunnel answer) replaces an earlier one.
        const qsizetype codeStart = line.indexOf(' ');
        const qsizetype codeEnd = codeStart < 0 ? -1 : line.indexOf(' ', codeStart + 1);
        const QByteArray code =
            codeStart < 0 ? QByteArray() : line.mid(codeStart + 1, codeEnd < 0 ? -1 : codeEnd - codeStart - 1);
        status_ = code.toInt();
        reason_ = codeEnd < 0 ? QString() : QString::fromLatin1(line.mid(codeEnd + 1)).trimmed();
        if (!started_) {
            started_ = true;
            deliver([this] { emit startTransfer(); });
        }
        return;
    }
    const qsizetype colon = line.indexOf(':');
    if (line.isEmpty() || colon <= 0)
        return;
    const QString field = QString::fromLatin1(line.left(colon)).trimmed();
    const QString value = QString::fromLatin1(line.mid(colon + 1)).trimmed();
    deliver([this, field, value] { emit header(field, value); });
}

size_t HttpClient::onBody(const char* data, size_t size) {
    if (slotError_)
        return CURL_WRITEFUNC_ERROR;
    if (file_ && status_ < 300) {
        if (file_->write(data, static_cast<qint64>(size)) != static_cast<qint64>(size)) {
            fileFailed_ = true;
            return CURL_WRITEFUNC_ERROR;
        }
    }
    received_ += static_cast<qint64>(size);
    const qint64 bytes = received_;
    QByteArray text(data, static_cast<qsizetype>(size));
    deliver([this, bytes, text = std::move(text)] { emit transfer(bytes, text); });
    return size;
}

} // namespace platform
