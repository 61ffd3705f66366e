#include "SubmitPage.h"
#include "shell/ControlText.h"

#include "EmailPath.h"
#include "FtpPath.h"
#include "HttpPath.h"
#include "TALed.h"
#include "TSubmissionVerifyFrm.h"
#include "engines/EngineFiles.h"
#include "engines/SiteBuilderPage.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/HttpClient.h"
#include "profiles/AppInfoPage.h"
#include "profiles/CompanyInfoPage.h"
#include "reports/TReportsFrm.h"
#include "selection/SitesPage.h"
#include "shell/MainExpanderSource.h"
#include "shell/Settings.h"
#include "shell/TGWide.h"
#include "shell/TMainFrm.h"
#include "shell/TSettingsForm.h"
#include "shell/TextHelpers.h"

#include <QAbstractListModel>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>

#include <exception>

// The hidden "xfer" list: a view of the response chunks the HTTP path keeps.
class XferModel final : public QAbstractListModel {
public:
    XferModel(const QStringList& lines, QObject* parent) : QAbstractListModel(parent), lines_(lines) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(lines_.size()); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= lines_.size())
            return {};
        return lines_[index.row()];
    }
    void refresh() {
        beginResetModel();
        endResetModel();
    }

private:
    const QStringList& lines_;
};

namespace {

const QString Idle = QStringLiteral("Idle");

QLabel* caption(QWidget* parent, const char* text, int x, int y, int w) {
    auto* label = new QLabel(QLatin1String(text), parent);
    label->setGeometry(x, y, w, 16);
    return label;
}

QLabel* valueLabel(QWidget* parent, const char* name, int x, int y, int w) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, w, 16);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, const char* hint, int x, int y) {
    auto* b = new QPushButton(QLatin1String(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setGeometry(x, y, 92, 24);
    return b;
}

QListWidget* list(QWidget* parent, const char* name, const QRect& geometry) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setUniformItemSizes(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return l;
}

QLCDNumber* panel(QWidget* parent, const char* name, int x, int y) {
    auto* p = new QLCDNumber(3, parent);
    p->setObjectName(QLatin1String(name));
    p->setSegmentStyle(QLCDNumber::Flat);
    p->setGeometry(x, y, 64, 30);
    QPalette colours = p->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, TALed::onColor());
    p->setPalette(colours);
    p->setAutoFillBackground(true);
    p->display(QString());
    return p;
}

TALed* led(QWidget* parent, const char* name, const char* text, int x, int y, int captionWidth) {
    caption(parent, text, x, y, captionWidth);
    auto* l = new TALed(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x + captionWidth, y + 1, 14, 14);
    return l;
}

QString exceptionText(const std::exception& error) {
    const auto* fileError = dynamic_cast<const platform::FileError*>(&error);
    return fileError ? fileError->message() : QString::fromLocal8Bit(error.what());
}

} // namespace

TSubmitPage::TSubmitPage(TMainFrm& main, QWidget* parent) : QWidget(parent), main_(main) {
    setObjectName(QStringLiteral("SubmitSheet"));
    createControls();

    http_ = std::make_unique<THttpPath>(*this);
    ftp_ = std::make_unique<TFtpPath>(*this);
    email_ = std::make_unique<TEmailPath>(*this);

    sitesPage_ = main_.SitesSheet;
    if (sitesPage_) {
        sitesPage_->VerifySubmission = [this](const selection::PostStats& stats) { return verifySubmission(stats); };
        sitesPage_->TallyShown = [this](int totalToPost) { showTally(totalToPost); };
    }
}

TSubmitPage::~TSubmitPage() {
    // The pages go in the order they were made; the Sites page may be gone already.
    if (sitesPage_) {
        sitesPage_->VerifySubmission = nullptr;
        sitesPage_->TallyShown = nullptr;
    }
}

void TSubmitPage::createControls() {
    // Left: what the run is doing now, and the FTP list.
    caption(this, "Current:", 8, 6, 76);
    currentsite = valueLabel(this, "currentsite", 86, 6, 202);
    caption(this, "HTTP Status:", 8, 24, 76);
    httpstatus = valueLabel(this, "httpstatus", 86, 24, 202);
    caption(this, "HTTP Bytes:", 8, 42, 76);
    httpbytes = valueLabel(this, "httpbytes", 86, 42, 202);
    caption(this, "Mail Status:", 8, 60, 76);
    mailstatus = valueLabel(this, "mailstatus", 86, 60, 202);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(86, 78, 202, 10);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide(); // shown while a message is being sent
    caption(this, "FTP Status:", 8, 92, 76);
    ftpstatus = valueLabel(this, "ftpstatus", 86, 92, 202);
    ftplist = list(this, "ftplist", QRect(8, 114, 280, 96));

    // Right: lamps, counters, progress and the buttons.
    ftpled = led(this, "ftpled", "FTP:", 300, 6, 30);
    httpled = led(this, "httpled", "HTTP:", 364, 6, 38);
    mailled = led(this, "mailled", "EMAIL:", 436, 6, 44);
    caption(this, "Total To Post:", 300, 28, 120);
    SitesToPostdgt = panel(this, "SitesToPostdgt", 300, 44);
    caption(this, "Total Processed:", 420, 28, 120);
    SitesProcesseddgt = panel(this, "SitesProcesseddgt", 420, 44);
    caption(this, "Total Progress:", 300, 80, 120);
    PostStatus = new QProgressBar(this);
    PostStatus->setObjectName(QStringLiteral("PostStatus"));
    PostStatus->setGeometry(300, 96, 284, 16);
    PostStatus->setRange(0, 1);
    PostStatus->setValue(0);
    PostStatus->setTextVisible(false);

    submitBtn = button(this, "submitBtn", "Save/Submit",
                       "Saves the current app and submits it to all sites marked to post.", 300, 124);
    skip = button(this, "skip", "Skip",
                  "Instructs Postrix to stop posting to this site and go to the next one.  This may take a while "
                  "depending on Postrix's current state.",
                  396, 124);
    cancel = button(this, "cancel", "Cancel",
                    "Instructs Postrix to Cancel this entire submission run.  This can take some time depending on "
                    "Postrix's current state.",
                    492, 124);
    ViewReport =
        button(this, "ViewReport", "View Reports", "View Submission reports with your default web browser.", 300, 154);
    print = button(this, "print", "Print Log", "Print the current log to your printer.", 396, 154);
    exitb = button(this, "exitb", "Exit", "Close Postrix.", 492, 154);
    skip->setEnabled(false);
    cancel->setEnabled(false);

    // Bottom: the run log over the whole width.
    caption(this, "Log:", 8, 214, 60);
    log = list(this, "log", QRect(8, 230, 576, 146));

    xferModel_ = new XferModel(xfer_, this);
    xferView = new QListView(this);
    xferView->setObjectName(QStringLiteral("xfer"));
    xferView->setModel(xferModel_);
    xferView->hide();

    setStatusesIdle();

    connect(submitBtn, &QPushButton::clicked, this, &TSubmitPage::submitBtnClick);
    connect(skip, &QPushButton::clicked, this, &TSubmitPage::skipClick);
    connect(cancel, &QPushButton::clicked, this, &TSubmitPage::cancelClick);
    connect(ViewReport, &QPushButton::clicked, this, &TSubmitPage::ViewReportClick);
    connect(print, &QPushButton::clicked, this, &TSubmitPage::printClick);
    connect(exitb, &QPushButton::clicked, this, &TSubmitPage::exitbClick);
}

// --- RunHost

TEngBuild& TSubmitPage::engines() {
    return *main_.GWide->EngBuild;
}

TReportsFrm& TSubmitPage::reports() {
    if (!reports_)
        reports_ = std::make_unique<TReportsFrm>(main_.GWide->ReportsDir, main_.GWide->ImagesDir, main_.clock());
    return *reports_;
}

void TSubmitPage::AddLogLine(const QString& text) {
    log->addItem(text);
    log->scrollToBottom();
}

void TSubmitPage::AddFtpLine(const QString& text) {
    ftplist->addItem(text);
    ftplist->scrollToBottom();
}

static QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    lines.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

QStringList TSubmitPage::ftpLines() const {
    return linesOf(ftplist);
}

QString TSubmitPage::currentSiteName() const {
    return main_.SiteBuilderSheet->EB_SiteNameCombo->currentText();
}

QString TSubmitPage::rowSite(int row) const {
    return rowCell(row, selection::SiteCol);
}

QString TSubmitPage::rowCell(int row, int column) const {
    return main_.SitesSheet->cell(row, column);
}

void TSubmitPage::setHttpStatus(const QString& text) {
    httpstatus->setText(text);
}
void TSubmitPage::setMailStatus(const QString& text) {
    mailstatus->setText(text);
}
void TSubmitPage::setFtpStatus(const QString& text) {
    ftpstatus->setText(text);
}
void TSubmitPage::setHttpBytes(const QString& text) {
    httpbytes->setText(text);
}
void TSubmitPage::setMailProgress(int percent) {
    ProgressBar1->setValue(qBound(0, percent, 100));
}
void TSubmitPage::xferChanged() {
    xferModel_->refresh();
}
void TSubmitPage::scrollLogToEnd() {
    log->scrollToBottom();
}

// --- Page state

void TSubmitPage::setStatusesIdle() {
    httpstatus->setText(Idle);
    mailstatus->setText(Idle);
    ftpstatus->setText(Idle);
}

void TSubmitPage::allLedsOff() {
    for (TALed* l : {ftpled, httpled, mailled}) {
        l->setBlinking(false);
        l->setOn(false);
    }
}

void TSubmitPage::lightOnly(TALed* lit) {
    for (TALed* l : {ftpled, httpled, mailled})
        if (l != lit)
            l->setBlinking(false);
    lit->setOn(true);
    lit->setBlinking(true);
}

void TSubmitPage::setPanel(QLCDNumber* p, int value) {
    const int shown = qBound(0, value, PanelMaximum);
    if (shown == 0)
        p->display(QString());
    else
        p->display(shown);
}

void TSubmitPage::setSitesToPost(int value) {
    sitesToPost_ = value;
    setPanel(SitesToPostdgt, value);
}

void TSubmitPage::showTally(int totalToPost) {
    setSitesToPost(totalToPost);
    SitesProcessed = 0;
    setPanel(SitesProcesseddgt, 0);
    // A maximum of 0 would turn the bar into a busy indicator.
    PostStatus->setRange(0, qMax(totalToPost, 1));
    PostStatus->setValue(0);
}

bool TSubmitPage::verifySubmission(const selection::PostStats& stats) {
    TSubmissionVerifyFrm form(stats, &main_);
    return main_.dialogs().runModal(form) == QDialog::Accepted;
}

QString TSubmitPage::fieldText(const char* objectName) const {
    return controlText(main_, objectName);
}

bool TSubmitPage::IsEngineCompatible() const {
    const SiteEngine& engine = main_.GWide->EngBuild->Engine;
    const MainExpanderSource& app = main_.expanderSource();
    return selection::IsSiteCompatible(
        selection::typeCell(encodeSiteType(engine.siteType), encodeSiteSystem(engine.siteSystem)),
        app.appField(AppField::Platform), app.appField(AppField::Status));
}

void TSubmitPage::SetRunControls(bool running) {
    main_.Posting = running;
    main_.filepd->menuAction()->setEnabled(!running);
    main_.Mnu_Help->menuAction()->setEnabled(!running);
    main_.Mnu_Reports->setEnabled(!running);
    for (QPushButton* b : {submitBtn, ViewReport, print, exitb})
        b->setEnabled(!running);
    skip->setEnabled(running);
    cancel->setEnabled(running);
    if (!running) {
        setSitesToPost(0);
        setPanel(SitesProcesseddgt, 0);
        PostStatus->setValue(0);
    }
}

// --- Handlers

void TSubmitPage::submitBtnClick() {
    try {
        cancelRequested_ = false;
        skipRequested_ = false;
        ftplist->clear();
        log->clear();

        if (!mailSettingsFilled())
            return;
        const ::Settings& s = main_.Settings;
        email_->setMailSetup(s.SMTP, s.EMAIL, s.NAME);
        // A port that is no 16-bit number stops here with the conversion error.
        main_.applyHttpSettings(settings_file::strictPort(s.PORT));

        if (!profileChecked() || !savePromptsPassed())
            return;
        if (!main_.SitesSheet->CountSitesToPost(true))
            return;

        main_.SetBusyCursor();
        SetRunControls(true);
        runBegun_ = false;
        reports().BeginRun(main_.AppInfoSheet->appName());
        runBegun_ = true;
        wrapLongDescription();
        SitesProcessed = 0;
        runRows();
    } catch (const std::exception& error) {
        // The error box comes first, so that the page does not look idle
        // while the user has not yet seen why the run stopped.
        main_.dialogs().exceptionBox(exceptionText(error));
        if (main_.Posting)
            abandonRun();
    }
}

bool TSubmitPage::mailSettingsFilled() {
    const ::Settings& s = main_.Settings;
    while (s.SMTP.isEmpty() || s.EMAIL.isEmpty() || s.NAME.isEmpty()) {
        TSettingsForm form(main_);
        // Cancel leaves the run unstarted; re-showing the dialog after it
        // would leave the user no way out but to type something.
        if (main_.dialogs().runModal(form) != QDialog::Accepted)
            return false;
    }
    return true;
}

bool TSubmitPage::profileChecked() {
    platform::Dialogs& dialogs = main_.dialogs();
    auto refuse = [&](const char* message) {
        dialogs.beep();
        dialogs.message(QString::fromUtf8(message));
        return false;
    };
    auto missingFile = [](const QString& path) { return !QFileInfo(path).isFile(); };
    auto missingAttachment = [&](const char* objectName) {
        const QString path = fieldText(objectName);
        return !path.isEmpty() && missingFile(path);
    };

    if (main_.AppInfoSheet->appName().isEmpty())
        return refuse("You have not selected an app to submit.");
    if (fieldText("char8name").isEmpty())
        return refuse("The 8 Character Filename for this app is blank.");
    if (fieldText("platforms").isEmpty())
        return refuse("You have not selected the platform for this application");
    if (fieldText("diststatus").isEmpty())
        return refuse("You have not selected the distribution for this application");
    if (fieldText("status").isEmpty())
        return refuse("You have not selected the status for this application");
    if (missingFile(fieldText("localpath")))
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

bool TSubmitPage::savePromptsPassed() {
    using Answer = platform::Dialogs::Answer;
    platform::Dialogs& dialogs = main_.dialogs();
    auto ask = [&](const QString& what) {
        dialogs.beep();
        return dialogs.yesNoCancel(QStringLiteral("Would you like to save %1?").arg(what));
    };
    if (!main_.AppSaved) {
        const Answer a = ask(main_.AppInfoSheet->appName());
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            main_.AppInfoSheet->SaveApp();
    }
    if (!main_.CompanySaved) {
        const Answer a = ask(QStringLiteral("Changed Company Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            main_.CompanyInfoSheet->SaveCompany();
    }
    if (!main_.EngineSaved) {
        const Answer a = ask(QStringLiteral("Added/Changed Engine Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            main_.SiteBuilderSheet->EB_UpdateSiteBtnClick();
    }
    return true;
}

void TSubmitPage::wrapLongDescription() {
    QWidget* widget = main_.findChild<QWidget*>(QStringLiteral("longdesc"));
    auto* plain = qobject_cast<QPlainTextEdit*>(widget);
    auto* rich = qobject_cast<QTextEdit*>(widget);
    if (!plain && !rich)
        return;
    QString wrapped = WrapText(plain ? plain->toPlainText() : rich->toPlainText(), 72);
    // The memo holds lines, not line ends: without the last break, a second
    // run does not add an empty line.
    wrapped.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (wrapped.endsWith(QLatin1Char('\n')))
        wrapped.chop(1);
    if (plain)
        plain->setPlainText(wrapped);
    else
        rich->setPlainText(wrapped);
    main_.AppSaved = false;
}

bool TSubmitPage::loadRowEngine(int row) {
    const QString site = rowSite(row);
    QComboBox* combo = main_.SiteBuilderSheet->EB_SiteNameCombo;
    int index = engines().IndexOfSite(site);
    if (index < 0 || combo->itemText(index) != site)
        index = combo->findText(site, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    {
        // One load, by the handler below, whatever the combo's own signals do.
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
    }
    main_.SiteBuilderSheet->EB_SiteNameComboChange();
    // Loading shows the default cursor when done; the run is not done.
    main_.SetBusyCursor();
    // A load the Site Builder did not make (its own question answered with
    // Cancel, say) must not send the row with the engine of another site.
    return engines().Engine.siteName == site;
}

void TSubmitPage::runRows() {
    TReportsFrm& report = reports();
    TSitesPage& sites = *main_.SitesSheet;
    const int retries = main_.Settings.FTPRetries;

    for (int i = 0; i < sites.rowCount(); ++i) {
        currentRow_ = i;
        bool siteOk = true;
        setStatusesIdle();
        allLedsOff();
        sites.selectRow(i); // the expander takes the categories of the selected row

        const QString rowName = rowSite(i);
        bool processed = rowCell(i, selection::PostCol) != selection::No;
        if (processed)
            processed = loadRowEngine(i) && IsEngineCompatible();

        if (processed) {
            skipRequested_ = false;
            const QString site = currentSiteName();
            report.CurrentSite = site;
            currentsite->setText(site);
            const SiteEngine& engine = engines().Engine;
            const bool isNew = rowCell(i, selection::SubmitCol) == selection::New;
            auto bookAndEnd = [&] {
                if (siteOk)
                    ++report.SucceededCount;
                else
                    ++report.FailedCount;
                EndRun(true);
            };

            if (engine.useFtpUpload && !skipRequested_) {
                lightOnly(ftpled);
                report.BeginPage(QStringLiteral("FTP"));
                ftplist->clear();
                bool uploaded = false;
                for (int attempt = 0;;) {
                    if (ftp_->SubmitByFtp()) {
                        uploaded = true;
                        break;
                    }
                    if (++attempt > retries || skipRequested_)
                        break;
                }
                if (!uploaded)
                    siteOk = false;
                for (const QString& line : ftpLines())
                    report.AddPageLine(line);
                report.EndPage(QStringLiteral("FTP"), rowName);
                ftp_->logOff();
            }
            if (cancelRequested_)
                return bookAndEnd();

            QString url = isNew ? engine.httpNewScriptUrl : engine.httpUpdateScriptUrl;
            TrimLeadingSpaces(url);
            if (engine.useHttpPost && !url.isEmpty() && !skipRequested_) {
                lightOnly(httpled);
                report.BeginPage(QStringLiteral("HTTP"));
                if (!http_->SubmitByHttp(isNew))
                    siteOk = false;
                report.EndPage(QStringLiteral("HTTP"), rowName, xfer_);
            }
            if (cancelRequested_)
                return bookAndEnd();

            QString recipient = isNew ? engine.emailToName : engine.emailToNameUpdate;
            TrimLeadingSpaces(recipient);
            if (engine.useEmail && !recipient.isEmpty() && !skipRequested_) {
                report.BeginPage(QStringLiteral("EMAIL"));
                lightOnly(mailled);
                const bool sent = email_->SubmitByEmail(isNew, i, false);
                if (!sent)
                    siteOk = false;
                else if (engines().Engine.emailSendCopy)
                    email_->SubmitByEmail(isNew, i, true);
                report.EndPage(QStringLiteral("EMAIL"), rowName);
            }

            if (siteOk) {
                ++report.SucceededCount;
                if (rowCell(i, selection::SubmitCol) != selection::Update)
                    sites.setCell(i, selection::SubmitCol, selection::Update);
                sites.setCell(i, selection::LastPostCol, platform::shortDate(main_.clock().now().date()));
            } else {
                ++report.FailedCount;
            }
            ++SitesProcessed;
            setPanel(SitesProcesseddgt, SitesProcessed);
            setSitesToPost(sitesToPost_ - 1);
            PostStatus->setValue(qMin(PostStatus->value() + 1, PostStatus->maximum()));
            if (cancelRequested_)
                return EndRun(true);
        }

        if (skipRequested_) {
            AddLogLine(QStringLiteral("SKIPPED -> ") + rowName);
            skipRequested_ = false;
        }
    }
    EndRun(false);
}

void TSubmitPage::EndRun(bool) {
    // The cancelled and the normal ending are the same.
    currentsite->clear();
    setStatusesIdle();
    allLedsOff();
    main_.SitesSheet->SaveSiteSelection();
    reports().FinishRun(linesOf(log));
    SetRunControls(false);
    main_.SetDefaultCursor();
    AskViewReport();
}

void TSubmitPage::abandonRun() {
    currentsite->clear();
    setStatusesIdle();
    allLedsOff();
    try {
        main_.SitesSheet->SaveSiteSelection();
    } catch (const std::exception&) {
        // The error already shown is the one the user needs.
    }
    if (runBegun_) {
        try {
            reports().FinishRun(linesOf(log));
        } catch (const std::exception&) {
        }
    }
    SetRunControls(false);
    main_.SetDefaultCursor();
}

void TSubmitPage::AskViewReport() {
    platform::Dialogs& dialogs = main_.dialogs();
    dialogs.beep();
    if (dialogs.yesNo(QStringLiteral("Submission Process Done. View Report?")) == platform::Dialogs::Answer::Yes)
        dialogs.openUrl(reports().MainReportUrl);
}

void TSubmitPage::skipClick() {
    skipRequested_ = true;
    ftp_->abort();
    http_->stop();
    if (email_->sending())
        email_->cancel();
}

void TSubmitPage::cancelClick() {
    platform::Dialogs& dialogs = main_.dialogs();
    dialogs.beep();
    if (dialogs.yesNo(QStringLiteral("Sure you want to cancel all posts?")) != platform::Dialogs::Answer::Yes)
        return;
    http_->stop();
    ftp_->idle();
    cancelRequested_ = true;
}

void TSubmitPage::ViewReportClick() {
    main_.Mnu_ReportsClick();
}

void TSubmitPage::printClick() {
    platform::Dialogs& dialogs = main_.dialogs();
    if (log->count() == 0) {
        dialogs.beep();
        dialogs.message(QStringLiteral("You do not have a log to print."));
        return;
    }
    dialogs.printLines(QStringLiteral("Postrix Log"), linesOf(log));
}

void TSubmitPage::exitbClick() {
    main_.close();
}
