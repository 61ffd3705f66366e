#include "platform/HttpClient.h"

#include "platform/FileError.h"

#include "ServerProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <stdexcept>

using platform::HttpClient;

namespace {

// Everything a client reports, in order.
struct Events {
    explicit Events(HttpClient& client) {
        QObject::connect(&client, &HttpClient::connected, &client, [this](int code, const QString& text) {
            order << QStringLiteral("connected");
            connectedWith = {code, text};
        });
        QObject::connect(&client, &HttpClient::startTransfer, &client, [this] { order << QStringLiteral("start"); });
        QObject::connect(&client, &HttpClient::header, &client, [this](const QString& field, const QString& value) {
            if (order.isEmpty() || order.last() != QLatin1String("header"))
                order << QStringLiteral("header");
            headers.insert(field.toLower(), value);
        });
        QObject::connect(&client, &HttpClient::transfer, &client, [this](qint64 bytes, const QByteArray& text) {
            if (order.isEmpty() || order.last() != QLatin1String("transfer"))
                order << QStringLiteral("transfer");
            counts << bytes;
            body += text;
        });
        QObject::connect(&client, &HttpClient::endTransfer, &client, [this] { order << QStringLiteral("end"); });
        QObject::connect(&client, &HttpClient::disconnected, &client, [this](int code, const QString&) {
            order << QStringLiteral("disconnected");
            disconnectedCode = code;
        });
        QObject::connect(&client, &HttpClient::error, &client, [this](int code, const QString& text) {
            order << QStringLiteral("error");
            errors << qMakePair(code, text);
        });
    }

    QStringList order; // runs of header and transfer events count once
    QPair<int, QString> connectedWith;
    QHash<QString, QString> headers;
    QList<qint64> counts;
    QByteArray body;
    int disconnectedCode = -1;
    QList<QPair<int, QString>> errors;
};

class HttpClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        QDir().mkpath(dir_->filePath(QStringLiteral("files")));
        server_ = new ServerProcess;
        ASSERT_TRUE(
            server_->start(QStringLiteral("http_server.py"), {logPath(), dir_->filePath(QStringLiteral("files"))}))
            << server_->error().toStdString();
    }
    static void TearDownTestSuite() {
        delete server_;
        delete dir_;
    }
    void SetUp() override { QFile::remove(logPath()); }

    static QString logPath() { return dir_->filePath(QStringLiteral("requests.log")); }
    static QString url(const QString& path) {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_->port()).arg(path);
    }
    static QList<QJsonObject> requests() {
        QList<QJsonObject> list;
        QFile log(logPath());
        if (log.open(QIODevice::ReadOnly))
            while (!log.atEnd()) {
                const QByteArray line = log.readLine().trimmed();
                if (!line.isEmpty())
                    list << QJsonDocument::fromJson(line).object();
            }
        return list;
    }
    static QByteArray bodyOf(const QJsonObject& request) { return request[u"body"].toString().toLatin1(); }
    static QString headerOf(const QJsonObject& request, const char* name) {
        return request[u"headers"].toObject()[QLatin1String(name)].toString();
    }

    static ServerProcess* server_;
    static QTemporaryDir* dir_;
};

ServerProcess* HttpClientTest::server_ = nullptr;
QTemporaryDir* HttpClientTest::dir_ = nullptr;

TEST_F(HttpClientTest, PostSendsBodyContentTypeAndUserAgentAsGiven) {
    // Binary and non-ASCII bytes, CR LF and a literal %20 all go out untouched.
    const QByteArray body("a=1\r\nb=2%20c&d=\xE9\x00z", 19);
    HttpClient client;
    client.setUrl(url(QStringLiteral("/form?x=1")));
    client.setContentType(QStringLiteral("application/x-www-form-urlencoded"));
    client.setPostData(body);
    ASSERT_TRUE(client.post()) << client.errorText().toStdString();
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.errorCode(), 0);

    const QList<QJsonObject> seen = requests();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0][u"method"].toString(), QStringLiteral("POST"));
    EXPECT_EQ(seen[0][u"path"].toString(), QStringLiteral("/form?x=1"));
    EXPECT_EQ(bodyOf(seen[0]), body);
    EXPECT_EQ(headerOf(seen[0], "content-type"), QStringLiteral("application/x-www-form-urlencoded"));
    EXPECT_EQ(headerOf(seen[0], "user-agent"), QStringLiteral("devSoft's ipwHTTP Component V1.0"));
}

TEST_F(HttpClientTest, GetSendsNeitherBodyNorContentType) {
    HttpClient client;
    client.setUrl(url(QStringLiteral("/script.cgi?a=1%20b=2&name=My App\t1")));
    client.setContentType(QStringLiteral("application/x-www-form-urlencoded"));
    client.setPostData("left over from a post");
    client.setUserAgent(QStringLiteral("PostrixWeb"));
    ASSERT_TRUE(client.get()) << client.errorText().toStdString();

    const QList<QJsonObject> seen = requests();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0][u"method"].toString(), QStringLiteral("GET"));
    EXPECT_EQ(seen[0][u"path"].toString(), QStringLiteral("/script.cgi?a=1%20b=2&name=My%20App%091"));
    EXPECT_TRUE(bodyOf(seen[0]).isEmpty());
    EXPECT_FALSE(seen[0][u"headers"].toObject().contains(u"content-type"));
    EXPECT_EQ(headerOf(seen[0], "user-agent"), QStringLiteral("PostrixWeb"));
}

TEST_F(HttpClientTest, BodyArrivesInSeveralTransferEventsInOrder) {
    HttpClient client;
    Events events(client);
    client.setUrl(url(QStringLiteral("/chunks?n=5&size=1000&ms=60")));
    ASSERT_TRUE(client.get()) << client.errorText().toStdString();

    EXPECT_EQ(events.order,
              (QStringList{QStringLiteral("connected"), QStringLiteral("start"), QStringLiteral("header"),
                           QStringLiteral("transfer"), QStringLiteral("end"), QStringLiteral("disconnected")}));
    EXPECT_EQ(events.connectedWith, qMakePair(0, QStringLiteral("OK")));
    EXPECT_EQ(events.disconnectedCode, 0);
    EXPECT_EQ(events.headers.value(QStringLiteral("content-length")), QStringLiteral("5000"));
    EXPECT_GE(events.counts.size(), 3);
    for (qsizetype i = 1; i < events.counts.size(); ++i)
        EXPECT_GT(events.counts[i], events.counts[i - 1]) << "byte counts run up with each block";
    EXPECT_EQ(events.counts.last(), 5000);
    EXPECT_EQ(events.body, QByteArray(1000, 'a') + QByteArray(1000, 'b') + QByteArray(1000, 'c') +
                               QByteArray(1000, 'd') + QByteArray(1000, 'e'));
    EXPECT_TRUE(client.succeeded());
}

TEST_F(HttpClientTest, StatusOf300OrMoreIsTheErrorWithCodeAndReason) {
    const struct {
        const char* path;
        int status;
        const char* text;
    } cases[] = {
        {"/redirect/Found", 302, "151: 302 Found"},
        {"/redirect/Moved%20Temporarily", 302, "151: 302 Moved Temporarily"},
        {"/redirect/Document%20Found", 302, "151: 302 Document Found"},
        {"/redirect/Object%20Moved", 302, "151: 302 Object Moved"},
        {"/status/404", 404, "151: 404 Not Found"},
        {"/status/500/Script%20Broke", 500, "151: 500 Script Broke"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        QFile::remove(logPath());
        HttpClient client;
        Events events(client);
        client.setUrl(url(QLatin1String(c.path)));
        EXPECT_FALSE(client.post());
        EXPECT_EQ(client.statusCode(), c.status);
        EXPECT_EQ(client.errorCode(), HttpClient::StatusErrorCode);
        EXPECT_EQ(client.errorText(), QLatin1String(c.text));
        EXPECT_EQ(events.errors, (QList<QPair<int, QString>>{{151, QLatin1String(c.text)}}));
        EXPECT_EQ(events.order.mid(events.order.size() - 3),
                  (QStringList{QStringLiteral("end"), QStringLiteral("disconnected"), QStringLiteral("error")}));
        EXPECT_EQ(requests().size(), 1) << "a redirect is never followed";
    }
}

TEST_F(HttpClientTest, NetworkFailuresGiveTheTransferError) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
    probe.close();

    const struct {
        QString url;
        int timeout;
        int code;
        bool connected;
    } cases[] = {
        {refused, 0, CURLE_COULDNT_CONNECT, false},
        {url(QStringLiteral("/drop")), 0, CURLE_PARTIAL_FILE, true},
        {url(QStringLiteral("/garbage")), 0, CURLE_UNSUPPORTED_PROTOCOL, true},
        {url(QStringLiteral("/hang?s=10")), 1, CURLE_OPERATION_TIMEDOUT, true},
        {QStringLiteral("ftp://127.0.0.1/"), 0, CURLE_UNSUPPORTED_PROTOCOL, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        HttpClient client;
        Events events(client);
        client.setUrl(c.url);
        client.setTimeout(c.timeout);
        EXPECT_FALSE(client.get());
        EXPECT_EQ(client.errorCode(), c.code);
        EXPECT_FALSE(client.errorText().isEmpty());
        EXPECT_EQ(events.errors, (QList<QPair<int, QString>>{{c.code, client.errorText()}}));
        EXPECT_FALSE(events.order.contains(QStringLiteral("end")));
        EXPECT_EQ(events.order.contains(QStringLiteral("connected")), c.connected);
        if (c.connected) {
            EXPECT_EQ(events.disconnectedCode, c.code);
        }
    }
}

TEST_F(HttpClientTest, IdleDuringTheWaitStopsTheRequestPromptly) {
    // From a timer while the server says nothing, and from the client's own
    // transfer event while the body still flows.
    for (const bool fromTransfer : {false, true}) {
        SCOPED_TRACE(fromTransfer ? "idle from transfer" : "idle from timer");
        HttpClient client;
        Events events(client);
        QMetaObject::Connection stopper;
        if (fromTransfer) {
            client.setUrl(url(QStringLiteral("/chunks?n=20&size=10&ms=200")));
            stopper = QObject::connect(&client, &HttpClient::transfer, &client, [&client] { client.idle(); });
        } else {
            client.setUrl(url(QStringLiteral("/hang?s=30")));
            QTimer::singleShot(300, &client, [&client] {
                EXPECT_EQ(client.action(), HttpClient::Action::Get);
                client.idle();
            });
        }
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(client.get());
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(client.action(), HttpClient::Action::Idle);
        EXPECT_EQ(client.errorCode(), HttpClient::StoppedErrorCode);
        EXPECT_EQ(client.errorText(), QStringLiteral("Request stopped"));
        EXPECT_EQ(events.errors.size(), 1);
        if (fromTransfer) {
            EXPECT_EQ(events.counts.size(), 1) << "nothing is reported after idle()";
        }

        QObject::disconnect(stopper);
        client.setUrl(url(QStringLiteral("/ok")));
        EXPECT_TRUE(client.get()) << "the client works again after a stop";
    }
}

TEST_F(HttpClientTest, ProxySettingDecidesAloneWhetherAProxyIsUsed) {
    // The test server answers proxied requests too and records the absolute URI.
    const QByteArray viaServer = QStringLiteral("http://127.0.0.1:%1/").arg(server_->port()).toLatin1();
    qputenv("http_proxy", viaServer);
    qputenv("no_proxy", "example.invalid,127.0.0.1");
    HttpClient client;
    client.setProxyHost(QStringLiteral("127.0.0.1"));
    client.setProxyPort(static_cast<quint16>(server_->port()));
    client.setUrl(QStringLiteral("http://example.invalid/via?x=1"));
    EXPECT_TRUE(client.post()) << client.errorText().toStdString();

    qunsetenv("no_proxy");
    client.setProxyHost(QString());
    client.setUrl(url(QStringLiteral("/direct")));
    EXPECT_TRUE(client.get()) << client.errorText().toStdString();
    qunsetenv("http_proxy");

    const QList<QJsonObject> seen = requests();
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0][u"proxied"].toBool());
    EXPECT_EQ(seen[0][u"path"].toString(), QStringLiteral("http://example.invalid/via?x=1"));
    EXPECT_EQ(seen[0][u"method"].toString(), QStringLiteral("POST"));
    EXPECT_FALSE(seen[1][u"proxied"].toBool());
    EXPECT_EQ(seen[1][u"path"].toString(), QStringLiteral("/direct"));
}

TEST_F(HttpClientTest, LargeBodiesBothWays) {
    HttpClient client;
    QByteArray big(3 << 20, 'q');
    big[0] = 'x';
    big[big.size() - 1] = 'y';
    client.setUrl(url(QStringLiteral("/big-post")));
    client.setPostData(big);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(client.post()) << client.errorText().toStdString();
    const QList<QJsonObject> seen = requests();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(bodyOf(seen[0]), big);
    EXPECT_FALSE(seen[0][u"headers"].toObject().contains(u"expect")) << "no wait for 100 Continue";

    // 40 MiB of the byte pattern 0..255, checked block by block as it arrives.
    const qint64 size = 40 << 20;
    qint64 offset = 0;
    int blocks = 0;
    bool intact = true;
    QObject::connect(&client, &HttpClient::transfer, &client, [&](qint64 bytes, const QByteArray& text) {
        for (qsizetype i = 0; i < text.size(); ++i)
            intact = intact && static_cast<uchar>(text[i]) == static_cast<uchar>((offset + i) % 256);
        offset += text.size();
        intact = intact && bytes == offset;
        ++blocks;
    });
    client.setUrl(url(QStringLiteral("/huge?size=%1").arg(size)));
    ASSERT_TRUE(client.get()) << client.errorText().toStdString();
    EXPECT_EQ(offset, size);
    EXPECT_TRUE(intact);
    EXPECT_GT(blocks, 100);
}

TEST_F(HttpClientTest, LocalFileGetsOnlyTheBodyOfASuccessfulAnswer) {
    const QByteArray archive = QByteArray("PK\x03\x04", 4) + QByteArray(70000, '\x01');
    {
        QFile file(dir_->filePath(QStringLiteral("files/pxsites.zip")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(archive);
    }
    const QString target = dir_->filePath(QStringLiteral("download.zip"));
    auto contents = [&target] {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    };
    HttpClient client;
    Events events(client);
    client.setLocalFile(target);
    client.setUrl(url(QStringLiteral("/files/pxsites.zip")));
    ASSERT_TRUE(client.get()) << client.errorText().toStdString();
    EXPECT_EQ(contents(), archive);
    EXPECT_EQ(events.body, archive) << "transfer events still carry the blocks";

    // Failed downloads leave the earlier file as it was.
    for (const char* path : {"/files/missing.zip", "/drop"}) {
        SCOPED_TRACE(path);
        client.setUrl(url(QLatin1String(path)));
        EXPECT_FALSE(client.get());
        EXPECT_EQ(contents(), archive);
    }

    client.setLocalFile(dir_->filePath(QStringLiteral("no-such-folder/x.zip")));
    client.setUrl(url(QStringLiteral("/ok")));
    EXPECT_THROW(client.get(), platform::FileError);
    EXPECT_EQ(client.action(), HttpClient::Action::Idle);
}

TEST_F(HttpClientTest, ExceptionInASlotEndsTheRequestAndComesOutOfTheCall) {
    HttpClient client;
    int transfers = 0;
    QObject::connect(&client, &HttpClient::transfer, &client, [&transfers] {
        ++transfers;
        throw std::runtime_error("Unable to write to report");
    });
    client.setUrl(url(QStringLiteral("/chunks?n=10&size=10&ms=200")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(client.get(), std::runtime_error);
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_EQ(transfers, 1);
    EXPECT_EQ(client.action(), HttpClient::Action::Idle);
}

TEST_F(HttpClientTest, RequestsStartedInsideAnotherRequestsWait) {
    // A slot running during the wait may make its own blocking request; the
    // outer one carries on afterwards. A second call on the busy client is refused.
    HttpClient outer;
    HttpClient inner;
    Events outerEvents(outer);
    bool innerOk = false;
    bool busyRefused = false;
    QObject::connect(&outer, &HttpClient::transfer, &outer, [&] {
        if (outerEvents.counts.size() != 1)
            return;
        inner.setUrl(url(QStringLiteral("/chunks?n=3&size=5&ms=20")));
        innerOk = inner.get();
        busyRefused = !outer.post();
    });
    QTimer guard; // a wait that can no longer progress fails instead of hanging
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &outer, [&] {
        inner.idle();
        outer.idle();
    });
    guard.start(5000);
    outer.setUrl(url(QStringLiteral("/chunks?n=4&size=100&ms=80")));
    ASSERT_TRUE(outer.get()) << outer.errorText().toStdString();
    EXPECT_TRUE(innerOk) << inner.errorText().toStdString();
    EXPECT_TRUE(busyRefused);
    EXPECT_EQ(outerEvents.body.size(), 400);
    EXPECT_TRUE(outer.succeeded());
    EXPECT_EQ(requests().size(), 2);
}

} // namespace
