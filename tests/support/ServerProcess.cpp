#include "ServerProcess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

QString testServersDir() { return QStringLiteral(POSTRIX_TEST_SERVERS); }
QString testFixturesDir() { return QStringLiteral(POSTRIX_TEST_FIXTURES); }

ServerProcess::~ServerProcess() { stop(); }

bool ServerProcess::start(const QString& script, const QStringList& args, int portCount)
{
    ports_.clear();
    seen_.clear();
    error_.clear();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    QStringList all{QStringLiteral("-u"), testServersDir() + QLatin1Char('/') + script};
    all += args;
    process_.start(QStringLiteral("/usr/bin/python3"), all);
    if (!process_.waitForStarted(5000)) {
        error_ = QStringLiteral("python3 did not start");
        return false;
    }
    const QRegularExpression portLine(QStringLiteral("^PORT (\\d+)\\s*$"), QRegularExpression::MultilineOption);
    QDeadlineTimer deadline(15000);
    while (ports_.size() < portCount && !deadline.hasExpired()) {
        if (process_.state() != QProcess::Running && process_.bytesAvailable() == 0)
            break;
        process_.waitForReadyRead(200);
        seen_ += process_.readAll();
        ports_.clear();
        auto it = portLine.globalMatch(QString::fromUtf8(seen_));
        while (it.hasNext())
            ports_.append(it.next().captured(1).toInt());
    }
    if (ports_.size() < portCount) {
        error_ = QStringLiteral("server %1 did not report its port: %2").arg(script, QString::fromUtf8(seen_));
        stop();
        return false;
    }
    return true;
}

void ServerProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QString ServerProcess::output() const
{
    auto& self = const_cast<QProcess&>(process_);
    seen_ += self.readAll();
    return QString::fromUtf8(seen_);
}
