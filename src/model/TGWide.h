#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class ExpanderSource;
class TEngBuild;
class TIniSites;

namespace platform {
class Clock;
class Dialogs;
} // namespace platform

// The program-wide object: the folder tree below the program folder and the
// engine objects. Every path ends in "/".
class TGWide final {
public:
    TGWide();
    ~TGWide();
    TGWide(const TGWide&) = delete;
    TGWide& operator=(const TGWide&) = delete;

    QString ProgramDir;
    QString DataDir;
    QString CompaniesDir;
    QString CatDir;
    QString SitesDir;
    QString UpdatesDir;
    QString FilesDir;
    QString ReportsDir;
    QString ImagesDir;

    std::unique_ptr<TIniSites> IniSites;
    std::unique_ptr<TEngBuild> EngBuild;

    // Cleared by any failure during start-up.
    bool StartupOk = true;

    // The folders, the engine objects (reading values through source), the
    // help guide and the report pictures.
    bool Initialize(const QString& programDir, platform::Dialogs& dialogs, platform::Clock& clock,
                    ExpanderSource* source);
    void MakeFolders(const QString& programDir);
    void CreateEngineObjects(platform::Dialogs& dialogs, platform::Clock& clock, ExpanderSource* source);
    void FreeEngineObjects();
    // The company's application list; empty when it has none.
    QStringList LoadAppList(const QString& company) const;
    void SaveAppList(const QString& company, const QStringList& names) const;

    // The company list file and a company's application list file.
    QString companiesFile() const { return CompaniesDir + QStringLiteral("companies.dat"); }
    QString appListFile(const QString& company) const { return DataDir + company + QStringLiteral(" Apps.dat"); }
};
