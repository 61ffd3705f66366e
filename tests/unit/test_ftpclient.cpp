#include "platform/FtpClient.h"

#include "ServerProcess.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>

#include <iostream>

using platform::FtpClient;
using platform::FtpResult;

namespace {

const QString kUser = QStringLiteral("bob");
const QString kPassword = QStringLiteral("s3cret-pw");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray randomBytes(int size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator rng(42);
    for (char& c : bytes)
        c = static_cast<char>(rng.bounded(256));
    // Line ends that a text conversion would change.
    bytes.replace(100, 6, "\r\n\n\r\r\n");
    return bytes;
}

// Everything the client reports, in order.
struct Recorder {
    explicit Recorder(FtpClient& client) {
        QObject::connect(&client, &FtpClient::trace, &client, [this](int direction, const QString& line) {
            lines.append(QString::number(direction) + QLatin1Char(':') + line);
        });
        QObject::connect(&client, &FtpClient::startTransfer, &client,
                         [this] { events.append(QStringLiteral("start")); });
        QObject::connect(&client, &FtpClient::transfer, &client, [this](qint64 bytes) { lastBytes = bytes; });
        QObject::connect(&client, &FtpClient::endTransfer, &client, [this] { events.append(QStringLiteral("end")); });
        QObject::connect(&client, &FtpClient::error, &client, [this](int code, const QString& text) {
            errors.append(QString::number(code) + QLatin1Char(' ') + text);
        });
    }
    int count(const QString& prefix) const {
        int n = 0;
        for (const QString& l : lines)
            n += l.startsWith(prefix);
        return n;
    }
    QStringList lines;
    QStringList events;
    QStringList errors;
    qint64 lastBytes = -1;
};

// Names a proxy that nobody listens on while it lives.
struct ProxyEnvironment {
    ProxyEnvironment() {
        qputenv("all_proxy", "http://127.0.0.1:9");
        qputenv("ftp_proxy", "http://127.0.0.1:9");
    }
    ~ProxyEnvironment() {
        qunsetenv("all_proxy");
        qunsetenv("ftp_proxy");
    }
};

class FtpClientTest : public ::testing::Test {
protected:
    void startServer(const QStringList& options = {}) {
        ASSERT_TRUE(root.isValid() && local.isValid());
        QDir(root.path()).mkpath(QStringLiteral("incoming"));
        ASSERT_TRUE(server.start(QStringLiteral("ftp_server.py"), QStringList{root.path(), kUser, kPassword} + options))
            << server.error().toStdString();
    }
    FtpResult logOn(const QString& user = kUser, const QString& password = kPassword) {
        return client.logOn(QStringLiteral("127.0.0.1"), server.port(), user, password);
    }
    QString localFile(const QString& name, const QByteArray& bytes) {
        const QString path = local.path() + QLatin1Char('/') + name;
        writeAll(path, bytes);
        return path;
    }
    QString stored(const QString& name) const { return root.path() + QLatin1Char('/') + name; }

    void TearDown() override {
        // A connection left in the shared cache would be closed, QUIT traced,
        // during some later test's transfer.
        client.logOff();
        for (const QString& line : recorder.lines)
            EXPECT_FALSE(line.contains(kPassword)) << line.toStdString();
        if (HasFailure())
            std::cerr << "trace:\n" << recorder.lines.join(QLatin1Char('\n')).toStdString() << std::endl;
    }

    QTemporaryDir root;  // the server's folder
    QTemporaryDir local; // files to upload
    ServerProcess server;
    FtpClient client;
    Recorder recorder{client};
};

TEST_F(FtpClientTest, BinaryUploadsArriveUnchangedOnOneLogOn) {
    startServer();
    // A proxy in the environment must not see the session (nor its password).
    const ProxyEnvironment proxy;
    const QByteArray bytes = randomBytes(300000);
    const QString file = localFile(QStringLiteral("MyApp32.exe"), bytes);

    const FtpResult on = logOn();
    ASSERT_TRUE(on) << on.message.toStdString();
    EXPECT_TRUE(client.isConnected());
    EXPECT_EQ(recorder.count(QStringLiteral("0:USER bob")), 1);
    EXPECT_EQ(recorder.count(QStringLiteral("0:PASS ****")), 1);
    EXPECT_EQ(recorder.count(QStringLiteral("1:230")), 1);

    const std::pair<const char*, const char*> cases[] = {
        {"app.exe", "app.exe"},
        {"incoming/app.exe", "incoming/app.exe"},
        {"/incoming/from root.exe", "incoming/from root.exe"},
    };
    for (const auto& [remote, where] : cases) {
        SCOPED_TRACE(remote);
        recorder.events.clear();
        const FtpResult up = client.upload(file, QString::fromUtf8(remote), FtpClient::Mode::Binary);
        ASSERT_TRUE(up) << up.message.toStdString();
        EXPECT_EQ(readAll(stored(QString::fromUtf8(where))), bytes);
        EXPECT_EQ(recorder.events, (QStringList{QStringLiteral("start"), QStringLiteral("end")}));
        EXPECT_EQ(recorder.lastBytes, bytes.size());
    }
    EXPECT_EQ(recorder.count(QStringLiteral("0:USER")), 1) << "the uploads reuse the log-on";
    EXPECT_EQ(recorder.count(QStringLiteral("0:TYPE I")), 1);
}

TEST_F(FtpClientTest, AsciiUploadSendsEveryLineEndAsCrLf) {
    startServer();
    ASSERT_TRUE(logOn());
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"one\r\ntwo\nthree\rfour\r\n\r\nend", "one\r\ntwo\r\nthree\r\nfour\r\n\r\nend"},
        {"\n\n", "\r\n\r\n"},
        {"no line end", "no line end"},
        {"", ""},
    };
    for (const auto& [text, sent] : cases) {
        SCOPED_TRACE(text.toStdString());
        const QString file = localFile(QStringLiteral("MYAPP.TXT"), text);
        const FtpResult up = client.upload(file, QStringLiteral("incoming/MYAPP.TXT"), FtpClient::Mode::Ascii);
        ASSERT_TRUE(up) << up.message.toStdString();
        EXPECT_EQ(readAll(stored(QStringLiteral("incoming/MYAPP.TXT"))), sent);
    }
    EXPECT_EQ(recorder.count(QStringLiteral("0:TYPE A")), 1);
}

TEST_F(FtpClientTest, AnonymousLogOnUploads) {
    startServer();
    const QString file = localFile(QStringLiteral("a.bin"), "data");
    ASSERT_TRUE(logOn(QString(), QStringLiteral("author@example.com")));
    EXPECT_EQ(recorder.count(QStringLiteral("0:USER anonymous")), 1);
    ASSERT_TRUE(client.upload(file, QStringLiteral("a.bin"), FtpClient::Mode::Binary));
    EXPECT_EQ(readAll(stored(QStringLiteral("a.bin"))), QByteArray("data"));
}

TEST_F(FtpClientTest, FailuresReportTheReasonAndLeaveNoConnection) {
    startServer();
    QTcpServer closed; // a port nobody listens on once it is closed again
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const int closedPort = closed.serverPort();
    closed.close();

    // Wrong password: the server's refusal is the message.
    FtpResult r = logOn(kUser, QStringLiteral("wrong"));
    EXPECT_FALSE(r);
    EXPECT_EQ(r.replyCode, 530);
    EXPECT_TRUE(r.message.startsWith(QLatin1String("530"))) << r.message.toStdString();
    EXPECT_FALSE(client.isConnected());

    r = client.logOn(QStringLiteral("127.0.0.1"), closedPort, kUser, kPassword);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.curlCode, CURLE_COULDNT_CONNECT);
    EXPECT_FALSE(r.message.isEmpty());

    ASSERT_TRUE(logOn());
    const QString file = localFile(QStringLiteral("a.bin"), "data");
    r = client.upload(file, QStringLiteral("no/such/folder/a.bin"), FtpClient::Mode::Binary);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.replyCode, 550);
    EXPECT_TRUE(r.message.startsWith(QLatin1String("550"))) << r.message.toStdString();

    const int before = recorder.lines.size();
    r = client.upload(local.path() + QStringLiteral("/missing.bin"), QStringLiteral("m.bin"), FtpClient::Mode::Binary);
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.message.contains(QLatin1String("missing.bin")));
    EXPECT_EQ(recorder.lines.size(), before) << "nothing is sent for a missing file";

    // A line break in the password would smuggle a command in after PASS.
    r = logOn(kUser, QStringLiteral("x\r\nDELE a.bin"));
    EXPECT_FALSE(r);
    EXPECT_EQ(recorder.count(QStringLiteral("0:DELE")), 0);
    EXPECT_TRUE(recorder.errors.isEmpty());
}

TEST_F(FtpClientTest, Reply421OnUploadRaisesTheErrorEventAndFails) {
    startServer({QStringLiteral("--refuse-stor"), QStringLiteral("1")});
    const QString file = localFile(QStringLiteral("myapp.zip"), randomBytes(5000));
    ASSERT_TRUE(logOn());
    const FtpResult r = client.upload(file, QStringLiteral("myapp.zip"), FtpClient::Mode::Binary);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.replyCode, 421);
    EXPECT_EQ(recorder.errors, QStringList{QStringLiteral("421 Service not available, closing control connection.")});
    EXPECT_FALSE(QFile::exists(stored(QStringLiteral("myapp.zip"))));
    EXPECT_TRUE(recorder.events.isEmpty()) << "no transfer began";

    // The next operation logs on by itself.
    const FtpResult again = client.upload(file, QStringLiteral("myapp.zip"), FtpClient::Mode::Binary);
    ASSERT_TRUE(again) << again.message.toStdString();
    EXPECT_EQ(recorder.count(QStringLiteral("0:USER bob")), 2);
    EXPECT_EQ(recorder.errors.size(), 1);
}

TEST_F(FtpClientTest, AbortEndsASlowUploadAtOnce) {
    startServer({QStringLiteral("--read-limit"), QStringLiteral("32768")});
    const QByteArray bytes = randomBytes(4 * 1024 * 1024); // two minutes at that speed
    const QString file = localFile(QStringLiteral("big.zip"), bytes);
    ASSERT_TRUE(logOn());
    QObject::connect(&client, &FtpClient::transfer, &client, [this](qint64 sent) {
        if (sent > 0)
            client.abort();
    });
    QElapsedTimer clock;
    clock.start();
    const FtpResult r = client.upload(file, QStringLiteral("big.zip"), FtpClient::Mode::Binary);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.curlCode, CURLE_ABORTED_BY_CALLBACK);
    EXPECT_FALSE(client.isConnected());
    EXPECT_EQ(recorder.events, (QStringList{QStringLiteral("start"), QStringLiteral("end")}));
    EXPECT_TRUE(recorder.errors.isEmpty());
    QObject::disconnect(&client, &FtpClient::transfer, &client, nullptr);

    const QString small = localFile(QStringLiteral("small.txt"), "after the abort");
    const FtpResult again = client.upload(small, QStringLiteral("small.txt"), FtpClient::Mode::Binary);
    ASSERT_TRUE(again) << again.message.toStdString();
    EXPECT_EQ(readAll(stored(QStringLiteral("small.txt"))), QByteArray("after the abort"));
    EXPECT_EQ(recorder.count(QStringLiteral("0:USER bob")), 2);
}

// A small file is handed to the system at once and the server takes seconds
// to read it; the window must stay live while the final reply is awaited, and
// an abort then must end the upload.
TEST_F(FtpClientTest, EventsRunWhileTheFinalReplyIsAwaited) {
    startServer({QStringLiteral("--read-limit"), QStringLiteral("10240")});
    const QString file = localFile(QStringLiteral("mid.zip"), randomBytes(60 * 1024));
    ASSERT_TRUE(logOn());
    QElapsedTimer clock;
    qint64 last = 0, longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
        if (clock.elapsed() > 2500)
            client.abort();
    });
    clock.start();
    ticker.start(50);
    const FtpResult r = client.upload(file, QStringLiteral("mid.zip"), FtpClient::Mode::Binary);
    ticker.stop();
    EXPECT_LT(longestGap, 1500);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(r);
}

TEST_F(FtpClientTest, LogOffSendsQuitOnlyOnAnOpenConnection) {
    startServer();
    EXPECT_TRUE(client.logOff());
    EXPECT_TRUE(recorder.lines.isEmpty()) << "no connection is made just to close it";

    ASSERT_TRUE(logOn());
    EXPECT_TRUE(client.logOff());
    EXPECT_EQ(recorder.count(QStringLiteral("0:QUIT")), 1);
    EXPECT_EQ(recorder.count(QStringLiteral("1:221")), 1);
    EXPECT_FALSE(client.isConnected());

    const int before = recorder.lines.size();
    EXPECT_TRUE(client.logOff());
    EXPECT_EQ(recorder.lines.size(), before);
    // Aborting with nothing running changes nothing either.
    client.abort();
    client.idle();
    ASSERT_TRUE(logOn());
    EXPECT_EQ(recorder.count(QStringLiteral("0:USER bob")), 2);
}

} // namespace
