#include "MailMessage.h"

#include "FileError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

namespace platform {

namespace {

const QByteArray crlf("\r\n");

bool isAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7E)
            return false;
    return true;
}

bool fitsLatin1(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

// Header values are single lines: a line break or control character taken
// over from a script or setting must not start a header of its own.
QString headerSafe(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return out;
}

QString fileNameSafe(const QString& name) {
    QString out = name;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('_');
    return out;
}

QByteArray quoted(const QByteArray& text) {
    QByteArray out("\"");
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

QString randomHex(int bytes) {
    QString out;
    for (int i = 0; i < bytes; ++i)
        out += QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(256), 2, 16, QLatin1Char('0'));
    return out;
}

// "Name: value" folded at blanks so that lines stay near 78 characters.
// Returns an empty array when a single word would make a line too long
// for the 998-octet limit; the caller then uses encoded words.
QByteArray foldedAscii(const QByteArray& name, const QByteArray& value) {
    QByteArray out = name + ": ";
    qsizetype lineLength = out.size();
    const QList<QByteArray> words = value.split(' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QByteArray& word = words[i];
        if (i > 0) {
            // Fold only before a real word: a line of blanks alone is not allowed.
            if (!word.isEmpty() && lineLength + 1 + word.size() > 78) {
                out += "\r\n ";
                lineLength = 1;
            } else {
                out += ' ';
                ++lineLength;
            }
        }
        out += word;
        lineLength += word.size();
        if (lineLength > 998)
            return {};
    }
    return out;
}

QByteArray headerField(const QByteArray& name, const QString& text) {
    const QString value = headerSafe(text);
    if (isAscii(value) && !value.contains(QLatin1String("=?"))) {
        QByteArray folded = foldedAscii(name, value.toLatin1());
        if (!folded.isEmpty())
            return folded + crlf;
    }
    return name + ": " + mail::encodedWords(value) + crlf;
}

QByteArray mailbox(const QString& name, const QString& address) {
    const QByteArray addr = headerSafe(address).trimmed().toUtf8();
    const QString phrase = headerSafe(name).trimmed();
    if (phrase.isEmpty())
        return addr;
    QByteArray encoded = mail::encodeHeaderText(phrase);
    if (encoded == phrase.toLatin1() && isAscii(phrase))
        encoded = quoted(encoded);
    return encoded + " <" + addr + ">";
}

// A file name parameter: quoted when ASCII, RFC 2231 (UTF-8) otherwise.
QByteArray nameParameter(const QByteArray& param, const QString& fileName) {
    const QString name = fileNameSafe(fileName);
    if (isAscii(name))
        return param + '=' + quoted(name.toLatin1());
    return param + "*=UTF-8''" + name.toUtf8().toPercentEncoding();
}

QByteArray contentTypeFor(const QString& fileName) {
    static const struct {
        const char* suffix;
        const char* type;
    } types[] = {
        {"zip", "application/zip"}, {"gif", "image/gif"}, {"ico", "image/x-icon"}, {"jpg", "image/jpeg"},
        {"jpeg", "image/jpeg"},     {"png", "image/png"}, {"bmp", "image/bmp"},    {"pdf", "application/pdf"},
    };
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (const auto& t : types)
        if (suffix == QLatin1String(t.suffix))
            return t.type;
    return "application/octet-stream";
}

QByteArray base64Lines(const QByteArray& data) {
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / 76 * 2 + 2);
    for (qsizetype i = 0; i < encoded.size(); i += 76)
        out += encoded.mid(i, 76) + crlf;
    return out;
}

// Quoted-printable of text whose lines are already separated by CR LF.
QByteArray quotedPrintable(const QByteArray& text) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (n == lines.size() - 1 && line.isEmpty())
            break; // the text's final CR LF
        qsizetype length = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            const bool last = i == line.size() - 1;
            QByteArray piece;
            if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !last))
                piece = QByteArray(1, static_cast<char>(c));
            else
                piece = QByteArray{"="} + hex[c >> 4] + hex[c & 15];
            // Soft break: encoded lines hold at most 76 characters with the "=".
            if (length + piece.size() > (last ? 76 : 75)) {
                out += "=\r\n";
                length = 0;
            }
            out += piece;
            length += piece.size();
        }
        out += crlf;
    }
    return out;
}

struct EncodedText {
    QByteArray charset;
    QByteArray transferEncoding;
    QByteArray content; // ends with CR LF
};

EncodedText encodeText(const QString& text, MailCharset preferred) {
    EncodedText result;
    QByteArray bytes;
    if (preferred == MailCharset::UsAscii && isAscii(text)) {
        result.charset = "US-ASCII";
        bytes = text.toLatin1();
    } else if (fitsLatin1(text)) {
        result.charset = "ISO-8859-1";
        bytes = text.toLatin1();
    } else {
        result.charset = "UTF-8";
        bytes = text.toUtf8();
    }
    bool sevenBit = true;
    qsizetype lineLength = 0;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 0x7E || c == '\0') {
            sevenBit = false;
            break;
        }
        lineLength = c == '\n' ? 0 : lineLength + 1;
        if (lineLength > 998) {
            sevenBit = false;
            break;
        }
    }
    if (sevenBit) {
        result.transferEncoding = "7bit";
        result.content = bytes;
    } else {
        result.transferEncoding = "quoted-printable";
        result.content = quotedPrintable(bytes);
    }
    return result;
}

// The body with CR LF line ends, the last line ended too.
QString normalisedBody(const QString& body) {
    QString text = body;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QByteArray readAttachment(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError::cannotOpen(path);
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError::cannotOpen(path);
    return data;
}

QByteArray domainOf(const QString& address) {
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    QByteArray domain;
    if (at >= 0) {
        for (QChar c : address.mid(at + 1)) {
            const bool allowed =
                (c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QLatin1Char('.') || c == QLatin1Char('-');
            if (allowed)
                domain += static_cast<char>(c.unicode());
        }
    }
    return domain.isEmpty() ? QByteArray("localhost") : domain;
}

} // namespace

namespace mail {

QByteArray encodeHeaderText(const QString& text) {
    if (isAscii(text) && !text.contains(QLatin1String("=?")))
        return text.toLatin1();
    return encodedWords(text);
}

QByteArray encodedWords(const QString& text) {
    const bool latin1 = fitsLatin1(text);
    const QByteArray prefix = latin1 ? "=?ISO-8859-1?B?" : "=?UTF-8?B?";
    // 42 bytes give 56 base64 characters: with the prefix and "?=" a word
    // stays within 75 characters. Characters are never split across words.
    QList<QByteArray> chunks{QByteArray()};
    for (char32_t cp : text.toUcs4()) {
        const QString one = QString::fromUcs4(&cp, 1);
        const QByteArray bytes = latin1 ? one.toLatin1() : one.toUtf8();
        if (chunks.last().size() + bytes.size() > 42)
            chunks.append(QByteArray());
        chunks.last() += bytes;
    }
    QByteArray out;
    for (const QByteArray& chunk : chunks) {
        if (!out.isEmpty())
            out += "\r\n ";
        out += prefix + chunk.toBase64() + "?=";
    }
    return out;
}

QByteArray uuencode(const QByteArray& data, const QString& name) {
    auto ch = [](unsigned v) { return static_cast<char>((v & 63) ? (v & 63) + 32 : '`'); };
    QByteArray out = "begin 644 " + fileNameSafe(name).toUtf8() + crlf;
    for (qsizetype i = 0; i < data.size(); i += 45) {
        const qsizetype n = std::min<qsizetype>(45, data.size() - i);
        out += ch(static_cast<unsigned>(n));
        for (qsizetype j = 0; j < n; j += 3) {
            unsigned char b[3] = {0, 0, 0};
            for (int k = 0; k < 3 && j + k < n; ++k)
                b[k] = static_cast<unsigned char>(data[i + j + k]);
            out += ch(b[0] >> 2);
            out += ch(((b[0] << 4) | (b[1] >> 4)) & 63);
            out += ch(((b[1] << 2) | (b[2] >> 6)) & 63);
            out += ch(b[2] & 63);
        }
        out += crlf;
    }
    return out + "`" + crlf + "end" + crlf;
}

QByteArray rfc5322Date(const QDateTime& time) {
    static const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate d = time.date();
    const QTime t = time.time();
    const int offset = time.offsetFromUtc() / 60;
    const int absOffset = offset < 0 ? -offset : offset;
    return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 %8%9%10")
        .arg(QLatin1String(days[d.dayOfWeek() - 1]))
        .arg(d.day())
        .arg(QLatin1String(months[d.month() - 1]))
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'))
        .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(absOffset / 60, 2, 10, QLatin1Char('0'))
        .arg(absOffset % 60, 2, 10, QLatin1Char('0'))
        .toLatin1();
}

} // namespace mail

QByteArray MailMessage::toBytes() const {
    const QDateTime when = date.isValid() ? date : QDateTime::currentDateTime();

    QByteArray head;
    head += "Date: " + mail::rfc5322Date(when) + crlf;
    head += "From: " + mailbox(fromName, fromAddress) + crlf;
    head += "To: " + mailbox(toName, toAddress) + crlf;
    head += headerField("Subject", subject);
    head += "Message-ID: <" + when.toUTC().toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1() + '.' +
            randomHex(8).toLatin1() + "@" + domainOf(fromAddress) + ">" + crlf;
    head += "MIME-Version: 1.0" + crlf;

    QList<QByteArray> files;
    for (const QString& path : attachments)
        files.append(readAttachment(path));

    QString text = normalisedBody(body);
    if (encoding == MailEncoding::UUCode || attachments.isEmpty()) {
        for (qsizetype i = 0; i < attachments.size(); ++i) {
            if (!text.isEmpty())
                text += QLatin1String("\r\n");
            text += QString::fromUtf8(mail::uuencode(files[i], QFileInfo(attachments[i]).fileName()));
        }
        const EncodedText part = encodeText(text, charset);
        head += "Content-Type: text/plain; charset=\"" + part.charset + '"' + crlf;
        head += "Content-Transfer-Encoding: " + part.transferEncoding + crlf;
        return head + crlf + part.content;
    }

    const EncodedText part = encodeText(text, charset);
    QByteArray boundary;
    do
        boundary = "=_Part_" + randomHex(12).toLatin1();
    while (part.content.contains(boundary));

    head += "Content-Type: multipart/mixed;" + crlf + " boundary=\"" + boundary + '"' + crlf;
    QByteArray out = head + crlf + "This is a multi-part message in MIME format." + crlf;
    out += crlf + "--" + boundary + crlf;
    out += "Content-Type: text/plain; charset=\"" + part.charset + '"' + crlf;
    out += "Content-Transfer-Encoding: " + part.transferEncoding + crlf + crlf;
    out += part.content;
    for (qsizetype i = 0; i < attachments.size(); ++i) {
        const QString name = QFileInfo(attachments[i]).fileName();
        out += crlf + "--" + boundary + crlf;
        out += "Content-Type: " + contentTypeFor(name) + ';' + crlf + ' ' + nameParameter("name", name) + crlf;
        out += "Content-Transfer-Encoding: base64" + crlf;
        out += "Content-Disposition: attachment;" + crlf + ' ' + nameParameter("filename", name) + crlf + crlf;
        out += base64Lines(files[i]);
    }
    out += crlf + "--" + boundary + "--" + crlf;
    return out;
}

} // namespace platform
