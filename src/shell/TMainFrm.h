#pragma once

#include "Settings.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class QAction;
class QMenu;
class QTabWidget;
class QTimer;
class TGWide;
class MainExpanderSource;
class TCompanyInfoPage;
class TAppInfoPage;
class TSitesPage;
class TSubmitPage;
class TSiteBuilderPage;

namespace platform {
class Clock;
class Dialogs;
class HttpClient;
} // namespace platform

// The main window: the frame, the menu, the five pages and the marks that
// record unsaved edits. Each page is a class of its own (in its subsystem's
// folder) holding that page's controls and handlers.
class TMainFrm final : public QMainWindow {
    Q_OBJECT
public:
    TMainFrm(platform::Dialogs& dialogs, platform::Clock& clock, const QString& programDir, QWidget* parent = nullptr);
    ~TMainFrm() override;

    platform::Dialogs& dialogs() const { return dialogs_; }
    platform::Clock& clock() const { return clock_; }
    QString programDir() const { return programDir_; }

    // The program-wide object; set right after the window is created.
    TGWide* GWide = nullptr;

    // Marks (see the close query and the run's save prompts).
    bool CompanySaved = true;
    bool AppSaved = true;
    bool EngineSaved = true;
    bool SiteSelectionChanged = false;
    bool Loading = false;
    bool Posting = false;
    bool CloseWithoutPrompts = false;
    bool Activated = false;
    bool GridBuilding = false;
    bool UseGridLines = false;
    QString BHSID;
    QStringList CategoryLines;

    ::Settings Settings;
    QTimer* HTTPTimer;
    platform::HttpClient* HTTP1 = nullptr;

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

    // Settings.
    void getsettings();
    void UseGridLinesChkClick(bool checked);
    void applyHttpSettings(quint16 port);

    // Small operations shared by the pages.
    void SetBusyCursor();
    void SetDefaultCursor();
    static int IndexOfName(const QStringList& list, const QString& text);
    static void DeleteAt(QStringList& list, int index);
    void ShowErrorDialog(const QString& title, const QString& message, const QString& instruction);
    // The page control's active page, by sheet.
    void setActivePage(QWidget* sheet);
    QWidget* activePage() const;

    // Opened by the About box's Alt+D button after it closed.
    void openEngineChecker();

    QString settingsPath() const;
    // What the variable expander reads: the live controls of the pages.
    MainExpanderSource& expanderSource() const { return *expanderSource_; }
    QString helpFilePath() const;

    // The proxy port applied to the HTTP clients (converted from Settings.PORT).
    quint16 proxyPort() const { return proxyPort_; }

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
    void onCurrentPageChanged(int index);
    void showContextHelp();

    platform::Dialogs& dialogs_;
    std::unique_ptr<MainExpanderSource> expanderSource_;
    platform::Clock& clock_;
    QString programDir_;
    bool shown_ = false;
    bool revertingPage_ = false;
    int lastPage_ = 0;
    quint16 proxyPort_ = 80;
};
