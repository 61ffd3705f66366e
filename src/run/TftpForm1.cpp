#include "TftpForm1.h"

#include "RunHost.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* field(QFormLayout* form, QWidget* parent, const char* name, const char* label) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    form->addRow(QString::fromUtf8(label), edit);
    return edit;
}

QPushButton* button(QHBoxLayout* row, QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    row->addWidget(b);
    return b;
}

} // namespace

TftpForm1::TftpForm1(RunHost& host, bool& ftpFailed, QWidget* parent)
    : QWidget(parent), host_(host), ftpFailed_(ftpFailed) {
    setObjectName(QStringLiteral("ftpForm1"));
    setWindowTitle(QStringLiteral("FTP Demo"));

    auto* layout = new QFormLayout(this);
    tHost = field(layout, this, "tHost", "Host:");
    tUser = field(layout, this, "tUser", "User:");
    tPasswd = field(layout, this, "tPasswd", "Password:");
    tPasswd->setEchoMode(QLineEdit::Password);
    eLocalFile = field(layout, this, "eLocalFile", "Local file:");
    eRemoteFile = field(layout, this, "eRemoteFile", "Remote file:");
    auto* buttons = new QHBoxLayout;
    Button2 = button(buttons, this, "Button2", "&Logon");
    Button3 = button(buttons, this, "Button3", "L&ogoff");
    Button5 = button(buttons, this, "Button5", "&Upload file");
    Button6 = button(buttons, this, "Button6", "Abor&t");
    layout->addRow(buttons);

    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, &TftpForm1::Button3Click);
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button6, &QPushButton::clicked, this, &TftpForm1::Button6Click);

    using platform::FtpClient;
    connect(&FTP1, &FtpClient::trace, this, &TftpForm1::FTP1FirePITrail);
    connect(&FTP1, &FtpClient::startTransfer, this, &TftpForm1::FTP1StartTransfer);
    connect(&FTP1, &FtpClient::transfer, this, &TftpForm1::FTP1Transfer);
    connect(&FTP1, &FtpClient::endTransfer, this, &TftpForm1::FTP1EndTransfer);
    connect(&FTP1, &FtpClient::error, this, &TftpForm1::FTP1Error);
}

TftpForm1::~TftpForm1() {
    // A run never frees the host while it waits; the program's end may.
    FTP1.abort();
}

platform::FtpResult TftpForm1::Button2Click() {
    // The server field may carry a port ("host:2121"); 21 otherwise.
    return FTP1.logOn(tHost->text(), 21, tUser->text(), tPasswd->text());
}

void TftpForm1::Button3Click() {
    FTP1.logOff();
}

platform::FtpResult TftpForm1::Button5Click() {
    return FTP1.upload(eLocalFile->text(), eRemoteFile->text(), TransferMode);
}

void TftpForm1::Button6Click() {
    FTP1.idle();
}

void TftpForm1::FTP1FirePITrail(int direction, const QString& message) {
    if (message == QLatin1String("Disconnected.")) {
        FTP1.abort();
        FTP1.idle();
    }
    const char* prefix = direction == platform::FtpClient::FromClient   ? "CLIENT: "
                         : direction == platform::FtpClient::FromServer ? "SERVER: "
                                                                        : "INFO: ";
    host_.AddFtpLine(QLatin1String(prefix) + message);
}

void TftpForm1::FTP1StartTransfer() {
    host_.AddFtpLine(QStringLiteral("TRANSFER BEGIN."));
    host_.setFtpStatus(QStringLiteral("Starting Transfer"));
}

void TftpForm1::FTP1Transfer(qint64 bytes) {
    host_.setFtpStatus(QStringLiteral("Bytes Transfered: ") + QString::number(bytes));
}

void TftpForm1::FTP1EndTransfer() {
    host_.AddFtpLine(QStringLiteral("TRANSFER END."));
    host_.scrollLogToEnd();
}

void TftpForm1::FTP1Error(int code, const QString& description) {
    host_.AddFtpLine(QStringLiteral("ERR Event: ") + QString::number(code) + description);
    host_.setFtpStatus(QStringLiteral("FTP Error"));
    if (code == 421)
        ftpFailed_ = true;
}
