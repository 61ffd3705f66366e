#include "platform/SmtpClient.h"

#include "MailDecode.h"
#include "ServerProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using platform::MailCharset;
using platform::MailEncoding;
using platform::MailMessage;
using platform::SmtpClient;

namespace {

// Every event of the client as one line, in the order they came.
class EventLog {
public:
    explicit EventLog(SmtpClient& client) {
        auto add = [this](const char* name) { return [this, name] { events << QLatin1String(name); }; };
        QObject::connect(&client, &SmtpClient::open, &client, add("open"));
        QObject::connect(&client, &SmtpClient::prepare, &client, add("prepare"));
        QObject::connect(&client, &SmtpClient::sending, &client, add("sending"));
        QObject::connect(&client, &SmtpClient::mailSent, &client, add("mailSent"));
        QObject::connect(&client, &SmtpClient::closing, &client, add("closing"));
        QObject::connect(&client, &SmtpClient::closed, &client, add("closed"));
        QObject::connect(&client, &SmtpClient::canceled, &client, add("canceled"));
        QObject::connect(&client, &SmtpClient::error, &client, [this](const QString& m) {
            events << QStringLiteral("error");
            errors << m;
        });
        QObject::connect(&client, &SmtpClient::addressRejected, &client,
                         [this](const QString& a) { events << QStringLiteral("addressRejected ") + a; });
        QObject::connect(&client, &SmtpClient::progress, &client, [this](int p) {
            if (events.isEmpty() || events.last() != QLatin1String("progress"))
                events << QStringLiteral("progress");
            percents << p;
        });
    }
    QStringList events;
    QStringList errors;
    QList<int> percents;
};

QByteArray randomBytes(qsizetype size, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = static_cast<char>(gen.bounded(256));
    return data;
}

int closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}

class SmtpClientTest : public ::testing::Test {
protected:
    // A fresh server process each time: a ServerProcess is not restartable.
    void startServer(const QStringList& options = {}) {
        server = std::make_unique<ServerProcess>();
        ASSERT_TRUE(server->start(QStringLiteral("smtp_server.py"), QStringList{store.path()} + options))
            << server->error().toStdString();
        client.setServer(QStringLiteral("127.0.0.1:%1").arg(server->port()));
    }
    void stopServer() { server.reset(); }

    MailMessage message() const {
        MailMessage m;
        m.fromName = QStringLiteral("Jane Author");
        m.fromAddress = QStringLiteral("jane@example.org");
        m.toAddress = QStringLiteral("submit@downloads.example");
        m.subject = QStringLiteral("Submission");
        m.body = QStringLiteral("Hello\r\n");
        return m;
    }

    QStringList storedMessages() const {
        return QDir(store.path()).entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    }

    QString writeFile(const QString& name, const QByteArray& data) {
        const QString path = files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
        return path;
    }

    QTemporaryDir store;
    QTemporaryDir files;
    std::unique_ptr<ServerProcess> server;
    SmtpClient client;
    EventLog log{client};
};

const QStringList failedAfterConnect(const QString& failure) {
    return {QStringLiteral("open"), QStringLiteral("prepare"), failure, QStringLiteral("closing"),
            QStringLiteral("closed")};
}

// The events without those of the upload, which come only when the server
// took the DATA command.
QStringList withoutUpload(QStringList events) {
    events.removeAll(QStringLiteral("sending"));
    events.removeAll(QStringLiteral("progress"));
    return events;
}

} // namespace

// The whole road: envelope, headers, a body with lines that need
// dot-stuffing (done once, by the transport) and attachments in both
// encodings, opened by a real mail parser and decoded to the original bytes.
TEST_F(SmtpClientTest, DeliversMessageWithAttachments) {
    startServer();
    const QByteArray archive = randomBytes(3 * 1024 * 1024 + 7, 11);
    const QByteArray icon = randomBytes(766, 12);
    const QString body = QStringLiteral(".\r\n..two dots\r\n.one dot\r\nGrüße aus Köln\r\n");
    const QString subject = QStringLiteral("Neue Einreichung für Übersicht");

    for (MailEncoding encoding : {MailEncoding::Mime, MailEncoding::UUCode}) {
        SCOPED_TRACE(encoding == MailEncoding::Mime ? "MIME" : "UUCode");
        log.events.clear();
        log.percents.clear();
        MailMessage m = message();
        m.subject = subject;
        m.body = body;
        m.charset = MailCharset::Latin1;
        m.encoding = encoding;
        m.attachments = {writeFile(QStringLiteral("app.zip"), archive), writeFile(QStringLiteral("icon.ico"), icon)};
        client.setMessage(m);
        ASSERT_TRUE(client.send()) << log.errors.join(QLatin1Char('\n')).toStdString();

        EXPECT_EQ(log.events, (QStringList{QStringLiteral("open"), QStringLiteral("prepare"), QStringLiteral("sending"),
                                           QStringLiteral("progress"), QStringLiteral("mailSent"),
                                           QStringLiteral("closing"), QStringLiteral("closed")}));
        ASSERT_FALSE(log.percents.isEmpty());
        EXPECT_GT(log.percents.size(), 2); // a 4 MB message is read in many pieces
        EXPECT_TRUE(std::is_sorted(log.percents.begin(), log.percents.end()));
        EXPECT_EQ(log.percents.last(), 100);
        EXPECT_TRUE(client.lastError().isEmpty());

        const QStringList stored = storedMessages();
        ASSERT_FALSE(stored.isEmpty());
        const QString base = store.filePath(stored.last().chopped(4));
        QFile meta(base + QStringLiteral(".json"));
        ASSERT_TRUE(meta.open(QIODevice::ReadOnly));
        const QJsonObject envelope = QJsonDocument::fromJson(meta.readAll()).object();
        EXPECT_EQ(envelope.value(QLatin1String("mail_from")).toString(), QStringLiteral("jane@example.org"));
        EXPECT_EQ(envelope.value(QLatin1String("rcpt_tos")).toArray(),
                  QJsonArray{QStringLiteral("submit@downloads.example")});

        QFile raw(base + QStringLiteral(".eml"));
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        expectWireFormat(raw.readAll());
        const DecodedMail mail = decodeMailFile(base + QStringLiteral(".eml"));
        EXPECT_EQ(mail.field("subject"), subject);
        EXPECT_EQ(mail.field("from_name"), QStringLiteral("Jane Author"));
        EXPECT_TRUE(mail.text.startsWith(QStringLiteral(".\n..two dots\n.one dot\nGrüße aus Köln\n")))
            << mail.text.left(200).toStdString();
        ASSERT_EQ(mail.attachments.size(), 2);
        EXPECT_EQ(mail.attachments[0].name, QStringLiteral("app.zip"));
        EXPECT_EQ(mail.attachments[0].data, archive);
        EXPECT_EQ(mail.attachments[1].name, QStringLiteral("icon.ico"));
        EXPECT_EQ(mail.attachments[1].data, icon);
    }
    EXPECT_EQ(storedMessages().size(), 2);
}

// A proxy named in the environment must not be used for mail.
TEST_F(SmtpClientTest, IgnoresProxyFromEnvironment) {
    startServer();
    const QByteArray saved = qgetenv("all_proxy");
    qputenv("all_proxy", QStringLiteral("http://127.0.0.1:%1").arg(closedPort()).toLatin1());
    client.setMessage(message());
    const bool sent = client.send();
    if (saved.isNull())
        qunsetenv("all_proxy");
    else
        qputenv("all_proxy", saved);
    EXPECT_TRUE(sent) << log.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(storedMessages().size(), 1);
}

TEST_F(SmtpClientTest, RejectedAddressesRaiseAddressRejected) {
    startServer({QStringLiteral("--reject"), QStringLiteral("nobody@downloads.example"),
                 QStringLiteral("--reject-sender"), QStringLiteral("banned@example.org")});
    const struct {
        const char* from;
        const char* to;
        const char* rejected;
    } cases[] = {
        {"jane@example.org", "nobody@downloads.example", "nobody@downloads.example"},
        {"banned@example.org", "submit@downloads.example", "banned@example.org"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rejected);
        log.events.clear();
        MailMessage m = message();
        m.fromAddress = QLatin1String(c.from);
        m.toAddress = QLatin1String(c.to);
        client.setMessage(m);
        EXPECT_FALSE(client.send());
        EXPECT_EQ(log.events, failedAfterConnect(QStringLiteral("addressRejected ") + QLatin1String(c.rejected)));
    }
    EXPECT_TRUE(storedMessages().isEmpty());
}

// Whatever goes wrong on the way, the send reports an error and never
// success; failures before any connection have no closing events.
TEST_F(SmtpClientTest, FailuresRaiseError) {
    const struct {
        const char* label;
        QStringList serverOptions; // empty: no server at all
        QString server;            // empty: the started server
        QString from;
        bool connects;
    } cases[] = {
        {"server down", {}, QStringLiteral("127.0.0.1:%1").arg(closedPort()), {}, false},
        {"empty server", {}, QStringLiteral("  "), {}, false},
        {"bad port", {}, QStringLiteral("127.0.0.1:smtp"), {}, false},
        {"line break in sender", {}, QStringLiteral("127.0.0.1:1"), QStringLiteral("a@b.c\r\nRCPT TO:<x@y.z>"), false},
        {"dropped at DATA", {QStringLiteral("--drop-on"), QStringLiteral("DATA")}, {}, {}, true},
        {"dropped after the text", {QStringLiteral("--drop-on"), QStringLiteral("CONTENT")}, {}, {}, true},
        {"dropped at EHLO", {QStringLiteral("--drop-on"), QStringLiteral("EHLO")}, {}, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        log.events.clear();
        log.errors.clear();
        stopServer();
        if (!c.serverOptions.isEmpty())
            startServer(c.serverOptions);
        if (!c.server.isEmpty())
            client.setServer(c.server);
        MailMessage m = message();
        if (!c.from.isEmpty())
            m.fromAddress = c.from;
        client.setMessage(m);
        EXPECT_FALSE(client.send());
        if (c.connects)
            EXPECT_EQ(withoutUpload(log.events), failedAfterConnect(QStringLiteral("error")));
        else
            EXPECT_EQ(log.events.mid(0, 1), QStringList{QStringLiteral("open")});
        EXPECT_EQ(log.events.count(QStringLiteral("error")), 1);
        EXPECT_FALSE(log.events.contains(QStringLiteral("mailSent")));
        EXPECT_EQ(log.events.contains(QStringLiteral("closed")), c.connects);
        ASSERT_EQ(log.errors.size(), 1);
        EXPECT_FALSE(log.errors[0].isEmpty());
        EXPECT_EQ(client.lastError(), log.errors[0]);
    }
    EXPECT_TRUE(storedMessages().isEmpty());
}

TEST_F(SmtpClientTest, MissingAttachmentIsAnErrorBeforeConnecting) {
    startServer();
    MailMessage m = message();
    m.attachments = {files.filePath(QStringLiteral("gone.gif"))};
    client.setMessage(m);
    EXPECT_FALSE(client.send());
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("open"), QStringLiteral("prepare"), QStringLiteral("error")}));
    EXPECT_EQ(log.errors,
              QStringList{QStringLiteral("Cannot open file ") + files.filePath(QStringLiteral("gone.gif"))});
}

// Skip cancels from a Qt slot while the send waits on a stalled server; the
// event loop keeps running and the send returns at once, reporting no success.
TEST_F(SmtpClientTest, CancelStopsStalledSendPromptly) {
    const struct { const char* stallOn; } cases[] = {{"DATA"}, {"CONTENT"}, {"EHLO"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stallOn);
        log.events.clear();
        stopServer();
        startServer({QStringLiteral("--stall-on"), QLatin1String(c.stallOn)});
        client.setMessage(message());
        QTimer::singleShot(400, &client, &SmtpClient::cancel);
        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_FALSE(client.send());
        EXPECT_LT(elapsed.elapsed(), 3000);
        EXPECT_GE(elapsed.elapsed(), 350);
        EXPECT_FALSE(client.isSending());
        EXPECT_EQ(log.events.count(QStringLiteral("canceled")), 1);
        EXPECT_FALSE(log.events.contains(QStringLiteral("mailSent")));
        EXPECT_FALSE(log.events.contains(QStringLiteral("error")));
        EXPECT_EQ(log.events.mid(0, 2), (QStringList{QStringLiteral("open"), QStringLiteral("prepare")}));
        EXPECT_EQ(log.events.last(), QStringLiteral("closed"));
    }
    EXPECT_TRUE(storedMessages().isEmpty());
    // The client is ready for the next message afterwards.
    stopServer();
    startServer();
    log.events.clear();
    EXPECT_TRUE(client.send());
    EXPECT_EQ(storedMessages().size(), 1);
}

// Slots of the client's own events may stop it (the run's Skip handler does
// work in there); the transfer must stop cleanly, also mid-upload.
TEST_F(SmtpClientTest, CancelFromEventSlots) {
    startServer();
    MailMessage m = message();
    m.attachments = {writeFile(QStringLiteral("big.zip"), randomBytes(4 * 1024 * 1024, 5))};
    client.setMessage(m);
    for (const char* when : {"open", "prepare", "sending", "progress"}) {
        SCOPED_TRACE(when);
        log.events.clear();
        QMetaObject::Connection connection;
        const QString w = QLatin1String(when);
        if (w == QLatin1String("open"))
            connection = QObject::connect(&client, &SmtpClient::open, &client, &SmtpClient::cancel);
        else if (w == QLatin1String("prepare"))
            connection = QObject::connect(&client, &SmtpClient::prepare, &client, &SmtpClient::cancel);
        else if (w == QLatin1String("sending"))
            connection = QObject::connect(&client, &SmtpClient::sending, &client, &SmtpClient::cancel);
        else
            connection = QObject::connect(&client, &SmtpClient::progress, &client, [this](int p) {
                if (p >= 30)
                    client.cancel();
            });
        EXPECT_FALSE(client.send());
        QObject::disconnect(connection);
        EXPECT_EQ(log.events.count(QStringLiteral("canceled")), 1);
        EXPECT_FALSE(log.events.contains(QStringLiteral("mailSent")));
    }
    EXPECT_TRUE(storedMessages().isEmpty());
}

TEST_F(SmtpClientTest, StalledServerTimesOut) {
    startServer({QStringLiteral("--stall-on"), QStringLiteral("CONTENT")});
    client.setResponseTimeout(1);
    client.setMessage(message());
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(client.send());
    EXPECT_LT(elapsed.elapsed(), 10000);
    EXPECT_EQ(withoutUpload(log.events), failedAfterConnect(QStringLiteral("error")));
}
