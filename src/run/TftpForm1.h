#pragma once

#include "platform/FtpClient.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;
class RunHost;

// The host window of the FTP client: made once, never shown. A run fills its
// fields and presses its buttons; the client's events come back here and go
// to the FTP list and the FTP status of the Submit page.
class TftpForm1 final : public QWidget {
    Q_OBJECT
public:
    // ftpFailed is the run's mark of a failed log-on or upload, which a 421
    // reply sets whatever the operation in progress.
    TftpForm1(RunHost& host, bool& ftpFailed, QWidget* parent = nullptr);
    ~TftpForm1() override;

    platform::FtpClient FTP1;
    // The transfer mode of the next upload.
    platform::FtpClient::Mode TransferMode = platform::FtpClient::Mode::Binary;

    QLineEdit* tHost;
    QLineEdit* tUser;
    QLineEdit* tPasswd;
    QLineEdit* eLocalFile;
    QLineEdit* eRemoteFile;
    QPushButton* Button2; // "&Logon"
    QPushButton* Button3; // "L&ogoff"
    QPushButton* Button5; // "&Upload file"
    QPushButton* Button6; // "Abor&t"

    // The host's operations. The log-on and the upload give the client's
    // result (a failed one is what the run reports as the client's error).
    platform::FtpResult Button2Click();
    void Button3Click(); // an error of the log-off is of no interest
    platform::FtpResult Button5Click();
    void Button6Click();

    // Client events.
    void FTP1FirePITrail(int direction, const QString& message);
    void FTP1StartTransfer();
    void FTP1Transfer(qint64 bytes);
    void FTP1EndTransfer();
    void FTP1Error(int code, const QString& description);

private:
    RunHost& host_;
    bool& ftpFailed_;
};
