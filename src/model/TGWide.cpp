#include "TGWide.h"

#include "HelpFile.h"
#include "engines/EngineFiles.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"
#include "reports/ReportPictures.h"

TGWide::TGWide() = default;

TGWide::~TGWide() = default;

bool TGWide::Initialize(const QString& programDir, platform::Dialogs& dialogs, platform::Clock& clock,
                        ExpanderSource* source)
{
    MakeFolders(programDir);
    try {
        CreateEngineObjects(dialogs, clock, source);
    } catch (...) {
        StartupOk = false;
    }
    writeHelpFileIfMissing(ProgramDir);
    reports::writeMissingPictures(ImagesDir);
    return StartupOk;
}

void TGWide::MakeFolders(const QString& programDir)
{
    ProgramDir = programDir;
    DataDir = ProgramDir + QStringLiteral("data/");
    CompaniesDir = ProgramDir + QStringLiteral("companies/");
    CatDir = ProgramDir + QStringLiteral("cat/");
    SitesDir = ProgramDir + QStringLiteral("sites/");
    UpdatesDir = ProgramDir + QStringLiteral("sites/updates/");
    FilesDir = ProgramDir + QStringLiteral("files/");
    ReportsDir = ProgramDir + QStringLiteral("reports/");
    ImagesDir = ProgramDir + QStringLiteral("images/");
    // One level at a time, failures ignored: "sites/" comes before "sites/updates/".
    for (const QString& dir : {DataDir, CompaniesDir, CatDir, SitesDir, UpdatesDir, FilesDir, ReportsDir, ImagesDir})
        if (!platform::files::directoryExists(dir))
            platform::files::createDirectory(dir);
}

QStringList TGWide::LoadAppList(const QString& company) const
{
    if (company.isEmpty() || !platform::files::fileExists(appListFile(company)))
        return {};
    return platform::text::readLines(appListFile(company));
}

void TGWide::SaveAppList(const QString& company, const QStringList& names) const
{
    if (company.isEmpty())
        return;
    platform::text::writeLines(appListFile(company), names);
}

void TGWide::FreeEngineObjects()
{
    EngBuild.reset();
    IniSites.reset();
}

void TGWide::CreateEngineObjects(platform::Dialogs& dialogs, platform::Clock& clock, ExpanderSource* source)
{
    IniSites = std::make_unique<TIniSites>();
    EngBuild = std::make_unique<TEngBuild>(TEngBuild::Folders{SitesDir, CatDir, DataDir}, dialogs, clock, source);
}
