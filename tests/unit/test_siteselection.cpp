// The site selection without a window: the Type cell, the merge of the saved
// selection into the rows, the compatibility rule, the selection file's bytes
// and the tally of the sites to post.
#include "selection/SiteSelection.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace selection;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// A saved line written the way the file holds it, "|" standing for the separator.
SavedLine saved(const char* fields) {
    return parseLine(s(fields).replace(u'|', QChar(FieldSeparator)));
}

QString rowText(const SiteRow& row) {
    QStringList cells;
    for (int c = 0; c < ColumnCount; ++c)
        cells << row.cell(c);
    return cells.join(u'|');
}

} // namespace

TEST(SiteSelection, TypeCellFromSiteTypeAndSystem) {
    const struct {
        int type, system;
        const char* cell;
    } cases[] = {
        {1, 1, "Free 32"}, {1, 2, "Free 16"},   {1, 3, "Free 16-32"}, {2, 1, "All 32"},
        {2, 2, "All 16"},  {2, 3, "All 16-32"}, {0, 0, "All 16-32"},  {7, 9, "All 16-32"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(typeCell(c.type, c.system), s(c.cell)) << c.type << " " << c.system;
}

TEST(SiteSelection, EngineSettingsReadWithDefaultsAndAnyNonZeroFlag) {
    TempProgramDir dir;
    dir.write(s("sites/Bare.ini"), "[SETTINGS]\r\nSITES_WEB_URL=http://bare.example/\r\n");
    dir.write(s("sites/Full.ini"), "[settings]\r\nsite_type=1\r\nSITE_SYSTEM=0x2\r\nUSE_CAT1=1\r\nUSE_CAT2=0\r\n"
                                   "USE_HTTP_POST=5\r\nUSE_FTP_UPLOAD=1\r\nUSE_ZIP_FILE=1\r\nUSE_EMAIL=-1\r\n");
    dir.write(s("sites/Junk.ini"), "[SETTINGS]\r\nSITE_TYPE=free\r\nSITE_SYSTEM=\r\nUSE_EMAIL=yes\r\n");
    EngineSettings settings;
    ASSERT_TRUE(readEngineSettings(dir.file(s("sites/Bare.ini")), settings));
    EXPECT_EQ(rowText(defaultRow(s("Bare"), settings)), s("Bare|All 16-32|New|N/A|N/A|N|N|N|N|Unknown|Y"));
    ASSERT_TRUE(readEngineSettings(dir.file(s("sites/Full.ini")), settings));
    EXPECT_EQ(rowText(defaultRow(s("Full"), settings)), s("Full|Free 16|New|NOT SET!|N/A|Y|Y|Y|Y|Unknown|Y"));
    settings = {};
    ASSERT_TRUE(readEngineSettings(dir.file(s("sites/Junk.ini")), settings));
    EXPECT_EQ(rowText(defaultRow(s("Junk"), settings)), s("Junk|All 16-32|New|N/A|N/A|N|N|N|N|Unknown|Y"));
    EXPECT_FALSE(readEngineSettings(dir.file(s("sites/Missing.ini")), settings));

    EXPECT_EQ(readSiteUrl(dir.file(s("sites/Bare.ini"))), s("http://bare.example/"));
    EXPECT_EQ(readSiteUrl(dir.file(s("sites/Full.ini"))), QString());
    EXPECT_EQ(readSiteUrl(dir.file(s("sites/Missing.ini"))), QString());
}

TEST(SiteSelection, MergeOfSavedLinesIntoRows) {
    EngineSettings both;
    both.useCat1 = both.useCat2 = true;
    const EngineSettings none;
    const struct {
        const char* what;
        EngineSettings settings;
        const char* line;
        const char* row;
    } cases[] = {
        {"stored labels replace NOT SET!", both, "S|Update|Games|Puzzle|12/01/26|N",
         "S|All 16-32|Update|Games|Puzzle|N|N|N|N|12/01/26|N"},
        {"stored N/A does not replace NOT SET!", both, "S|New|N/A|N/A|Unknown|Y",
         "S|All 16-32|New|NOT SET!|NOT SET!|N|N|N|N|Unknown|Y"},
        {"labels of a site that no longer uses categories are dropped", none, "S|Update|Games|Puzzle|Unknown|Y",
         "S|All 16-32|Update|N/A|N/A|N|N|N|N|Unknown|Y"},
        {"a stored NOT SET! stays", both, "S|New|NOT SET!|Puzzle|Unknown|N",
         "S|All 16-32|New|NOT SET!|Puzzle|N|N|N|N|Unknown|N"},
        {"missing fields read as empty", both, "S|Update", "S|All 16-32|Update|||N|N|N|N||"},
        {"names match exactly", both, "s|Update|Games|Puzzle|12/01/26|N",
         "S|All 16-32|New|NOT SET!|NOT SET!|N|N|N|N|Unknown|Y"},
        {"fields after the sixth are ignored", none, "S|Update|N/A|N/A|Unknown|N|extra",
         "S|All 16-32|Update|N/A|N/A|N|N|N|N|Unknown|N"},
    };
    for (const auto& c : cases) {
        QList<SiteRow> rows{defaultRow(s("S"), c.settings)};
        mergeSaved(rows, {saved(c.line)});
        EXPECT_EQ(rowText(rows[0]), s(c.row)) << c.what;
    }
}

TEST(SiteSelection, MergeGoesInFileOrderToEveryRowOfTheName) {
    const EngineSettings none;
    QList<SiteRow> rows{defaultRow(s("A"), none), defaultRow(s("B"), none), defaultRow(s("B"), none)};
    mergeSaved(rows, {saved("B|Update|N/A|N/A|01/02/26|N"), saved("Gone|Update|N/A|N/A|x|N"),
                      saved("B|New|N/A|N/A|03/04/26|Y")});
    EXPECT_EQ(rowText(rows[0]), s("A|All 16-32|New|N/A|N/A|N|N|N|N|Unknown|Y"));
    EXPECT_EQ(rowText(rows[1]), s("B|All 16-32|New|N/A|N/A|N|N|N|N|03/04/26|Y"));
    EXPECT_EQ(rows[2], rows[1]);
}

TEST(SiteSelection, CompatibilityOfTypeCellWithPlatformAndStatus) {
    const struct {
        const char* type;
        const char* platform;
        const char* status;
        bool compatible;
    } cases[] = {
        {"All 32", "Windows 95", "Shareware", true},
        {"All 32", "Windows 3.1", "Shareware", false},
        {"All 32", "", "", true},
        {"All 16", "Windows 3.1", "Shareware", true},
        {"All 16", "Windows 95", "Shareware", false},
        {"All 16", "", "Shareware", false},
        {"All 16", "windows 3.1", "Shareware", false},
        {"All 16-32", "Windows 3.1", "Beta", true},
        {"All 16-32", "", "", true},
        {"Free 16-32", "Windows NT", "Freeware", true},
        {"Free 16-32", "Windows NT", "Public Domain", true},
        {"Free 16-32", "Windows NT", "Shareware", false},
        {"Free 16-32", "Windows NT", "freeware", false},
        {"Free 16-32", "Windows NT", "", false},
        {"Free 32", "Windows 3.1", "Freeware", false},
        {"Free 16", "Windows 3.1", "Freeware", true},
        {"", "Windows 95", "Shareware", true},
        {"16", "Windows 95", "Shareware", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSiteCompatible(s(c.type), s(c.platform), s(c.status)), c.compatible)
            << c.type << " / " << c.platform << " / " << c.status;
}

TEST(SiteSelection, SelectionFileBytes) {
    TempProgramDir dir;
    QDir().mkpath(dir.file(s("data")));
    const QString path = selectionPath(dir.file(s("data/")), s("PhotoTidy"));
    EXPECT_EQ(path, dir.file(s("data/PhotoTidy_SITES.dat")));

    EngineSettings cats;
    cats.useCat1 = true;
    SiteRow simtel = defaultRow(s("Simtel"), cats);
    SiteRow other = defaultRow(s("Caf\u00e9 Files"), EngineSettings{});
    other.submit = Update;
    other.lastPost = s("11/12/26");
    other.post = No;
    writeSelection(path, {simtel, other});
    EXPECT_EQ(dir.read(s("data/PhotoTidy_SITES.dat")), QByteArray("Simtel\xb1New\xb1NOT SET!\xb1N/A\xb1Unknown\xb1Y\r\n"
                                                                  "Caf\xe9 Files\xb1Update\xb1N/A\xb1N/A\xb1"
                                                                  "11/12/26\xb1N\r\n"));

    const QList<SavedLine> back = readSelection(path);
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[0], (SavedLine{s("Simtel"), s("New"), s("NOT SET!"), s("N/A"), s("Unknown"), s("Y")}));
    EXPECT_EQ(back[1].site, s("Caf\u00e9 Files"));

    // Line breaks of any kind, no break after the last line.
    dir.write(s("data/Other_SITES.dat"), "A\xb1Update\nB\xb1New\xb1X\rC");
    const QList<SavedLine> mixed = readSelection(dir.file(s("data/Other_SITES.dat")));
    ASSERT_EQ(mixed.size(), 3);
    EXPECT_EQ(mixed[0], (SavedLine{s("A"), s("Update"), {}, {}, {}, {}}));
    EXPECT_EQ(mixed[1].category1, s("X"));
    EXPECT_EQ(mixed[2].site, s("C"));
    EXPECT_TRUE(readSelection(dir.file(s("data/Missing_SITES.dat"))).isEmpty());
}

TEST(SiteSelection, BuildRowsFromEngineFilesAndSavedSelection) {
    TempProgramDir dir;
    dir.write(s("sites/Alpha.ini"), "[SETTINGS]\r\nUSE_CAT1=1\r\n");
    dir.write(s("sites/Beta.ini"), "[SETTINGS]\r\nSITE_SYSTEM=2\r\n");
    dir.write(s("sites/Free.ini"), "[SETTINGS]\r\nSITE_TYPE=1\r\n");
    dir.write(s("sites/Added.ini"), "[SETTINGS]\r\n");
    const auto settingsPath = [&dir](const QString& site) { return dir.file(s("sites/") + site + s(".ini")); };
    // "NoFile" has no settings file; "Removed" is saved but no longer an engine.
    const QStringList engines{s("Added"), s("Alpha"), s("Beta"), s("Free"), s("NoFile")};
    const QList<SavedLine> file{saved("Alpha|Update|Games|N/A|02/03/26|Y"), saved("Beta|New|N/A|N/A|Unknown|Y"),
                                saved("Free|New|N/A|N/A|Unknown|Y"), saved("NoFile|Update|N/A|N/A|x|Y"),
                                saved("Removed|Update|N/A|N/A|x|Y")};
    const QList<SiteRow> rows = buildRows(engines, settingsPath, file, s("Windows 95"), s("Shareware"));
    QStringList texts;
    for (const SiteRow& row : rows)
        texts << rowText(row);
    EXPECT_EQ(texts, (QStringList{
                         s("Added|All 16-32|New|N/A|N/A|N|N|N|N|Unknown|Y"),
                         s("Alpha|All 16-32|Update|Games|N/A|N|N|N|N|02/03/26|Y"),
                         s("Beta|All 16|New|N/A|N/A|N|N|N|N|Unknown|N"),
                         s("Free|Free 16-32|New|N/A|N/A|N|N|N|N|Unknown|N"),
                     }));

    // The same engines for a Windows 3.1 freeware application keep their flags.
    const QList<SiteRow> old = buildRows(engines, settingsPath, file, s("Windows 3.1"), s("Freeware"));
    ASSERT_EQ(old.size(), 4);
    EXPECT_EQ(old[2].post, Yes);
    EXPECT_EQ(old[3].post, Yes);
}

TEST(SiteSelection, TallyCountsPostedCompatibleRows) {
    const auto row = [](const char* type, const char* submit, const char* flags, const char* post,
                        const char* cat = "N/A") {
        SiteRow r;
        r.site = s("S");
        r.type = s(type);
        r.submit = s(submit);
        r.category1 = s(cat);
        r.category2 = s("N/A");
        const QString f = s(flags); // H F Z E
        r.http = f.mid(0, 1);
        r.ftp = f.mid(1, 1);
        r.zip = f.mid(2, 1);
        r.email = f.mid(3, 1);
        r.post = s(post);
        return r;
    };
    const QList<SiteRow> rows{
        row("All 16-32", "New", "YYYY", "Y"),
        row("All 32", "Update", "NNYN", "Y"), // zip without FTP is no zip upload
        row("All 16-32", "Update", "NYNY", "Y", "NOT SET!"),
        row("All 16", "New", "YYYY", "Y"), // incompatible with Windows 95
        row("All 16-32", "New", "YYYY", "N"),
        row("All 16-32", "New", "YYYY", ""),
    };
    const Tally all = tally(rows, s("Windows 95"), s("Shareware"), false);
    EXPECT_EQ(all.stats, (PostStats{3, 1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(all.unsetCategoryRow, -1);

    const Tally verified = tally(rows, s("Windows 95"), s("Shareware"), true);
    EXPECT_EQ(verified.unsetCategoryRow, 2);

    const QList<SiteRow> unsetButIncompatible{row("All 16", "New", "YNNN", "Y", "NOT SET!"),
                                              row("All 32", "New", "YNNN", "Y")};
    const Tally skipped = tally(unsetButIncompatible, s("Windows 95"), s("Shareware"), true);
    EXPECT_EQ(skipped.unsetCategoryRow, -1);
    EXPECT_EQ(skipped.stats, (PostStats{1, 1, 0, 1, 0, 0, 0}));
}
