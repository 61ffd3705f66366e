#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace platform {

// How attached files travel: MIME parts in base64, or uuencoded blocks
// appended to the text ("begin 644 name" ... "end"). Values match the
// "Encoding" key of the mail set-up file.
enum class MailEncoding { Mime = 0, UUCode = 1 };

// Charset of the text part. Values match the "CharSet" key.
enum class MailCharset { UsAscii = 0, Latin1 = 1 };

// One plain-text message with file attachments, turned into RFC 5322 bytes
// with CR LF line ends, ready for the DATA phase (the SMTP layer dot-stuffs).
struct MailMessage {
    QString fromName;
    QString fromAddress;
    QString toName; // may be empty
    QString toAddress;
    QString subject;
    QString body;            // lines split at CR LF, CR or LF
    QStringList attachments; // file paths, attached under their bare names
    MailEncoding encoding = MailEncoding::Mime;
    MailCharset charset = MailCharset::UsAscii;
    QDateTime date; // invalid: the current time

    // Reads every attachment; throws FileError "Cannot open file %s" when one
    // cannot be read. A text that the chosen charset cannot hold is sent as
    // ISO-8859-1 (or UTF-8) rather than losing characters.
    QByteArray toBytes() const;
};

namespace mail {

// RFC 2047 encoded words (B encoding, ISO-8859-1 or UTF-8) for non-ASCII
// header text; ASCII text comes back as it is. Words are joined with
// CR LF + blank so that each stays within 75 characters.
QByteArray encodeHeaderText(const QString& text);
// The same, for any text (used where plain text would make a line too long).
QByteArray encodedWords(const QString& text);

// Classic uuencode block: "begin 644 name", 45-byte lines, "`", "end",
// every line ending in CR LF.
QByteArray uuencode(const QByteArray& data, const QString& name);

// RFC 5322 date ("Fri, 11 Dec 2026 13:13:52 +0100"), English names always.
QByteArray rfc5322Date(const QDateTime& time);

} // namespace mail

} // namespace platform
