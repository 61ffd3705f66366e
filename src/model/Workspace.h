#pragma once

#include "model/Settings.h"
#include "model/TGWide.h"
#include "platform/Dialogs.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ExpanderSource;
class QTimer;

namespace platform {
class Clock;
class HttpClient;
} // namespace platform

// The open workspace, without any widget: the program folders, the settings,
// the engine objects, the dialogs seam and the clock, the marks of unsaved
// edits, and what the pages show (read through the expander's source, so
// that it is always what the user sees). Pages talk to each other only
// through its signals, which the main window wires to the pages.
class Workspace final : public QObject {
    Q_OBJECT
public:
    enum class Page { CompanyInfo, AppInfo, Sites, Submit, SiteBuilder };

    Workspace(platform::Dialogs& dialogs, platform::Clock& clock, QString programDir, QObject* parent = nullptr);
    ~Workspace() override;

    platform::Dialogs& dialogs() const { return dialogs_; }
    platform::Clock& clock() const { return clock_; }
    QString programDir() const { return programDir_; }

    // The folders and the engine objects.
    TGWide GWide;

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
    platform::HttpClient* HTTP1;

    // What the variable expander reads: the live controls of the pages.
    void setExpanderSource(ExpanderSource* source) { source_ = source; }
    ExpanderSource* expanderSource() const { return source_; }

    // What the pages show now.
    QString companyName() const;
    QString appName() const;
    QString engineName() const; // the engine the Site Builder has loaded
    QString fieldText(const QString& objectName) const;

    // Folders, engine objects, help guide and report pictures; false when
    // the start-up failed.
    bool Initialize();

    // Reads "settings.dat" and applies it to the HTTP client and its timer.
    void getsettings();
    void applyHttpSettings(quint16 port);
    void setUseGridLines(bool on);
    // The proxy port applied to the HTTP client (converted from Settings.PORT).
    quint16 proxyPort() const { return proxyPort_; }
    QString settingsPath() const;
    QString helpFilePath() const;

    void setPosting(bool on);

    // "Would you like to save <what>?" with the beep, as the close query asks it.
    platform::Dialogs::Answer askToSave(const QString& what) const;

    // Requests to the main window and to the other pages.
    void requestPage(Page page) { emit pageRequested(page); }
    void requestEngine(const QString& site) { emit engineRequested(site); }

signals:
    void pageRequested(Workspace::Page page);
    // A page wants the Site Builder to load the named engine.
    void engineRequested(const QString& site);
    // The engine list or an engine's settings changed on disk.
    void enginesChanged();
    // The App Info page loaded the named application (empty: none).
    void appShown(const QString& app);
    // The App Info page saved the named application with its Save button.
    void appSaved(const QString& app);
    // The Company Info page shows another company (its applications follow).
    void companyShown(const QString& company);
    void postingChanged(bool posting);
    // The report browser of the File menu's "View Reports".
    void reportsRequested();
    void gridLinesChanged(bool on);

private:
    platform::Dialogs& dialogs_;
    platform::Clock& clock_;
    QString programDir_;
    ExpanderSource* source_ = nullptr;
    quint16 proxyPort_ = 80;
};
