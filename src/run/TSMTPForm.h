#pragma once

#include "platform/MailMessage.h"
#include "platform/SmtpClient.h"

#include <QObject>
#include <QString>
#include <QStringList>

class RunHost;

// The host of one e-mail message (a site's message or its copy): created for
// the message, freed when it is done. It owns the SMTP client and the
// message, turns the client's events into page and log lines, and records
// whether the send failed.
class TSMTPForm final : public QObject {
    Q_OBJECT
public:
    // Reads the "Setup" section of the program's own INI file (programDir +
    // "postrix.ini"); of its keys only "CharSet" and "Encoding" take effect.
    TSMTPForm(RunHost& host, const QString& programDir, QObject* parent = nullptr);
    ~TSMTPForm() override;

    platform::SmtpClient msSMTP1;
    platform::MailMessage msMessage1;

    QString ToEdit;
    QString SubjectEdit;
    QStringList BodyMemo;
    bool MailSendFailed = false;

    // What the set-up file held when the host was made.
    QString IniServer;
    QString IniAddress;
    QString IniName;
    QString IniLogFile;

    // Sends the message; true when the client reported it accepted and no
    // error, rejection or cancel came during the send.
    bool SendButtonClick();

    // Client events.
    void msSMTP1Open();
    void msSMTP1Prepare();
    void msSMTP1Sending();
    void msSMTP1MailSent();
    void msSMTP1Closing();
    void msSMTP1Closed();
    void msSMTP1Cancel();
    void msSMTP1Error(const QString& message);
    void msSMTP1AddressRejected(const QString& address);
    void msSMTP1Progress(int value);

    static constexpr qsizetype MaxHeaderLength = 255;

private:
    void line(const QString& page, const QString& log);
    void setProgressBarVisible(bool visible);

    RunHost& host_;
};
