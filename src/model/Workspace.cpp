#include "Workspace.h"

#include "HelpFile.h"
#include "engines/ExpanderSource.h"
#include "platform/HttpClient.h"
#include "platform/IniFile.h"

#include <QTimer>

Workspace::Workspace(platform::Dialogs& dialogs, platform::Clock& clock, QString programDir, QObject* parent)
    : QObject(parent), dialogs_(dialogs), clock_(clock), programDir_(std::move(programDir))
{
    HTTPTimer = new QTimer(this);
    HTTPTimer->setObjectName(QStringLiteral("HTTPTimer"));
    HTTPTimer->setSingleShot(true);
    HTTPTimer->setInterval(60000);
    HTTP1 = new platform::HttpClient(this);
    HTTP1->setObjectName(QStringLiteral("HTTP1"));
}

Workspace::~Workspace() = default;

QString Workspace::companyName() const { return source_ ? source_->companyField(CompanyField::Name) : QString(); }

QString Workspace::appName() const { return source_ ? source_->appField(AppField::Name) : QString(); }

QString Workspace::engineName() const { return source_ ? source_->engineSiteName() : QString(); }

QString Workspace::fieldText(const QString& objectName) const
{
    return source_ ? source_->controlText(objectName) : QString();
}

bool Workspace::Initialize() { return GWide.Initialize(programDir_, dialogs_, clock_, source_); }

QString Workspace::settingsPath() const { return programDir_ + settings_file::FileName; }

QString Workspace::helpFilePath() const { return programDir_ + HelpFileName; }

void Workspace::getsettings()
{
    settings_file::readSeven(settingsPath(), Settings);
    HTTPTimer->setInterval(Settings.HTTPTimeOut * 1000);
    applyHttpSettings(settings_file::startupPort(Settings.PORT));
    Settings.UseGridLines =
        platform::IniFile(settingsPath()).readBool(settings_file::Section, QStringLiteral("UseGridLines"), false);
    UseGridLines = Settings.UseGridLines;
}

void Workspace::applyHttpSettings(quint16 port)
{
    proxyPort_ = port;
    HTTP1->setProxyHost(Settings.PROXY);
    HTTP1->setProxyPort(port);
}

void Workspace::setUseGridLines(bool on)
{
    UseGridLines = on;
    Settings.UseGridLines = on;
    settings_file::writeUseGridLines(settingsPath(), on);
    emit gridLinesChanged(on);
}

void Workspace::setPosting(bool on)
{
    Posting = on;
    emit postingChanged(on);
}

platform::Dialogs::Answer Workspace::askToSave(const QString& what) const
{
    dialogs_.beep();
    return dialogs_.yesNoCancel(QStringLiteral("Would you like to save %1?").arg(what));
}
