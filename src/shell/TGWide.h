#pragma once

#include <QString>

#include <memory>

class TMainFrm;
class TEngBuild;
class TIniSites;

// The program-wide object: the folder tree below the program folder and the
// engine objects. Every path ends in "/".
class TGWide final {
public:
    explicit TGWide(TMainFrm* mainWindow);
    ~TGWide();
    TGWide(const TGWide&) = delete;
    TGWide& operator=(const TGWide&) = delete;

    TMainFrm* MainWindow;
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

    bool Initialize();
    void MakeFolders();
    void CreateEngineObjects();
    bool LoadAppList();
    void SaveAppList();

    // The company list file and the shown company's application list file.
    QString companiesFile() const { return CompaniesDir + QStringLiteral("companies.dat"); }
    QString appListFile(const QString& company) const { return DataDir + company + QStringLiteral(" Apps.dat"); }

    // Has the engine object load the site lists into the Site Builder's engine list.
    void loadSiteLists();

    // Cleared by any failure during start-up.
    static bool StartupOk;
};
