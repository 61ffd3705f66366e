#include "platform/FtpClient.h"

#include "platform/CurlMulti.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr long kConnectTimeoutSeconds = 30;
constexpr long kReplyTimeoutSeconds = 60;

QString decodeLine(const QByteArray& bytes) {
    // Servers answer in UTF-8 or in their own 8-bit code page.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// libcurl's notes about its own bookkeeping (some with memory addresses)
// tell the reader of a trace nothing.
bool isBookkeeping(const QByteArray& line) {
    static const char* const notes[] = {"Found bundle for host", "ftp_perform ends with SECONDARY",
                                        "Remembering we are in dir", "Request has same path as previous transfer",
                                        "We are completely uploaded and fine"};
    for (const char* note : notes) {
        if (line.startsWith(note))
            return true;
    }
    return false;
}

bool hasLineBreakOrNul(const QByteArray& text) {
    return text.contains('\r') || text.contains('\n') || text.contains('\0');
}

// Text in ASCII mode goes out with LF turned into CR LF by libcurl, which
// would double an existing CR: bring every line end to a bare LF first.
QByteArray toLfLineEnds(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\r') {
            out.append('\n');
            if (i + 1 < text.size() && text.at(i + 1) == '\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

FtpResult failure(const QString& message, int curlCode = 0, int replyCode = 0) {
    FtpResult result;
    result.ok = false;
    result.curlCode = curlCode;
    result.replyCode = replyCode;
    result.message = message;
    return result;
}

} // namespace

FtpClient::FtpClient(QObject* parent) : QObject(parent), easy_(curl_easy_init()) {}

FtpClient::~FtpClient() {
    if (transfer_)
        transfer_->stop();
    // A connection left open stays in the shared multi handle's cache, which
    // closes it in the end; it keeps no reference to this handle.
    curl_easy_cleanup(easy_);
}

FtpResult FtpClient::logOn(const QString& host, int port, const QString& user, const QString& password) {
    if (transfer_)
        return failure(QStringLiteral("The FTP client is busy"));
    QString name = host.trimmed();
    if (name.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive))
        name = name.mid(6);
    name = name.section(QLatin1Char('/'), 0, 0);
    if (name.count(QLatin1Char(':')) == 1) {
        bool numeric = false;
        const int given = name.section(QLatin1Char(':'), 1).toInt(&numeric);
        if (numeric) {
            port = given;
            name = name.section(QLatin1Char(':'), 0, 0);
        }
    }
    if (name.isEmpty())
        return failure(QStringLiteral("No FTP server given"));
    host_ = name;
    port_ = port > 0 && port <= 65535 ? port : 21;
    user_ = user.isEmpty() ? QByteArrayLiteral("anonymous") : user.toUtf8();
    password_ = password.toUtf8();
    // A line break would let the text smuggle further commands to the server.
    if (hasLineBreakOrNul(user_) || hasLineBreakOrNul(password_)) {
        user_.clear();
        password_.clear();
        host_.clear();
        return failure(QStringLiteral("The user name or password holds a line break"));
    }

    prepare();
    const QByteArray address = url(QString());
    curl_easy_setopt(easy_, CURLOPT_URL, address.constData());
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    return perform();
}

FtpResult FtpClient::upload(const QString& localFile, const QString& remotePath, Mode mode) {
    if (transfer_)
        return failure(QStringLiteral("The FTP client is busy"));
    if (host_.isEmpty())
        return failure(QStringLiteral("Not logged on"));
    if (remotePath.isEmpty() || remotePath.endsWith(QLatin1Char('/')))
        return failure(QStringLiteral("No remote file name given"));

    file_.setFileName(localFile);
    if (!QFileInfo(localFile).isFile() || !file_.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("Cannot open file %1").arg(localFile));
    text_.clear();
    textPos_ = 0;
    if (mode == Mode::Ascii) {
        text_ = toLfLineEnds(file_.readAll());
        file_.close();
    }

    prepare();
    const QByteArray address = url(remotePath);
    curl_easy_setopt(easy_, CURLOPT_URL, address.constData());
    curl_easy_setopt(easy_, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy_, CURLOPT_READFUNCTION, &FtpClient::readCallback);
    curl_easy_setopt(easy_, CURLOPT_READDATA, this);
    if (mode == Mode::Ascii)
        curl_easy_setopt(easy_, CURLOPT_TRANSFERTEXT, 1L); // the size grows by the CRs: leave it unknown
    else
        curl_easy_setopt(easy_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file_.size()));

    uploading_ = true;
    started_ = false;
    readFailed_ = false;
    reported_ = -1;
    FtpResult result = perform();
    uploading_ = false;
    file_.close();
    text_.clear();
    if (readFailed_ && !aborted_)
        result = failure(QStringLiteral("Cannot read file %1").arg(localFile), result.curlCode);
    if (started_)
        emit endTransfer();
    return result;
}

FtpResult FtpClient::logOff() {
    if (transfer_)
        return failure(QStringLiteral("The FTP client is busy"));
    // Without an open connection a log-off would have to connect first.
    if (!connected_ || host_.isEmpty())
        return {};
    prepare();
    const QByteArray address = url(QString());
    curl_easy_setopt(easy_, CURLOPT_URL, address.constData());
    curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy_, CURLOPT_FORBID_REUSE, 1L); // closes with a QUIT that the trace shows
    FtpResult result = perform();
    connected_ = false;
    return result;
}

void FtpClient::abort() {
    aborted_ = true;
    if (transfer_ && transfer_->isRunning() && !transfer_->wasStopped())
        transfer_->stop(CURLE_ABORTED_BY_CALLBACK);
}

void FtpClient::idle() {
    if (transfer_)
        abort();
}

void FtpClient::startDataConnection() {
    // libcurl 7.88 driven by socket events can stall here: when the passive
    // reply arrives at once, it finishes the command phase in one go and then
    // waits to open the data connection, yet watches no socket and sets no
    // timer but the connect time-out, so nothing wakes it for 30 seconds and
    // the upload fails. Pausing and resuming the handle makes libcurl run it
    // again at once.
    if (!transfer_ || !transfer_->isRunning() || transfer_->wasStopped())
        return;
    curl_easy_pause(easy_, CURLPAUSE_SEND);
    curl_easy_pause(easy_, CURLPAUSE_CONT);
}

void FtpClient::prepare() {
    curl_easy_reset(easy_);
    errorBuffer_[0] = '\0';
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorBuffer_);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "ftp");
    // An all_proxy in the environment would send the log-on through an HTTP
    // proxy, password included.
    curl_easy_setopt(easy_, CURLOPT_PROXY, "");
    curl_easy_setopt(easy_, CURLOPT_USERNAME, user_.constData());
    curl_easy_setopt(easy_, CURLOPT_PASSWORD, password_.constData());
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(easy_, CURLOPT_SERVER_RESPONSE_TIMEOUT, kReplyTimeoutSeconds);
    curl_easy_setopt(easy_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, &FtpClient::debugCallback);
    curl_easy_setopt(easy_, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &FtpClient::xferCallback);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
}

FtpResult FtpClient::perform() {
    aborted_ = false;
    connected_ = false; // set again when libcurl keeps the connection
    lastReply_.clear();
    lastReplyCode_ = 0;

    BlockingTransfer transfer(easy_);
    transfer_ = &transfer;
    const CURLcode code = transfer.run();
    transfer_ = nullptr;
    if (transfer.wasStopped())
        connected_ = false;

    if (code == CURLE_OK)
        return {};
    if (aborted_)
        return failure(QStringLiteral("Aborted"), code);

    long response = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &response);
    // libcurl reports a 421 ("closing control connection") as a time-out.
    if (response == 421 || lastReplyCode_ == 421) {
        const QString line = lastReplyCode_ == 421 ? lastReply_ : QStringLiteral("421 Service not available");
        emit error(421, line.mid(3).trimmed());
        return failure(line, code, 421);
    }
    if (lastReplyCode_ >= 400)
        return failure(lastReply_, code, lastReplyCode_);
    const QString reason =
        errorBuffer_[0] ? QString::fromUtf8(errorBuffer_) : QString::fromUtf8(curl_easy_strerror(code));
    return failure(masked(reason), code);
}

QByteArray FtpClient::url(const QString& remotePath) const {
    QByteArray address = "ftp://";
    if (host_.contains(QLatin1Char(':')) && !host_.startsWith(QLatin1Char('[')))
        address += '[' + host_.toUtf8() + ']';
    else
        address += QUrl::toPercentEncoding(host_, "[]:");
    address += ':' + QByteArray::number(port_) + '/';
    QString path = remotePath;
    if (path.startsWith(QLatin1Char('/'))) {
        address += "%2F"; // the server's root, not the log-on folder
        path.remove(0, 1);
    }
    QByteArrayList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        parts.append(QUrl::toPercentEncoding(part));
    address += parts.join('/');
    return address;
}

size_t FtpClient::readCallback(char* buffer, size_t size, size_t count, void* self) {
    auto* client = static_cast<FtpClient*>(self);
    if (client->aborted_)
        return CURL_READFUNC_ABORT;
    if (!client->started_) {
        client->started_ = true;
        CurlMulti::instance().runOutside([client] { emit client->startTransfer(); });
    }
    const qint64 room = static_cast<qint64>(size * count);
    if (client->file_.isOpen()) {
        const qint64 got = client->file_.read(buffer, room);
        if (got < 0) {
            client->readFailed_ = true;
            return CURL_READFUNC_ABORT;
        }
        return static_cast<size_t>(got);
    }
    const qint64 got = std::min(room, client->text_.size() - client->textPos_);
    std::memcpy(buffer, client->text_.constData() + client->textPos_, static_cast<size_t>(got));
    client->textPos_ += got;
    return static_cast<size_t>(got);
}

int FtpClient::xferCallback(void* self, curl_off_t, curl_off_t, curl_off_t ultotal, curl_off_t ulnow) {
    auto* client = static_cast<FtpClient*>(self);
    if (client->aborted_)
        return 1;
    if (client->uploading_ && client->started_ && ulnow != client->reported_) {
        client->reported_ = ulnow;
        const qint64 bytes = ulnow;
        CurlMulti::instance().runOutside([client, bytes] { emit client->transfer(bytes); });
    }
    // Once every byte is handed over, libcurl waits for the final reply inside
    // its own call and only calls this now and then. Letting the event loop
    // run here keeps the window alive and lets Skip and Cancel reach abort();
    // the multi glue defers whatever libcurl work those events ask for.
    if (client->uploading_ && ultotal > 0 && ulnow >= ultotal && !client->inEvents_) {
        client->inEvents_ = true;
        QCoreApplication::processEvents();
        client->inEvents_ = false;
    }
    return client->aborted_ ? 1 : 0;
}

int FtpClient::debugCallback(CURL*, curl_infotype type, char* data, size_t size, void* self) {
    auto* client = static_cast<FtpClient*>(self);
    const QByteArray text(data, static_cast<qsizetype>(size));
    switch (type) {
    case CURLINFO_TEXT:
        // libcurl's note when it keeps the connection for the next request.
        if (text.contains("left intact"))
            client->connected_ = true;
        client->traceLines(Info, text);
        break;
    case CURLINFO_HEADER_OUT:
        client->lastReply_.clear();
        client->lastReplyCode_ = 0;
        client->traceLines(FromClient, text);
        break;
    case CURLINFO_HEADER_IN:
        client->traceLines(FromServer, text);
        break;
    default:
        break;
    }
    return 0;
}

void FtpClient::traceLines(int direction, const QByteArray& text) {
    for (const QByteArray& raw : text.split('\n')) {
        QByteArray bytes = raw;
        while (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.isEmpty() || (direction == Info && isBookkeeping(bytes)))
            continue;
        const QString line = masked(decodeLine(bytes));
        if (direction == FromServer && line.size() >= 3 && line.at(0).isDigit() && line.at(1).isDigit() &&
            line.at(2).isDigit() && (line.size() == 3 || line.at(3) == QLatin1Char(' '))) {
            lastReply_ = line; // the last line of a reply carries its code and a blank
            lastReplyCode_ = line.left(3).toInt();
            if (lastReplyCode_ == 227 || lastReplyCode_ == 229)
                CurlMulti::instance().runOutside([this] { startDataConnection(); });
        }
        CurlMulti::instance().runOutside([this, direction, line] { emit trace(direction, line); });
    }
}

QString FtpClient::masked(QString line) const {
    if (line.startsWith(QLatin1String("PASS"), Qt::CaseInsensitive) &&
        (line.size() == 4 || line.at(4) == QLatin1Char(' ')))
        return QStringLiteral("PASS ****");
    // Anywhere else a password of some length is masked too; a very short one
    // would turn every trace line into stars.
    const QString password = QString::fromUtf8(password_);
    if (password.size() >= 4)
        line.replace(password, QStringLiteral("****"));
    return line;
}

} // namespace platform
