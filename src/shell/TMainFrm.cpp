#include "TMainFrm.h"

#include "HelpFile.h"
#include "MainExpanderSource.h"
#include "Services.h"
#include "TAboutBox.h"
#include "TGWide.h"
#include "TSettingsForm.h"
#include "engines/SiteBuilderPage.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/HttpClient.h"
#include "platform/IniFile.h"
#include "profiles/AppInfoPage.h"
#include "reports/TReportsListFrm.h"
#include "profiles/CompanyInfoPage.h"
#include "run/SubmitPage.h"
#include "selection/SitesPage.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

QAction* addItem(QMenu* menu, const char* objectName, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(objectName));
    return action;
}

} // namespace

TMainFrm::TMainFrm(platform::Dialogs& dialogs, platform::Clock& clock, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), clock_(clock), programDir_(programDir)
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Postrix 2.03"));
    // Fixed border with system menu and minimise box only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    HTTPTimer = new QTimer(this);
    HTTPTimer->setObjectName(QStringLiteral("HTTPTimer"));
    HTTPTimer->setSingleShot(true);
    HTTPTimer->setInterval(60000);
    HTTP1 = new platform::HttpClient(this);
    HTTP1->setObjectName(QStringLiteral("HTTP1"));

    expanderSource_ = std::make_unique<MainExpanderSource>(*this);
    createMenu();
    createPages();
    FormCreate();
}

TMainFrm::~TMainFrm() { FormDestroy(); }

void TMainFrm::createMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    filepd = bar->addMenu(QStringLiteral("&File"));
    filepd->setObjectName(QStringLiteral("filepd"));
    Mnu_Settings = addItem(filepd, "Mnu_Settings", "&Settings");
    Mnu_Reports = addItem(filepd, "Mnu_Reports", "&View Reports");
    filepd->addSeparator();
    Mnu_UpdateDataFiles = addItem(filepd, "Mnu_UpdateDataFiles", "&Update Data Files");
    filepd->addSeparator();
    Mnu_DefaultFTPScript = addItem(filepd, "Mnu_DefaultFTPScript", "Default FTP Script");
    Mnu_DefaultEMAILScripts = filepd->addMenu(QStringLiteral("Default Email Scripts"));
    Mnu_DefaultEMAILScripts->setObjectName(QStringLiteral("Mnu_DefaultEMAILScripts"));
    Mnu_DefaultEMAILScript_NEW = addItem(Mnu_DefaultEMAILScripts, "Mnu_DefaultEMAILScript_NEW", "New");
    Mnu_DefaultEMAILScript_Update = addItem(Mnu_DefaultEMAILScripts, "Mnu_DefaultEMAILScript_Update", "Update");
    filepd->addSeparator();
    exitpd = addItem(filepd, "exitpd", "E&xit");

    Mnu_Help = bar->addMenu(QStringLiteral("&Help"));
    Mnu_Help->setObjectName(QStringLiteral("Mnu_Help"));
    Help1 = addItem(Mnu_Help, "Help1", "&Help");
    PostrixHomePage1 = addItem(Mnu_Help, "PostrixHomePage1", "Postrix Home Page");
    VantorelHQHomePage1 = addItem(Mnu_Help, "VantorelHQHomePage1", "Vantorel Home Page");
    About2 = addItem(Mnu_Help, "About2", "&About");
    About2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    About2->setShortcutContext(Qt::ApplicationShortcut);

    connect(Mnu_Settings, &QAction::triggered, this, &TMainFrm::Mnu_SettingsClick);
    connect(Mnu_Reports, &QAction::triggered, this, &TMainFrm::Mnu_ReportsClick);
    connect(exitpd, &QAction::triggered, this, &TMainFrm::exitpdClick);
    connect(Help1, &QAction::triggered, this, &TMainFrm::Help1Click);
    connect(PostrixHomePage1, &QAction::triggered, this, &TMainFrm::PostrixHomePage1Click);
    connect(VantorelHQHomePage1, &QAction::triggered, this, &TMainFrm::VantorelHQHomePage1Click);
    connect(About2, &QAction::triggered, this, &TMainFrm::About2Click);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TMainFrm::showContextHelp);
}

void TMainFrm::createPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFixedSize(596, 408);
    CompanyInfoSheet = new TCompanyInfoPage(*this);
    AppInfoSheet = new TAppInfoPage(*this);
    SitesSheet = new TSitesPage(*this);
    SubmitSheet = new TSubmitPage(*this);
    SiteBuilderSheet = new TSiteBuilderPage(*this);
    PageControl1->addTab(CompanyInfoSheet, QStringLiteral("Company Info"));
    PageControl1->addTab(AppInfoSheet, QStringLiteral("App Info"));
    PageControl1->addTab(SitesSheet, QStringLiteral("Sites"));
    PageControl1->addTab(SubmitSheet, QStringLiteral("Submit"));
    PageControl1->addTab(SiteBuilderSheet, QStringLiteral("Site Builder"));
    setCentralWidget(PageControl1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainFrm::onCurrentPageChanged);
    setFixedSize(sizeHint());
}

void TMainFrm::FormCreate()
{
    CompanySaved = true;
    AppSaved = true;
    EngineSaved = true;
    SiteSelectionChanged = false;
    Loading = false;
    Posting = false;
    CloseWithoutPrompts = false;
    Activated = false;
    GridBuilding = false;
    UseGridLines = false;
    BHSID.clear();
    CategoryLines.clear();
}

void TMainFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainFrm::FormShow()
{
    getsettings();
    SitesSheet->setGridLines(UseGridLines);
    SitesSheet->UseGridLinesChk->setChecked(UseGridLines);
    setActivePage(CompanyInfoSheet);
    if (AppInfoSheet->AppName->count() > 0)
        AppInfoSheet->selectFirstApp();
    CompanySaved = true;
    AppSaved = true;
    EngineSaved = true;
    SitesSheet->CountSitesToPost(false);
    SitesSheet->ShowSiteRow();
    emit firstShown();
}

bool TMainFrm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TMainFrm::FormActivate()
{
    if (Activated)
        return;
    SitesSheet->CountSitesToPost(false);
    Activated = true;
}

void TMainFrm::closeEvent(QCloseEvent* event)
{
    bool allowed = false;
    try {
        allowed = FormCloseQuery();
    } catch (const std::exception& error) {
        // A save that failed keeps the window open, so nothing is lost.
        const auto* fileError = dynamic_cast<const platform::FileError*>(&error);
        dialogs_.exceptionBox(fileError ? fileError->message() : QString::fromLocal8Bit(error.what()));
        allowed = false;
    }
    if (allowed)
        event->accept();
    else
        event->ignore();
}

bool TMainFrm::FormCloseQuery()
{
    // A run waits inside a network call with the pages on the stack: never
    // free them under it.
    if (Posting) {
        dialogs_.beep();
        return false;
    }
    if (CloseWithoutPrompts)
        return true;
    const QString format = QStringLiteral("Would you like to save %1?");
    auto ask = [&](const QString& what) {
        dialogs_.beep();
        return dialogs_.yesNoCancel(format.arg(what));
    };
    using Answer = platform::Dialogs::Answer;
    if (!CompanySaved) {
        const Answer a = ask(QStringLiteral("Changed Company Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            CompanyInfoSheet->SaveCompany();
    }
    if (!AppSaved) {
        const Answer a = ask(AppInfoSheet->appName());
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            AppInfoSheet->SaveApp();
    }
    if (SiteSelectionChanged) {
        const Answer a = ask(QStringLiteral("Site Engine Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            SitesSheet->SaveSiteSelection();
    }
    if (!EngineSaved) {
        const Answer a = ask(QStringLiteral("Added/Changed Engine Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            SiteBuilderSheet->EB_UpdateSiteBtnClick();
    }
    return true;
}

void TMainFrm::FormDestroy()
{
    delete GWide;
    GWide = nullptr;
    CategoryLines.clear();
}

void TMainFrm::changeEvent(QEvent* event) { QMainWindow::changeEvent(event); }

void TMainFrm::onCurrentPageChanged(int index)
{
    if (revertingPage_)
        return;
    if (!PageControl1Changing()) {
        revertingPage_ = true;
        PageControl1->setCurrentIndex(lastPage_);
        revertingPage_ = false;
        return;
    }
    lastPage_ = index;
    PageControl1Change();
}

bool TMainFrm::PageControl1Changing()
{
    if (!Posting)
        return true;
    dialogs_.beep();
    dialogs_.message(QStringLiteral("Tab Change Not Allowed While Posting!"));
    return false;
}

void TMainFrm::PageControl1Change()
{
    if (Posting)
        return;
    QWidget* page = activePage();
    auto companyMissing = [&] {
        if (!CompanyInfoSheet->companyName().isEmpty())
            return false;
        dialogs_.beep();
        dialogs_.errorMessage(QStringLiteral("You have not entered your company info. Please do so now!"));
        setActivePage(CompanyInfoSheet);
        CompanyInfoSheet->NewCompany();
        return true;
    };
    if (page == AppInfoSheet) {
        companyMissing();
    } else if (page == SitesSheet) {
        if (companyMissing())
            return;
        if (AppInfoSheet->appName().isEmpty()) {
            dialogs_.beep();
            dialogs_.errorMessage(
                QStringLiteral("You have not entered or selected an application yet. Please do so now!"));
            setActivePage(AppInfoSheet);
        } else if (SitesSheet->rowCount() > 0) {
            SitesSheet->CountSitesToPost(false);
            SitesSheet->SiteGrid->setFocus();
        }
    } else if (page == SubmitSheet) {
        SitesSheet->CountSitesToPost(false);
    } else if (page == SiteBuilderSheet) {
        QComboBox* engines = SiteBuilderSheet->EB_SiteNameCombo;
        if (engines->count() > 0 && engines->currentIndex() < 0) {
            engines->setCurrentIndex(0);
            SiteBuilderSheet->EB_SiteNameComboChange();
        }
    }
}

void TMainFrm::setActivePage(QWidget* sheet) { PageControl1->setCurrentWidget(sheet); }

QWidget* TMainFrm::activePage() const { return PageControl1->currentWidget(); }

void TMainFrm::exitpdClick() { close(); }

void TMainFrm::Help1Click() { dialogs_.openUrl(helpUrl(programDir_)); }

void TMainFrm::showContextHelp()
{
    int context = 0;
    QWidget* page = activePage();
    if (page == CompanyInfoSheet)
        context = 1000;
    else if (page == AppInfoSheet)
        context = AppInfoSheet->helpContext();
    else if (page == SitesSheet)
        context = 1004;
    else if (page == SiteBuilderSheet)
        context = 1006;
    dialogs_.openUrl(helpUrl(programDir_, context));
}

void TMainFrm::PostrixHomePage1Click() { dialogs_.openUrl(Services::load(programDir_).ProductHomePage); }

void TMainFrm::VantorelHQHomePage1Click() { dialogs_.openUrl(Services::load(programDir_).MakerHomePage); }

void TMainFrm::About2Click()
{
    TAboutBox box(dialogs_, Services::load(programDir_).MakerHomePage, this);
    dialogs_.runModal(box);
    if (box.massButtonPressed())
        openEngineChecker();
}

void TMainFrm::openEngineChecker()
{
    // The engine checker dialog is not part of this program yet.
}

void TMainFrm::Mnu_SettingsClick()
{
    TSettingsForm form(*this);
    dialogs_.runModal(form);
}

void TMainFrm::Mnu_ReportsClick() { TReportsListFrm::ShowReports(GWide->ReportsDir, dialogs_, this); }

void TMainFrm::showRequestedByOtherStart()
{
    qInfo("Postrix: asked to show itself by a second start");
    if (isMinimized()) {
        showNormal();
    } else {
        show();
        raise();
    }
    activateWindow();
}

QString TMainFrm::settingsPath() const { return programDir_ + settings_file::FileName; }

QString TMainFrm::helpFilePath() const { return programDir_ + HelpFileName; }

void TMainFrm::getsettings()
{
    settings_file::readSeven(settingsPath(), Settings);
    HTTPTimer->setInterval(Settings.HTTPTimeOut * 1000);
    applyHttpSettings(settings_file::startupPort(Settings.PORT));
    Settings.UseGridLines =
        platform::IniFile(settingsPath()).readBool(settings_file::Section, QStringLiteral("UseGridLines"), false);
    UseGridLines = Settings.UseGridLines;
}

void TMainFrm::applyHttpSettings(quint16 port)
{
    proxyPort_ = port;
    HTTP1->setProxyHost(Settings.PROXY);
    HTTP1->setProxyPort(port);
}

void TMainFrm::UseGridLinesChkClick(bool checked)
{
    UseGridLines = checked;
    Settings.UseGridLines = checked;
    settings_file::writeUseGridLines(settingsPath(), checked);
    SitesSheet->setGridLines(checked);
}

void TMainFrm::SetBusyCursor() { platform::setBusyCursor(); }

void TMainFrm::SetDefaultCursor() { platform::setDefaultCursor(); }

int TMainFrm::IndexOfName(const QStringList& list, const QString& text) { return list.indexOf(text); }

void TMainFrm::DeleteAt(QStringList& list, int index)
{
    if (index >= 0 && index < list.size())
        list.removeAt(index);
}

void TMainFrm::ShowErrorDialog(const QString& title, const QString& message, const QString& instruction)
{
    dialogs_.errorDialog(title, message, instruction);
}
