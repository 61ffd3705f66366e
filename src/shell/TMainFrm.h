#pragma once

#include "model/PageLinks.h"
#include "model/Workspace.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QMenu;
class QTabWidget;
class MainExpanderSource;
class TCompanyInfoPage;
class TAppInfoPage;
class TSitesPage;
class TSubmitPage;
class TSiteBuilderPage;

// The main window: the frame, the menu and the five pages. It owns the
// workspace model the pages share, creates the pages and wires them to each
// other in one place (wirePages). Each page is a class of its own (in its
// subsystem's folder) holding that page's controls and handlers.
class TMainFrm final : public QMainWindow, public RunNeighbours {
    Q_OBJECT
public:
    TMainFrm(platform::Dialogs& dialogs, platform::Clock& clock, const QString& programDir, QWidget* parent = nullptr);
    ~TMainFrm() override;

    Workspace& model() const { return *model_; }
    platform::Dialogs& dialogs() const { return model_->dialogs(); }
    QString programDir() const { return model_->programDir(); }

    // The start-up after the window was created: the folders and engine
    // objects, then the first company, application and the engine lists.
    // Returns StartupOk.
    bool startUp();

    // Frame.
    QTabWidget* PageControl1;
    TCompanyInfoPage* CompanyInfoSheet;
    TAppInfoPage* AppInfoSheet;
    TSitesPage* SitesSheet;
    TSubmitPage* SubmitSheet;
    TSiteBuilderPage* SiteBuilderSheet;

    // Menu.
    QMenu* filepd;
    QAction* Mnu_Settings;
    QAction* Mnu_Reports;
    QAction* Mnu_UpdateDataFiles;
    QAction* Mnu_DefaultFTPScript;
    QMenu* Mnu_DefaultEMAILScripts;
    QAction* Mnu_DefaultEMAILScript_NEW;
    QAction* Mnu_DefaultEMAILScript_Update;
    QAction* exitpd;
    QMenu* Mnu_Help;
    QAction* Help1;
    QAction* PostrixHomePage1;
    QAction* VantorelHQHomePage1;
    QAction* About2;

    // Handlers of the frame.
    void FormCreate();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormDestroy();
    bool PageControl1Changing();
    void PageControl1Change();
    void exitpdClick();
    void Help1Click();
    void PostrixHomePage1Click();
    void VantorelHQHomePage1Click();
    void About2Click();
    void Mnu_SettingsClick();
    void Mnu_ReportsClick();
    void showRequestedByOtherStart();  // the "show yourself" request of a second start

    void getsettings();

    // The page control's active page, by sheet or by the model's name of it.
    void setActivePage(QWidget* sheet);
    void setActivePage(Workspace::Page page);
    QWidget* activePage() const;

    // RunNeighbours: what the run asks of the other pages.
    bool editSettings() override;
    void SaveApp() override;
    void SaveCompany() override;
    void SaveEngine() override;
    void wrapLongDescription() override;

    // Opened by the About box's Alt+D button after it closed.
    void openEngineChecker();

    // What the variable expander reads: the live controls of the pages.
    MainExpanderSource& expanderSource() const { return *expanderSource_; }

signals:
    void firstShown();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void createMenu();
    void createPages();
    void wirePages();
    void postingChanged(bool posting);
    void onCurrentPageChanged(int index);
    void showContextHelp();

    Workspace* model_;
    std::unique_ptr<MainExpanderSource> expanderSource_;
    bool shown_ = false;
    bool revertingPage_ = false;
    int lastPage_ = 0;
};
