#pragma once

#include <QObject>
#include <QString>

class RunHost;

// The HTTP form submission of one site, over the main window's HTTP1 client
// with the HTTPTimer time-out. The client's events write to the site's
// report page, the run log and the Submit page only while SubmitByHttp runs,
// so the other users of HTTP1 (the data file update, the account dialogs)
// never reach the run's page.
class THttpPath final : public QObject {
    Q_OBJECT
public:
    explicit THttpPath(RunHost& host, QObject* parent = nullptr);

    static inline const QString ContentType = QStringLiteral("application/x-www-form-urlencoded");
    // A script holding this mark is handed to the built-in handler instead of being sent.
    static inline const QString HardcodedMark = QStringLiteral("HARDCODED->FILEMINE");

    bool SubmitByHttp(bool isNew);
    // Skip and Cancel: the client goes idle; the blocked SubmitByHttp returns.
    void stop();

    // The built-in handler of sites that take no form; none is built in, so
    // such a site is never sent anything.
    bool HardcodedSiteHandler(bool isNew, const QString& category1, const QString& category2);

    // Client events and the time-out.
    void HTTP1Connected(int code, const QString& description);
    void HTTP1Disconnected(int code, const QString& description);
    void HTTP1StartTransfer();
    void HTTP1Transfer(qint64 bytes, const QByteArray& text);
    void HTTP1EndTransfer();
    void HTTP1Error(int code, const QString& description);
    void HTTPTimerTimer();

    bool HttpTimedOut = false;

    // The client's reports of a redirect answer, which count as a done post.
    static bool IsAcceptedRedirect(const QString& errorText);
    // The host part of a URL: between "//" and the next ":" or "/".
    static QString HostOf(const QString& url);

private:
    bool finish(bool result);

    RunHost& host_;
    bool active_ = false;
    QString requestHost_;
};
