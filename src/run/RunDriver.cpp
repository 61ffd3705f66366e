#include "RunDriver.h"

#include "engines/EngineFiles.h"
#include "engines/ExpanderSource.h"
#include "model/PageLinks.h"
#include "model/Workspace.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/TextHelpers.h"
#include "reports/TReportsFrm.h"
#include "selection/SiteSelection.h"

#include <QFileInfo>

#include <exception>

namespace {

QString exceptionText(const std::exception& error) {
    const auto* fileError = dynamic_cast<const platform::FileError*>(&error);
    return fileError ? fileError->message() : QString::fromLocal8Bit(error.what());
}

} // namespace

TRunDriver::TRunDriver(Workspace& model, SiteGridRows& grid, RunNeighbours& neighbours, RunPaths& paths,
                       RunView& view)
    : model_(model), grid_(grid), neighbours_(neighbours), paths_(paths), view_(view) {}

TRunDriver::~TRunDriver() = default;

TReportsFrm& TRunDriver::reports() {
    if (!reports_)
        reports_ = std::make_unique<TReportsFrm>(model_.GWide.ReportsDir, model_.GWide.ImagesDir, model_.clock());
    return *reports_;
}

bool TRunDriver::IsEngineCompatible() const {
    const SiteEngine& engine = model_.GWide.EngBuild->Engine;
    const ExpanderSource* app = model_.expanderSource();
    return selection::IsSiteCompatible(
        selection::typeCell(encodeSiteType(engine.siteType), encodeSiteSystem(engine.siteSystem)),
        app ? app->appField(AppField::Platform) : QString(), app ? app->appField(AppField::Status) : QString());
}

void TRunDriver::SetRunControls(bool running) {
    model_.setPosting(running);
    view_.showRunControls(running);
}

void TRunDriver::Submit() {
    try {
        cancelRequested_ = false;
        skipRequested_ = false;
        view_.clearLists();

        if (!mailSettingsFilled())
            return;
        const ::Settings& s = model_.Settings;
        paths_.setMailSetup(s.SMTP, s.EMAIL, s.NAME);
        // A port that is no 16-bit number stops here with the conversion error.
        model_.applyHttpSettings(settings_file::strictPort(s.PORT));

        if (!profileChecked() || !savePromptsPassed())
            return;
        if (!grid_.CountSitesToPost(true))
            return;

        platform::setBusyCursor();
        SetRunControls(true);
        runBegun_ = false;
        reports().BeginRun(model_.appName());
        runBegun_ = true;
        neighbours_.wrapLongDescription();
        SitesProcessed = 0;
        runRows();
    } catch (const std::exception& error) {
        // The error box comes first, so that the page does not look idle
        // while the user has not yet seen why the run stopped.
        model_.dialogs().exceptionBox(exceptionText(error));
        if (model_.Posting)
            abandonRun();
    }
}

bool TRunDriver::mailSettingsFilled() {
    const ::Settings& s = model_.Settings;
    while (s.SMTP.isEmpty() || s.EMAIL.isEmpty() || s.NAME.isEmpty()) {
        // Cancel leaves the run unstarted; re-showing the dialog after it
        // would leave the user no way out but to type something.
        if (!neighbours_.editSettings())
            return false;
    }
    return true;
}

bool TRunDriver::profileChecked() {
    platform::Dialogs& dialogs = model_.dialogs();
    auto refuse = [&](const char* message) {
        dialogs.beep();
        dialogs.message(QString::fromUtf8(message));
        return false;
    };
    auto field = [&](const char* objectName) { return model_.fieldText(QLatin1String(objectName)); };
    auto missingFile = [](const QString& path) { return !QFileInfo(path).isFile(); };
    auto missingAttachment = [&](const char* objectName) {
        const QString path = field(objectName);
        return !path.isEmpty() && missingFile(path);
    };

    if (model_.appName().isEmpty())
        return refuse("You have not selected an app to submit.");
    if (field("char8name").isEmpty())
        return refuse("The 8 Character Filename for this app is blank.");
    if (field("platforms").isEmpty())
        return refuse("You have not selected the platform for this application");
    if (field("diststatus").isEmpty())
        return refuse("You have not selected the distribution for this application");
    if (field("status").isEmpty())
        return refuse("You have not selected the status for this application");
    if (missingFile(field("localpath")))
        return refuse("You have selected an invalid local path for this application's file.");
    if (missingAttachment("IcoFileEdit"))
        return refuse("You have selected an invalid path for the Ico file.");
    if (missingAttachment("GifFileEdit"))
        return refuse("You have selected an invalid path for the Gif file.");
    if (missingAttachment("ScreenShotEdit"))
        return refuse("You have selected an invalid path for the Screen Shot file.");
    if (missingAttachment("OtherFileEdit"))
        return refuse("You have selected an invalid path for the \"Other\" file.");
    return true;
}

bool TRunDriver::savePromptsPassed() {
    using Answer = platform::Dialogs::Answer;
    if (!model_.AppSaved) {
        const Answer a = model_.askToSave(model_.appName());
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            neighbours_.SaveApp();
    }
    if (!model_.CompanySaved) {
        const Answer a = model_.askToSave(QStringLiteral("Changed Company Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            neighbours_.SaveCompany();
    }
    if (!model_.EngineSaved) {
        const Answer a = model_.askToSave(QStringLiteral("Added/Changed Engine Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            neighbours_.SaveEngine();
    }
    return true;
}

bool TRunDriver::loadRowEngine(int row) {
    const QString site = grid_.cell(row, selection::SiteCol);
    model_.requestEngine(site);
    // Loading shows the default cursor when done; the run is not done.
    platform::setBusyCursor();
    // A load the Site Builder did not make (no such engine in its list, or
    // its own question answered with Cancel) must not send the row with the
    // engine of another site.
    return model_.GWide.EngBuild && model_.GWide.EngBuild->Engine.siteName == site &&
           model_.engineName() == site;
}

void TRunDriver::runRows() {
    TReportsFrm& report = reports();
    const int retries = model_.Settings.FTPRetries;

    for (int i = 0; i < grid_.rowCount(); ++i) {
        currentRow_ = i;
        bool siteOk = true;
        view_.setStatusesIdle();
        view_.allLampsOff();
        grid_.selectRow(i); // the expander takes the categories of the selected row

        const QString rowName = grid_.cell(i, selection::SiteCol);
        bool processed = grid_.cell(i, selection::PostCol) != selection::No;
        if (processed)
            processed = loadRowEngine(i) && IsEngineCompatible();

        if (processed) {
            skipRequested_ = false;
            const QString site = model_.engineName();
            report.CurrentSite = site;
            view_.showSite(site);
            const SiteEngine& engine = model_.GWide.EngBuild->Engine;
            const bool isNew = grid_.cell(i, selection::SubmitCol) == selection::New;
            auto bookAndEnd = [&] {
                if (siteOk)
                    ++report.SucceededCount;
                else
                    ++report.FailedCount;
                EndRun(true);
            };

            if (engine.useFtpUpload && !skipRequested_) {
                view_.lightOnly(RunLamp::Ftp);
                report.BeginPage(QStringLiteral("FTP"));
                view_.clearFtpList();
                bool uploaded = false;
                for (int attempt = 0;;) {
                    if (paths_.SubmitByFtp()) {
                        uploaded = true;
                        break;
                    }
                    if (++attempt > retries || skipRequested_)
                        break;
                }
                if (!uploaded)
                    siteOk = false;
                for (const QString& line : view_.ftpLines())
                    report.AddPageLine(line);
                report.EndPage(QStringLiteral("FTP"), rowName);
                paths_.ftpLogOff();
            }
            if (cancelRequested_)
                return bookAndEnd();

            QString url = isNew ? engine.httpNewScriptUrl : engine.httpUpdateScriptUrl;
            TrimLeadingSpaces(url);
            if (engine.useHttpPost && !url.isEmpty() && !skipRequested_) {
                view_.lightOnly(RunLamp::Http);
                report.BeginPage(QStringLiteral("HTTP"));
                if (!paths_.SubmitByHttp(isNew))
                    siteOk = false;
                report.EndPage(QStringLiteral("HTTP"), rowName, view_.httpResponse());
            }
            if (cancelRequested_)
                return bookAndEnd();

            QString recipient = isNew ? engine.emailToName : engine.emailToNameUpdate;
            TrimLeadingSpaces(recipient);
            if (engine.useEmail && !recipient.isEmpty() && !skipRequested_) {
                report.BeginPage(QStringLiteral("EMAIL"));
                view_.lightOnly(RunLamp::Mail);
                const bool sent = paths_.SubmitByEmail(isNew, i, false);
                if (!sent)
                    siteOk = false;
                else if (model_.GWide.EngBuild->Engine.emailSendCopy)
                    paths_.SubmitByEmail(isNew, i, true);
                report.EndPage(QStringLiteral("EMAIL"), rowName);
            }

            if (siteOk) {
                ++report.SucceededCount;
                if (grid_.cell(i, selection::SubmitCol) != selection::Update)
                    grid_.setCell(i, selection::SubmitCol, selection::Update);
                grid_.setCell(i, selection::LastPostCol, platform::shortDate(model_.clock().now().date()));
            } else {
                ++report.FailedCount;
            }
            ++SitesProcessed;
            view_.siteProcessed(SitesProcessed);
            if (cancelRequested_)
                return EndRun(true);
        }

        if (skipRequested_) {
            view_.AddLogLine(QStringLiteral("SKIPPED -> ") + rowName);
            skipRequested_ = false;
        }
    }
    EndRun(false);
}

void TRunDriver::EndRun(bool) {
    // The cancelled and the normal ending are the same.
    view_.showSite(QString());
    view_.setStatusesIdle();
    view_.allLampsOff();
    grid_.SaveSiteSelection();
    reports().FinishRun(view_.logLines());
    SetRunControls(false);
    platform::setDefaultCursor();
    AskViewReport();
}

void TRunDriver::abandonRun() {
    view_.showSite(QString());
    view_.setStatusesIdle();
    view_.allLampsOff();
    try {
        grid_.SaveSiteSelection();
    } catch (const std::exception&) {
        // The error already shown is the one the user needs.
    }
    if (runBegun_) {
        try {
            reports().FinishRun(view_.logLines());
        } catch (const std::exception&) {
        }
    }
    SetRunControls(false);
    platform::setDefaultCursor();
}

void TRunDriver::AskViewReport() {
    platform::Dialogs& dialogs = model_.dialogs();
    dialogs.beep();
    if (dialogs.yesNo(QStringLiteral("Submission Process Done. View Report?")) == platform::Dialogs::Answer::Yes)
        dialogs.openUrl(reports().MainReportUrl);
}

void TRunDriver::Skip() {
    skipRequested_ = true;
    paths_.stopForSkip();
}

void TRunDriver::Cancel() {
    platform::Dialogs& dialogs = model_.dialogs();
    dialogs.beep();
    if (dialogs.yesNo(QStringLiteral("Sure you want to cancel all posts?")) != platform::Dialogs::Answer::Yes)
        return;
    paths_.stopForCancel();
    cancelRequested_ = true;
}
