#include "TMainFrm.h"

#include "MainExpanderSource.h"
#include "TAboutBox.h"
#include "TSettingsForm.h"
#include "model/HelpFile.h"
#include "model/Services.h"
#include "engines/SiteBuilderPage.h"
#include "platform/Clock.h"
#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"
#include "platform/HttpClient.h"
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
    : QMainWindow(parent), model_(new Workspace(dialogs, clock, programDir, this))
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Postrix 2.03"));
    // Fixed border with system menu and minimise box only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    createMenu();
    createPages();
    expanderSource_ = std::make_unique<MainExpanderSource>(*this, *model_, *AppInfoSheet, *SitesSheet);
    model_->setExpanderSource(expanderSource_.get());
    wirePages();
    FormCreate();
}

bool TMainFrm::startUp()
{
    // A failure to create the engine objects is reported at the end; the
    // profiles still load.
    model_->Initialize();
    if (platform::files::fileExists(model_->GWide.companiesFile()))
        CompanyInfoSheet->LoadCompanyList();
    if (CompanyInfoSheet->compname->count() > 0)
        AppInfoSheet->showAppList(model_->GWide.LoadAppList(CompanyInfoSheet->companyName()));
    if (AppInfoSheet->AppName->count() > 0)
        AppInfoSheet->selectFirstApp();
    SiteBuilderSheet->loadSiteLists();
    return model_->GWide.StartupOk;
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
    CompanyInfoSheet = new TCompanyInfoPage(*model_);
    AppInfoSheet = new TAppInfoPage(*model_, *CompanyInfoSheet);
    SitesSheet = new TSitesPage(*model_);
    SubmitSheet = new TSubmitPage(*model_, *SitesSheet, *this);
    SiteBuilderSheet = new TSiteBuilderPage(*model_);
    PageControl1->addTab(CompanyInfoSheet, QStringLiteral("Company Info"));
    PageControl1->addTab(AppInfoSheet, QStringLiteral("App Info"));
    PageControl1->addTab(SitesSheet, QStringLiteral("Sites"));
    PageControl1->addTab(SubmitSheet, QStringLiteral("Submit"));
    PageControl1->addTab(SiteBuilderSheet, QStringLiteral("Site Builder"));
    setCentralWidget(PageControl1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainFrm::onCurrentPageChanged);
    setFixedSize(sizeHint());
}

// Every effect one page has on another, in one place. Direct connections,
// one slot each: the effect happens inside the call that caused it.
void TMainFrm::wirePages()
{
    Workspace& m = *model_;
    connect(&m, &Workspace::pageRequested, this, qOverload<Workspace::Page>(&TMainFrm::setActivePage),
            Qt::DirectConnection);
    connect(&m, &Workspace::companyShown, AppInfoSheet, &TAppInfoPage::showCompanyApps, Qt::DirectConnection);
    connect(&m, &Workspace::appShown, SitesSheet, &TSitesPage::BuildSiteGrid, Qt::DirectConnection);
    connect(&m, &Workspace::enginesChanged, SitesSheet, &TSitesPage::enginesChanged, Qt::DirectConnection);
    connect(&m, &Workspace::engineRequested, SiteBuilderSheet, &TSiteBuilderPage::selectEngine,
            Qt::DirectConnection);
    connect(&m, &Workspace::gridLinesChanged, SitesSheet, &TSitesPage::setGridLines, Qt::DirectConnection);
    connect(&m, &Workspace::postingChanged, this, &TMainFrm::postingChanged, Qt::DirectConnection);
    connect(&m, &Workspace::reportsRequested, this, &TMainFrm::Mnu_ReportsClick, Qt::DirectConnection);
    // Another company replaces the application list: its unsaved edits are asked about first.
    CompanyInfoSheet->SettleAppEdits = [this] { return AppInfoSheet->settleUnsavedEdits(); };
    SitesSheet->VerifySubmission = [this](const selection::PostStats& stats) {
        return SubmitSheet->verifySubmission(stats);
    };
    SitesSheet->TallyShown = [this](int totalToPost) { SubmitSheet->showTally(totalToPost); };
}

void TMainFrm::postingChanged(bool posting)
{
    filepd->menuAction()->setEnabled(!posting);
    Mnu_Help->menuAction()->setEnabled(!posting);
    Mnu_Reports->setEnabled(!posting);
}

void TMainFrm::FormCreate()
{
    Workspace& m = *model_;
    m.CompanySaved = true;
    m.AppSaved = true;
    m.EngineSaved = true;
    m.SiteSelectionChanged = false;
    m.Loading = false;
    m.Posting = false;
    m.CloseWithoutPrompts = false;
    m.Activated = false;
    m.GridBuilding = false;
    m.UseGridLines = false;
    m.BHSID.clear();
    m.CategoryLines.clear();
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
    SitesSheet->setGridLines(model_->UseGridLines);
    SitesSheet->UseGridLinesChk->setChecked(model_->UseGridLines);
    setActivePage(CompanyInfoSheet);
    if (AppInfoSheet->AppName->count() > 0)
        AppInfoSheet->selectFirstApp();
    model_->CompanySaved = true;
    model_->AppSaved = true;
    model_->EngineSaved = true;
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
    if (model_->Activated)
        return;
    SitesSheet->CountSitesToPost(false);
    model_->Activated = true;
}

void TMainFrm::closeEvent(QCloseEvent* event)
{
    bool allowed = false;
    try {
        allowed = FormCloseQuery();
    } catch (const std::exception& error) {
        // A save that failed keeps the window open, so nothing is lost.
        const auto* fileError = dynamic_cast<const platform::FileError*>(&error);
        dialogs().exceptionBox(fileError ? fileError->message() : QString::fromLocal8Bit(error.what()));
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
    Workspace& m = *model_;
    if (m.Posting) {
        dialogs().beep();
        return false;
    }
    if (m.CloseWithoutPrompts)
        return true;
    auto ask = [&](const QString& what) { return m.askToSave(what); };
    using Answer = platform::Dialogs::Answer;
    if (!m.CompanySaved) {
        const Answer a = ask(QStringLiteral("Changed Company Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            CompanyInfoSheet->SaveCompany();
    }
    if (!m.AppSaved) {
        const Answer a = ask(AppInfoSheet->appName());
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            AppInfoSheet->SaveApp();
    }
    if (m.SiteSelectionChanged) {
        const Answer a = ask(QStringLiteral("Site Engine Info"));
        if (a == Answer::Cancel)
            return false;
        if (a == Answer::Yes)
            SitesSheet->SaveSiteSelection();
    }
    if (!m.EngineSaved) {
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
    // The engine objects go before the pages whose values they read.
    model_->GWide.FreeEngineObjects();
    model_->CategoryLines.clear();
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
    if (!model_->Posting)
        return true;
    dialogs().beep();
    dialogs().message(QStringLiteral("Tab Change Not Allowed While Posting!"));
    return false;
}

void TMainFrm::PageControl1Change()
{
    if (model_->Posting)
        return;
    QWidget* page = activePage();
    auto companyMissing = [&] {
        if (!CompanyInfoSheet->companyName().isEmpty())
            return false;
        dialogs().beep();
        dialogs().errorMessage(QStringLiteral("You have not entered your company info. Please do so now!"));
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
            dialogs().beep();
            dialogs().errorMessage(
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

void TMainFrm::setActivePage(Workspace::Page page)
{
    using Page = Workspace::Page;
    switch (page) {
    case Page::CompanyInfo: return setActivePage(CompanyInfoSheet);
    case Page::AppInfo: return setActivePage(AppInfoSheet);
    case Page::Sites: return setActivePage(SitesSheet);
    case Page::Submit: return setActivePage(SubmitSheet);
    case Page::SiteBuilder: return setActivePage(SiteBuilderSheet);
    }
}

QWidget* TMainFrm::activePage() const { return PageControl1->currentWidget(); }

void TMainFrm::exitpdClick() { close(); }

void TMainFrm::Help1Click() { dialogs().openUrl(helpUrl(programDir())); }

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
    dialogs().openUrl(helpUrl(programDir(), context));
}

void TMainFrm::PostrixHomePage1Click() { dialogs().openUrl(Services::load(programDir()).ProductHomePage); }

void TMainFrm::VantorelHQHomePage1Click() { dialogs().openUrl(Services::load(programDir()).MakerHomePage); }

void TMainFrm::About2Click()
{
    TAboutBox box(dialogs(), Services::load(programDir()).MakerHomePage, this);
    dialogs().runModal(box);
    if (box.massButtonPressed())
        openEngineChecker();
}

void TMainFrm::openEngineChecker()
{
    // The engine checker dialog is not part of this program yet.
}

void TMainFrm::Mnu_SettingsClick()
{
    TSettingsForm form(*model_, this);
    dialogs().runModal(form);
}

void TMainFrm::Mnu_ReportsClick() { TReportsListFrm::ShowReports(model_->GWide.ReportsDir, dialogs(), this); }

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

void TMainFrm::getsettings() { model_->getsettings(); }

bool TMainFrm::editSettings()
{
    TSettingsForm form(*model_, this);
    return dialogs().runModal(form) == QDialog::Accepted;
}

void TMainFrm::SaveApp() { AppInfoSheet->SaveApp(); }

void TMainFrm::SaveCompany() { CompanyInfoSheet->SaveCompany(); }

void TMainFrm::SaveEngine() { SiteBuilderSheet->EB_UpdateSiteBtnClick(); }

void TMainFrm::wrapLongDescription() { AppInfoSheet->wrapLongDescription(); }
