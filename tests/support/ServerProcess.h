#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A test server from tests/servers/, run by Debian's python3 on 127.0.0.1.
// The script prints "PORT <n>" (one line per port it listens on) once it
// listens; start() waits for those lines.
class ServerProcess {
public:
    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // script: file name inside tests/servers/. Returns false (with a reason in
    // error()) when the server did not come up within 15 seconds.
    bool start(const QString& script, const QStringList& args = {}, int portCount = 1);
    void stop();

    int port(int index = 0) const { return ports_.value(index, 0); }
    QString error() const { return error_; }
    QString output() const;  // what the server printed so far (stderr merged)

private:
    QProcess process_;
    QList<int> ports_;
    QString error_;
    mutable QByteArray seen_;
};

QString testServersDir();
QString testFixturesDir();
