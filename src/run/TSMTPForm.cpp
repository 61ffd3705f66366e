#include "TSMTPForm.h"

#include "RunHost.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "reports/TReportsFrm.h"

#include <QDir>

namespace {

const QString SetupSection = QStringLiteral("Setup");

} // namespace

TSMTPForm::TSMTPForm(RunHost& host, const QString& programDir, QObject* parent) : QObject(parent), host_(host) {
    const platform::IniFile ini(QDir(programDir).filePath(QStringLiteral("postrix.ini")));
    IniServer = ini.readString(SetupSection, QStringLiteral("Server"));
    IniAddress = ini.readString(SetupSection, QStringLiteral("EMail Address"));
    IniName = ini.readString(SetupSection, QStringLiteral("Name"));
    IniLogFile = ini.readString(SetupSection, QStringLiteral("Log File"));
    // Values the file does not know fall back to the defaults.
    msMessage1.charset = ini.readInteger(SetupSection, QStringLiteral("CharSet"), 0) == 1
                             ? platform::MailCharset::Latin1
                             : platform::MailCharset::UsAscii;
    msMessage1.encoding = ini.readInteger(SetupSection, QStringLiteral("Encoding"), 0) == 1
                              ? platform::MailEncoding::UUCode
                              : platform::MailEncoding::Mime;
    msSMTP1.setServer(IniServer);
    msMessage1.fromAddress = IniAddress;
    msMessage1.fromName = IniName;

    using platform::SmtpClient;
    connect(&msSMTP1, &SmtpClient::open, this, &TSMTPForm::msSMTP1Open);
    connect(&msSMTP1, &SmtpClient::prepare, this, &TSMTPForm::msSMTP1Prepare);
    connect(&msSMTP1, &SmtpClient::sending, this, &TSMTPForm::msSMTP1Sending);
    connect(&msSMTP1, &SmtpClient::mailSent, this, &TSMTPForm::msSMTP1MailSent);
    connect(&msSMTP1, &SmtpClient::closing, this, &TSMTPForm::msSMTP1Closing);
    connect(&msSMTP1, &SmtpClient::closed, this, &TSMTPForm::msSMTP1Closed);
    connect(&msSMTP1, &SmtpClient::canceled, this, &TSMTPForm::msSMTP1Cancel);
    connect(&msSMTP1, &SmtpClient::error, this, &TSMTPForm::msSMTP1Error);
    connect(&msSMTP1, &SmtpClient::addressRejected, this, &TSMTPForm::msSMTP1AddressRejected);
    connect(&msSMTP1, &SmtpClient::progress, this, &TSMTPForm::msSMTP1Progress);
}

TSMTPForm::~TSMTPForm() = default;

bool TSMTPForm::SendButtonClick() {
    MailSendFailed = false;
    msMessage1.toName.clear();
    msMessage1.toAddress = ToEdit;
    msMessage1.subject = SubjectEdit.left(MaxHeaderLength);
    msMessage1.body = platform::text::joinLines(BodyMemo);
    msSMTP1.setMessage(msMessage1);

    setProgressBarVisible(true);
    struct HideBar {
        TSMTPForm* form;
        ~HideBar() { form->setProgressBarVisible(false); }
    } hide{this};
    const bool accepted = msSMTP1.send();
    return accepted && !MailSendFailed;
}

void TSMTPForm::line(const QString& page, const QString& log) {
    host_.reports().AddPageLine(page);
    if (!log.isEmpty())
        host_.AddLogLine(log);
}

void TSMTPForm::setProgressBarVisible(bool visible) {
    host_.setMailProgressVisible(visible);
}

void TSMTPForm::msSMTP1Open() {
    line(QStringLiteral("Opening SMTP Connection"), QStringLiteral("Opening SMTP Connection"));
}

void TSMTPForm::msSMTP1Prepare() {
    line(QStringLiteral("Preparing Message"), QStringLiteral("Preparing Message"));
}

void TSMTPForm::msSMTP1Sending() {
    line(QStringLiteral("Sending Message"), QStringLiteral("Sending Message"));
}

void TSMTPForm::msSMTP1MailSent() {
    line(QStringLiteral("Mail Sent"), QStringLiteral("Mail Sent"));
    host_.setMailProgress(0);
}

void TSMTPForm::msSMTP1Closing() {
    line(QStringLiteral("Closing Connection"), QStringLiteral("Closing SMTP Connection"));
}

void TSMTPForm::msSMTP1Closed() {
    line(QStringLiteral("Connection Closed"), {});
    host_.setMailProgress(0);
}

// A cancelled message did not go out: it fails like one the server refused,
// so the site is not booked as mailed.
void TSMTPForm::msSMTP1Cancel() {
    line(QStringLiteral("MailSend Operation Canceled!"), {});
    MailSendFailed = true;
}

void TSMTPForm::msSMTP1Error(const QString& message) {
    line(QStringLiteral("ERROR -> ") + message, QStringLiteral("SMTP Error"));
    MailSendFailed = true;
}

void TSMTPForm::msSMTP1AddressRejected(const QString&) {
    line(QStringLiteral("ERROR -> Address Rejected By Server"), QStringLiteral("ERROR -> Address Rejected By Server"));
    MailSendFailed = true;
}

void TSMTPForm::msSMTP1Progress(int value) {
    host_.setMailProgress(value);
}
