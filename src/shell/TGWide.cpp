#include "TGWide.h"

#include "HelpFile.h"
#include "MainExpanderSource.h"
#include "TMainFrm.h"
#include "engines/EngineFiles.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"
#include "profiles/AppInfoPage.h"
#include "profiles/CompanyInfoPage.h"
#include "reports/ReportPictures.h"
#include "engines/SiteBuilderPage.h"

#include <QComboBox>
#include <QListWidget>

bool TGWide::StartupOk = true;

TGWide::TGWide(TMainFrm* mainWindow) : MainWindow(mainWindow) {}

TGWide::~TGWide() = default;

bool TGWide::Initialize()
{
    MakeFolders();
    try {
        CreateEngineObjects();
    } catch (...) {
        StartupOk = false;
    }
    writeHelpFileIfMissing(ProgramDir);
    reports::writeMissingPictures(ImagesDir);

    if (platform::files::fileExists(companiesFile()))
        MainWindow->CompanyInfoSheet->LoadCompanyList();
    if (MainWindow->CompanyInfoSheet->compname->count() > 0)
        LoadAppList();
    if (MainWindow->AppInfoSheet->AppName->count() > 0)
        MainWindow->AppInfoSheet->selectFirstApp();
    loadSiteLists();
    return true;
}

void TGWide::MakeFolders()
{
    ProgramDir = MainWindow->programDir();
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

bool TGWide::LoadAppList()
{
    const QString company = MainWindow->CompanyInfoSheet->companyName();
    if (company.isEmpty() || !platform::files::fileExists(appListFile(company)))
        return false;
    QListWidget* list = MainWindow->AppInfoSheet->AppName;
    list->clear();
    list->addItems(platform::text::readLines(appListFile(company)));
    return true;
}

void TGWide::SaveAppList()
{
    const QString company = MainWindow->CompanyInfoSheet->companyName();
    if (company.isEmpty())
        return;
    QStringList names;
    const QListWidget* list = MainWindow->AppInfoSheet->AppName;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    platform::text::writeLines(appListFile(company), names);
}

void TGWide::CreateEngineObjects()
{
    IniSites = std::make_unique<TIniSites>();
    EngBuild = std::make_unique<TEngBuild>(TEngBuild::Folders{SitesDir, CatDir, DataDir}, MainWindow->dialogs(),
                                           MainWindow->clock(), &MainWindow->expanderSource());
}

void TGWide::loadSiteLists()
{
    if (EngBuild) {
        EngBuild->LoadSiteLists();
        MainWindow->SiteBuilderSheet->siteListsLoaded();
    }
}
