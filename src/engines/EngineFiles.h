#pragma once

#include "engines/SiteEngine.h"

#include <QString>
#include <QStringList>

#include <functional>

class ExpanderSource;

namespace platform {
class Clock;
class Dialogs;
} // namespace platform

// The five scripts of an engine, in the order they are read and written.
enum class EngineScript { HttpNew, HttpUpdate, Ftp, EmailNew, EmailUpdate };

// The other engine object of the program; it holds no data and offers no
// operation, but is created and freed beside TEngBuild.
class TIniSites final {};

// Reads, writes, creates and deletes site engines, keeps the site lists, and
// expands script variables (Expander.cpp).
class TEngBuild final {
public:
    // The program's folders, each ending in "/".
    struct Folders {
        QString sites; // settings, scripts and the two site lists
        QString cat;   // category lists
        QString data;  // the default scripts
    };

    TEngBuild(Folders folders, platform::Dialogs& dialogs, platform::Clock& clock, ExpanderSource* source = nullptr);
    TEngBuild(const TEngBuild&) = delete;
    TEngBuild& operator=(const TEngBuild&) = delete;

    const Folders& folders() const { return folders_; }
    void setExpanderSource(ExpanderSource* source) { source_ = source; }

    // --- Site lists. All three are sorted without regard to case; the engine
    // list holds every entry of both others, and its order is the order of the
    // Sites grid.
    void LoadSiteLists();
    void SaveSiteLists();
    const QStringList& MakerSites() const { return makerSites_; }
    const QStringList& UserSites() const { return userSites_; }
    const QStringList& EngineList() const { return engineList_; }
    // Index of the first engine-list entry equal to name (exact), -1 if none.
    int IndexOfSite(const QString& name) const;

    // The selected entry of the engine list (-1: none). CreateEngine selects
    // the new entry, DeleteEngine the first one; the Site Builder mirrors it.
    int SelectedIndex() const { return selected_; }
    void SelectIndex(int index);
    QString SelectedSite() const;

    // How DeleteEngine loads the engine it selects afterwards: the Site
    // Builder sets this to its selection-change handler. Unset, LoadEngine.
    std::function<void(int index)> LoadSelected;

    // --- The current engine and the program-wide field translations.
    SiteEngine Engine;
    FieldTranslations Translations;

    void LoadEngine(const QString& site);
    // Writes Engine and Translations; nothing when the site name is empty.
    // Throws platform::FileError when a file cannot be written.
    void SaveEngine();
    // Adds a new user engine; false (after an error dialog where the name was
    // refused for a reason the user can fix) when the trimmed name is empty,
    // cannot be a file name, or is already in the engine list.
    bool CreateEngine(const QString& name);
    void DeleteEngine(const QString& site);

    static QString CategoryValue(const QString& line);
    static QString CategoryLabel(const QString& line);

    // False, with a sentence for the user in reason, when the name cannot be
    // the stem of the engine's file names: it holds "/" or "\" or a control
    // character, or is "." or "..". Emptiness is not checked here.
    static bool IsValidSiteName(const QString& name, QString& reason);

    // --- File names of an engine.
    QString settingsPath(const QString& site) const;
    QString categoryPath(const QString& site, int which) const; // 1 or 2
    QString scriptPath(const QString& site, EngineScript script) const;
    QString makerListPath() const;
    QString userListPath() const;

    // --- Variable expansion (Expander.cpp).
    // Returns text with its variables replaced; on failure the input unchanged,
    // with ExpandFailed set and FailedVariable naming what failed.
    QString ExpandVariables(const QString& text, bool forSubmission);
    QString ResolveVariable(const QString& name, bool forSubmission);
    bool ExpandFailed = false;
    QString FailedVariable;

    // Bounds of one expansion, so that a value holding its own variable ends.
    static constexpr int MaxSubstitutions = 10000;
    static constexpr qsizetype MaxExpandedLength = 1000000;

private:
    void readSettings(const QString& site);
    void writeSettings();
    QString categoryValue(int which, bool forSubmission);
    QString sizeValue(const QString& size) const;
    QString translated(TranslatedField field, const QString& text) const;
    const ExpanderSource& source() const;

    Folders folders_;
    platform::Dialogs& dialogs_;
    platform::Clock& clock_;
    ExpanderSource* source_;

    QStringList makerSites_;
    QStringList userSites_;
    QStringList engineList_;
    int selected_ = -1;
};
