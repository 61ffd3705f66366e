#pragma once

// Opens message bytes with Python's email package (tests/servers/mail_decode.py)
// and checks the line rules of the wire format, for the mail tests.

#include "ServerProcess.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure output for text comparisons.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

struct DecodedAttachment {
    QString name;
    QString contentType;
    QString kind; // "mime" or "uu"
    QByteArray data;
};

struct DecodedMail {
    QJsonObject json;
    QString text;
    QList<DecodedAttachment> attachments;
    QString field(const char* key) const { return json.value(QLatin1String(key)).toString(); }
};

inline DecodedMail decodeMailFile(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {testServersDir() + QStringLiteral("/mail_decode.py"), path});
    python.waitForFinished(30000);
    const QByteArray out = python.readAllStandardOutput();
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    DecodedMail mail;
    mail.json = QJsonDocument::fromJson(out).object();
    mail.text = mail.field("text");
    for (const QJsonValue& v : mail.json.value(QLatin1String("attachments")).toArray()) {
        const QJsonObject a = v.toObject();
        mail.attachments.append({a.value(QLatin1String("name")).toString(),
                                 a.value(QLatin1String("content_type")).toString(),
                                 a.value(QLatin1String("kind")).toString(),
                                 QByteArray::fromBase64(a.value(QLatin1String("data")).toString().toLatin1())});
    }
    EXPECT_TRUE(mail.json.value(QLatin1String("defects")).toArray().isEmpty())
        << QJsonDocument(mail.json.value(QLatin1String("defects")).toArray()).toJson().toStdString();
    return mail;
}

inline DecodedMail decodeMail(const QByteArray& raw) {
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    file.write(raw);
    file.close();
    return decodeMailFile(file.fileName());
}

// Every line ends in CR LF, no bare CR or LF, no line over 998 octets, and
// nothing but 7-bit text on the wire.
inline void expectWireFormat(const QByteArray& raw) {
    ASSERT_TRUE(raw.endsWith("\r\n"));
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "8-bit byte at " << i;
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < raw.size() && raw[i + 1] == '\n') << "bare CR at " << i;
        } else if (c == '\n') {
            ASSERT_TRUE(i > 0 && raw[i - 1] == '\r') << "bare LF at " << i;
            ASSERT_LE(i - 1 - lineStart, 998) << "long line at " << lineStart;
            lineStart = i + 1;
        }
    }
}
