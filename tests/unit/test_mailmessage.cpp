#include "platform/FileError.h"
#include "platform/MailMessage.h"

#include "MailDecode.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using platform::MailCharset;
using platform::MailEncoding;
using platform::MailMessage;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = static_cast<char>(gen.bounded(256));
    return data;
}

MailMessage basicMessage() {
    MailMessage m;
    m.fromName = QStringLiteral("Jane Author");
    m.fromAddress = QStringLiteral("jane@example.org");
    m.toAddress = QStringLiteral("submit@downloads.example");
    m.subject = QStringLiteral("New submission");
    m.body = QStringLiteral("Line one\nLine two\n");
    return m;
}

class MailMessageFiles : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& data) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

// Files of awkward sizes (around the 3-byte and 45-byte groupings, all byte
// values) come back byte for byte, in order, in both encodings.
TEST_F(MailMessageFiles, AttachmentsDecodeToOriginalBytes) {
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes += static_cast<char>(i);
    const QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("app.zip"), randomBytes(70001, 1)},
        {QStringLiteral("icon.gif"), randomBytes(45, 2)},
        {QStringLiteral("one.ico"), QByteArray("x")},
        {QStringLiteral("shot 1.png"), randomBytes(46, 3)},
        {QStringLiteral("bytes.bin"), allBytes},
        {QStringLiteral("empty.txt"), QByteArray()},
        {QStringLiteral("readme.txt"), QByteArray("begin 644 not-a-block\r\nend\r\n.\r\n")},
    };
    QStringList paths;
    for (const auto& [name, data] : files)
        paths << write(name, data);

    for (MailEncoding encoding : {MailEncoding::Mime, MailEncoding::UUCode}) {
        SCOPED_TRACE(encoding == MailEncoding::Mime ? "MIME" : "UUCode");
        MailMessage m = basicMessage();
        m.attachments = paths;
        m.encoding = encoding;
        const QByteArray raw = m.toBytes();
        expectWireFormat(raw);
        const DecodedMail mail = decodeMail(raw);
        EXPECT_EQ(mail.field("content_type"),
                  encoding == MailEncoding::Mime ? QStringLiteral("multipart/mixed") : QStringLiteral("text/plain"));
        EXPECT_TRUE(mail.text.startsWith(QStringLiteral("Line one\nLine two\n"))) << mail.text.toStdString();
        // The text file that only looks like a uu block must not be taken for one.
        ASSERT_EQ(mail.attachments.size(), files.size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            EXPECT_EQ(mail.attachments[i].name, files[i].first);
            EXPECT_EQ(mail.attachments[i].kind,
                      encoding == MailEncoding::Mime ? QStringLiteral("mime") : QStringLiteral("uu"));
            EXPECT_EQ(mail.attachments[i].data, files[i].second) << files[i].first.toStdString();
        }
        if (encoding == MailEncoding::Mime) {
            EXPECT_EQ(mail.attachments[0].contentType, QStringLiteral("application/zip"));
            EXPECT_EQ(mail.attachments[1].contentType, QStringLiteral("image/gif"));
        }
    }
}

TEST_F(MailMessageFiles, NonAsciiAttachmentNameSurvives) {
    MailMessage m = basicMessage();
    m.attachments = {write(QStringLiteral("Café \"fast\".zip"), QByteArray("PK"))};
    const DecodedMail mail = decodeMail(m.toBytes());
    ASSERT_EQ(mail.attachments.size(), 1);
    EXPECT_EQ(mail.attachments[0].name, QStringLiteral("Café \"fast\".zip"));
    EXPECT_EQ(mail.attachments[0].data, QByteArray("PK"));
}

TEST_F(MailMessageFiles, UnreadableAttachmentThrows) {
    MailMessage m = basicMessage();
    m.attachments = {dir.filePath(QStringLiteral("missing.zip"))};
    try {
        m.toBytes();
        FAIL() << "no exception";
    } catch (const platform::FileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot open file ") + dir.filePath(QStringLiteral("missing.zip")));
    }
}

TEST(MailMessage, HeadersRoundTrip) {
    const QString longWords = QStringLiteral("word ").repeated(51).trimmed(); // 254 characters
    const struct {
        const char* label;
        QString subject;
        QString fromName;
    } cases[] = {
        {"plain", QStringLiteral("New Site Submission for: Foo"), QStringLiteral("Jane Author")},
        {"long with blanks", longWords, QStringLiteral("Jane")},
        {"long without blanks", QString(1200, QLatin1Char('x')), QStringLiteral("Jane")},
        {"latin-1", QStringLiteral("Überprüfung für Café"), QStringLiteral("Jörg Müller")},
        {"beyond latin-1", QStringLiteral("Price 10 € — ✓ 日本語のテキストはとても長いのでいくつかの単語に分けます"),
         QStringLiteral("Ωmega")},
        {"looks encoded", QStringLiteral("=?UTF-8?B?eA==?= literal"), QStringLiteral("=?x?=")},
        {"specials in name", QStringLiteral("Hi"), QStringLiteral("Doe, \"JJ\" \\ <x>")},
        {"double blanks", QStringLiteral("a  b   c"), QStringLiteral("A  B")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        MailMessage m = basicMessage();
        m.subject = c.subject;
        m.fromName = c.fromName;
        m.toName = QStringLiteral("Engine Submissions");
        const QByteArray raw = m.toBytes();
        expectWireFormat(raw);
        const DecodedMail mail = decodeMail(raw);
        EXPECT_EQ(mail.field("subject"), c.subject);
        EXPECT_EQ(mail.field("from_name"), c.fromName);
        EXPECT_EQ(mail.field("from_address"), QStringLiteral("jane@example.org"));
        EXPECT_EQ(mail.field("to_name"), QStringLiteral("Engine Submissions"));
        EXPECT_EQ(mail.field("to_address"), QStringLiteral("submit@downloads.example"));
        EXPECT_EQ(mail.field("mime_version"), QStringLiteral("1.0"));
        EXPECT_TRUE(mail.field("message_id").endsWith(QStringLiteral("@example.org>")));
    }
}

// A line break that reaches a header through an expanded subject or a
// setting must not start a header of its own.
TEST(MailMessage, LineBreaksCannotInjectHeaders) {
    MailMessage m = basicMessage();
    m.subject = QStringLiteral("Hello\r\nBcc: victim@example.com");
    m.fromName = QStringLiteral("Jane\nX-Evil: 1");
    const QByteArray raw = m.toBytes();
    const QByteArray head = raw.left(raw.indexOf("\r\n\r\n") + 2);
    EXPECT_FALSE(head.contains("\r\nBcc:"));
    EXPECT_FALSE(head.contains("\r\nX-Evil:"));
    EXPECT_EQ(decodeMail(raw).field("subject"), QStringLiteral("Hello  Bcc: victim@example.com"));
}

TEST(MailMessage, TextCharsetAndTransfer) {
    const struct {
        const char* label;
        MailCharset charset;
        QString body;
        const char* expectCharset;
        const char* expectTransfer;
    } cases[] = {
        {"ascii", MailCharset::UsAscii, QStringLiteral("Plain text\n.leading dot\n"), "us-ascii", "7bit"},
        {"latin-1 asked", MailCharset::Latin1, QStringLiteral("Prix: 10 ¤, café\n"), "iso-8859-1", "quoted-printable"},
        // The US-ASCII setting must not throw away what it cannot hold.
        {"ascii asked, latin-1 text", MailCharset::UsAscii, QStringLiteral("Grüße\n"), "iso-8859-1",
         "quoted-printable"},
        {"euro sign", MailCharset::Latin1, QStringLiteral("Price 10 €\n"), "utf-8", "quoted-printable"},
        {"long line", MailCharset::UsAscii, QString(2500, QLatin1Char('a')) + QStringLiteral(" = end  \n"), "us-ascii",
         "quoted-printable"},
        {"mixed line ends", MailCharset::UsAscii, QStringLiteral("a\rb\r\nc\nd"), "us-ascii", "7bit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        MailMessage m = basicMessage();
        m.charset = c.charset;
        m.body = c.body;
        const QByteArray raw = m.toBytes();
        expectWireFormat(raw);
        EXPECT_TRUE(raw.contains(QByteArray("Content-Transfer-Encoding: ") + c.expectTransfer + "\r\n"));
        const DecodedMail mail = decodeMail(raw);
        EXPECT_EQ(mail.field("charset"), QLatin1String(c.expectCharset));
        QString expected = c.body;
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (!expected.endsWith(QLatin1Char('\n')))
            expected += QLatin1Char('\n');
        EXPECT_EQ(mail.text, expected);
    }
}

TEST(MailMessage, DateFormat) {
    const QDate day(2026, 12, 11);
    const QTime time(9, 5, 7);
    const struct {
        int offsetSeconds;
        const char* expected;
    } cases[] = {
        {0, "Fri, 11 Dec 2026 09:05:07 +0000"},
        {3600, "Fri, 11 Dec 2026 09:05:07 +0100"},
        {-(4 * 3600 + 1800), "Fri, 11 Dec 2026 09:05:07 -0430"},
        {5 * 3600 + 1800, "Fri, 11 Dec 2026 09:05:07 +0530"},
    };
    for (const auto& c : cases) {
        const QDateTime when(day, time, QTimeZone(c.offsetSeconds));
        EXPECT_EQ(platform::mail::rfc5322Date(when), QByteArray(c.expected));
        MailMessage m = basicMessage();
        m.date = when;
        EXPECT_TRUE(m.toBytes().startsWith(QByteArray("Date: ") + c.expected + "\r\n"));
    }
}
