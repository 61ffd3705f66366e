#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace platform {

// One running copy per user and program folder. A second start hands the
// request to show itself ("5120") to the first and ends.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString channelName(const QString& programDir);

    // True when a running copy took the request; the caller then ends.
    bool handOverToRunning();
    // Starts listening for later starts; false when the channel cannot be made.
    bool listen();

signals:
    void showRequested();

private:
    void onNewConnection();

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace platform
