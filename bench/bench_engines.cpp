// Times what start-up and the Site Builder do with engine files: loading the
// two site lists (5,000 names in all), loading and saving one full engine,
// and expanding a typical HTTP script.
#include "engines/Expander.h"

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>

namespace {

constexpr int MakerSites = 4000;
constexpr int UserSites = 1000;

struct Folder {
    Folder() {
        for (const char* sub : {"sites", "cat", "data"})
            QDir(dir.path()).mkdir(QLatin1String(sub));
    }
    TEngBuild::Folders folders() const {
        const QString root = dir.path() + QLatin1Char('/');
        return {root + QStringLiteral("sites/"), root + QStringLiteral("cat/"), root + QStringLiteral("data/")};
    }
    QTemporaryDir dir;
};

QStringList siteNames(int count, const char* prefix) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("%1 %2 Downloads").arg(QLatin1String(i % 2 ? prefix : "site"), QString::number(i));
    std::shuffle(names.begin(), names.end(), *QRandomGenerator::global());
    return names;
}

// A full engine: every key set, two category lists of 200 lines, five scripts.
void fillEngine(TEngBuild& eb) {
    SiteEngine& e = eb.Engine;
    e.siteName = QStringLiteral("Bench Site");
    e.byteFormat = ByteFormat::Kilobytes;
    e.sitesWebUrl = QStringLiteral("http://example.test/");
    e.useCat1 = e.useCat2 = e.useHttpPost = e.useFtpUpload = e.useZipFile = e.useEmail = true;
    e.httpNewScriptUrl = e.httpUpdateScriptUrl = QStringLiteral("http://example.test/submit.cgi");
    e.ftpServer = QStringLiteral("ftp.example.test");
    e.loginName = QStringLiteral("anonymous");
    e.remotePath = QStringLiteral("/pub/incoming");
    e.loginPassword = QStringLiteral("%CONTEMAIL%");
    e.ftpFileName = QStringLiteral("%8PLUS3%.txt");
    e.emailToName = e.emailToNameUpdate = QStringLiteral("files@example.test");
    e.emailSubject = e.emailSubjectUpdate = QStringLiteral("%APPNAME% %APPVERSION%");
    for (int i = 0; i < 200; ++i) {
        e.cat1 << QStringLiteral("%1\">Category %1").arg(i);
        e.cat2 << QStringLiteral("s%1\">Sub category %1").arg(i);
    }
    QString script;
    for (int i = 0; i < 40; ++i)
        script += QStringLiteral("line %1 %APPNAME% %APPVERSION% %APPSHORTDESC%\r\n").arg(i);
    e.httpNewScript = e.httpUpdateScript = e.ftpScript = e.emailNewScript = e.emailUpdateScript = script;
    eb.Translations.setToFixedWords();
}

class BenchSource final : public ExpanderSource {
public:
    QString companyField(CompanyField field) const override { return QStringLiteral("company %1").arg(int(field)); }
    QString appField(AppField field) const override { return QStringLiteral("app %1").arg(int(field)); }
    QString engineSiteName() const override { return QStringLiteral("Bench Site"); }
    ByteFormat engineByteFormat() const override { return ByteFormat::Kilobytes; }
    bool engineUsesCategory(int) const override { return true; }
    QStringList engineCategoryLines(int) const override { return {QStringLiteral("12\">Utilities")}; }
    QString fieldTranslation(Translation t) const override { return fixedWord(t); }
    QString selectedCategoryLabel(int) const override { return QStringLiteral("Utilities"); }
};

platform::ScriptedDialogs dialogs;
platform::FixedClock clock(QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7)));

void LoadSiteLists(benchmark::State& state) {
    Folder folder;
    TEngBuild eb(folder.folders(), dialogs, clock);
    platform::text::writeLines(eb.makerListPath(), siteNames(MakerSites, "maker"));
    platform::text::writeLines(eb.userListPath(), siteNames(UserSites, "user"));
    for (auto _ : state) {
        eb.LoadSiteLists();
        benchmark::DoNotOptimize(eb.EngineList().size());
    }
    if (eb.EngineList().size() != MakerSites + UserSites)
        state.SkipWithError("wrong number of engines");
}
BENCHMARK(LoadSiteLists)->Unit(benchmark::kMillisecond);

void LoadEngine(benchmark::State& state) {
    Folder folder;
    TEngBuild eb(folder.folders(), dialogs, clock);
    fillEngine(eb);
    eb.SaveEngine();
    for (auto _ : state) {
        eb.LoadEngine(QStringLiteral("Bench Site"));
        benchmark::DoNotOptimize(eb.Engine.cat1.size());
    }
    if (eb.Engine.cat1.size() != 200)
        state.SkipWithError("engine not loaded");
}
BENCHMARK(LoadEngine)->Unit(benchmark::kMicrosecond);

void SaveEngine(benchmark::State& state) {
    Folder folder;
    TEngBuild eb(folder.folders(), dialogs, clock);
    fillEngine(eb);
    eb.SaveEngine(); // the settings file exists, as after the first save
    for (auto _ : state)
        eb.SaveEngine();
}
BENCHMARK(SaveEngine)->Unit(benchmark::kMicrosecond);

void ExpandScript(benchmark::State& state) {
    BenchSource source;
    TEngBuild eb(TEngBuild::Folders{}, dialogs, clock, &source);
    QString script;
    for (const ScriptVariable& v : scriptVariables())
        script += QStringLiteral("&f=") + v.variable;
    for (auto _ : state)
        benchmark::DoNotOptimize(eb.ExpandVariables(script, true));
    if (eb.ExpandFailed)
        state.SkipWithError("expansion failed");
}
BENCHMARK(ExpandScript)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
