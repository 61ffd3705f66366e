#include "engines/EngineFiles.h"

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QStringList list(std::initializer_list<const char*> items) {
    QStringList result;
    for (const char* item : items)
        result << s(item);
    return result;
}

// The 50 settings keys in the order a save writes them.
const QStringList AllKeys = list({
    "BYTE_FORMAT",
    "SITES_WEB_URL",
    "USE_CAT1",
    "USE_CAT2",
    "SITE_TYPE",
    "SITE_SYSTEM",
    "USE_HTTP_POST",
    "HTTP_POST_TYPE",
    "HTTP_NEW_SCRIPT_URL",
    "HTTP_UPDATE_SCRIPT_URL",
    "MUF_Windows31",
    "MUF_Windows95",
    "MUF_WindowsNT",
    "MUF_Windows95NT",
    "MUF_Author",
    "MUF_Distributor",
    "MUF_Dealer",
    "MUF_User",
    "MUF_FeatureLimitDemo",
    "MUF_TimeLimitDemo",
    "MUF_PublicDomain",
    "MUF_Freeware",
    "MUF_Shareware",
    "MUF_Beta",
    "MUF_NoInstallFeature",
    "MUF_InstallFeatureOnly",
    "MUF_UnInstallFeatureOnly",
    "MUF_InstallUninstall",
    "USE_FTP_UPLOAD",
    "USE_ZIP_FILE",
    "USE_8X3_FILENAME",
    "FTP_SERVER",
    "LOGIN_NAME",
    "REMOTE_PATH",
    "LOGIN_PASSWORD",
    "ADD_FILE_TO_ZIP",
    "INCLUDE_IN_ZIP",
    "ADDED_TEXT_BOTH",
    "FTP_FILENAME",
    "USE_EMAIL",
    "EMAIL_SEND_COPY",
    "EMAIL_ATTACH_GIF",
    "EMAIL_ATTACH_ICO",
    "EMAIL_ATTACH_SCREEN",
    "EMAIL_ATTACH_OTHER",
    "EMAIL_ATTACH_APPLICATION",
    "EMAIL_TONAME",
    "EMAIL_SUBJECT",
    "EMAIL_TONAME_UPDATE",
    "EMAIL_SUBJECT_UPDATE",
});

// A program folder with the engine folders and an engine object on it.
class EngineFiles : public ::testing::Test {
protected:
    EngineFiles() {
        for (const char* sub : {"sites", "cat", "data"})
            QDir().mkpath(dir.file(s(sub)));
    }

    std::unique_ptr<TEngBuild> newEngBuild() {
        return std::make_unique<TEngBuild>(
            TEngBuild::Folders{dir.file(s("sites/")), dir.file(s("cat/")), dir.file(s("data/"))}, dialogs, clock);
    }

    QString settingsValue(const QString& site, const QString& key) {
        for (const QString& line : platform::text::readLines(dir.file(s("sites/") + site + s(".ini"))))
            if (line.startsWith(key + u'='))
                return line.mid(key.size() + 1);
        return s("<missing>");
    }

    // Keys of the [SETTINGS] lines of a settings file, in file order.
    QStringList settingsKeys(const QString& site) {
        QStringList keys;
        for (const QString& line : platform::text::readLines(dir.file(s("sites/") + site + s(".ini"))))
            if (line.contains(u'='))
                keys << line.left(line.indexOf(u'='));
        return keys;
    }

    TempProgramDir dir;
    platform::ScriptedDialogs dialogs;
    platform::FixedClock clock{QDateTime(QDate(2026, 3, 4), QTime(9, 5))};
    std::unique_ptr<TEngBuild> eb = newEngBuild();
};

} // namespace

TEST(CategoryLine, SplitsAtTheFirstMarker) {
    const struct {
        const char* line;
        const char* value;
        const char* label;
    } cases[] = {
        {"12\">Games", "12", "Games"},
        {"Games", "Games", "Games"},
        {"\">Games", "\">Games", "Games"},
        {"12\">", "12", "12\">"},
        {"a\">b\">c", "a", "b\">c"},
        {"\">", "\">", "\">"},
        {"", "", ""},
        {" 12 \"> Board Games ", " 12 ", " Board Games "},
        {"1\"2>x", "1\"2>x", "1\"2>x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(TEngBuild::CategoryValue(s(c.line)), s(c.value));
        EXPECT_EQ(TEngBuild::CategoryLabel(s(c.line)), s(c.label));
    }
}

TEST_F(EngineFiles, SaveAndLoadKeepEveryMember) {
    SiteEngine& e = eb->Engine;
    e.siteName = s("Round Trip");
    e.byteFormat = ByteFormat::Megabytes;
    e.sitesWebUrl = s("http://example.test/");
    e.useCat1 = true;
    e.useCat2 = true;
    e.siteType = SiteType::FreewareOnly;
    e.siteSystem = SiteSystem::Bit16Only;
    e.useHttpPost = true;
    e.httpPostType = HttpMethod::Get;
    e.httpNewScriptUrl = s("http://example.test/new?x=%APPNAME%");
    e.httpUpdateScriptUrl = s("http://example.test/upd");
    e.useFtpUpload = true;
    e.useZipFile = true;
    e.use8x3FileName = true;
    e.ftpServer = s("ftp.example.test");
    e.loginName = s("anonymous");
    e.remotePath = s("/pub/incoming");
    e.loginPassword = s("%CONTEMAIL%");
    e.addedText = AddedText::IncludeInZip;
    e.ftpFileName = s("%APPNAME%.TXT");
    e.useEmail = true;
    e.emailSendCopy = true;
    e.emailAttachGif = true;
    e.emailAttachIco = true;
    e.emailAttachScreen = true;
    e.emailAttachOther = true;
    e.emailAttachApplication = true;
    e.emailToName = s("new@example.test");
    e.emailSubject = s("New: %APPNAME%");
    e.emailToNameUpdate = s("upd@example.test");
    e.emailSubjectUpdate = s("Update: %APPNAME% \xC3\xA9");
    e.cat1 = list({"1\">Games", "2\">Tools"});
    e.cat2 = list({"a\">Other"});
    e.httpNewScript = s("a=%APPNAME%&b=1");
    e.httpUpdateScript = s("u=1");
    e.ftpScript = s("line one\r\nline two");
    e.emailNewScript = s("Hello\r\n\r\nBye");
    e.emailUpdateScript = s("Update");
    for (const TranslationInfo& info : translationTable())
        eb->Translations.set(info.id, s("site word ") + QString::fromUtf16(info.key));
    eb->SaveEngine();

    EXPECT_EQ(settingsKeys(s("Round Trip")), AllKeys);
    EXPECT_EQ(dir.read(s("sites/Round Trip FTP_NEW.scp")), QByteArray("line one\r\nline two\r\n"));
    EXPECT_TRUE(dir.exists(s("cat/Round Trip Cat1.cat")));
    EXPECT_TRUE(dir.exists(s("cat/Round Trip Cat2.cat")));

    auto fresh = newEngBuild();
    fresh->LoadEngine(s("Round Trip"));
    EXPECT_EQ(fresh->Engine, e);
    EXPECT_EQ(fresh->Translations, eb->Translations);

    // The cleared defaults survive a round trip too.
    eb->Engine.clear();
    eb->Engine.siteName = s("Defaults");
    eb->SaveEngine();
    fresh->LoadEngine(s("Defaults"));
    EXPECT_EQ(fresh->Engine, eb->Engine);
}

TEST_F(EngineFiles, ChoiceKeysDecodeAndSaveBack) {
    const struct {
        const char* key;
        const char* stored;
        const char* savedBack;
    } cases[] = {
        {"BYTE_FORMAT", "2", "2"},    {"BYTE_FORMAT", "3", "3"},   {"BYTE_FORMAT", "7", "1"},
        {"BYTE_FORMAT", "abc", "1"},  {"BYTE_FORMAT", "0x3", "3"}, {"SITE_TYPE", "1", "1"},
        {"SITE_TYPE", "0", "2"},      {"SITE_SYSTEM", "0", "3"},   {"SITE_SYSTEM", "1", "1"},
        {"SITE_SYSTEM", "2", "2"},    {"SITE_SYSTEM", "", "3"},    {"HTTP_POST_TYPE", "2", "2"},
        {"HTTP_POST_TYPE", "5", "1"}, {"USE_EMAIL", "5", "1"},     {"USE_EMAIL", "yes", "0"},
        {"USE_EMAIL", "0", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.stored);
        dir.write(s("sites/S.ini"), QByteArray("[SETTINGS]\r\n") + c.key + "=" + c.stored + "\r\n");
        eb->LoadEngine(s("S"));
        eb->SaveEngine();
        EXPECT_EQ(settingsValue(s("S"), s(c.key)), s(c.savedBack));
    }

    dir.write(s("sites/S.ini"), "[SETTINGS]\r\nBYTE_FORMAT=7\r\nSITE_SYSTEM=0\r\n");
    eb->LoadEngine(s("S"));
    EXPECT_EQ(eb->Engine.byteFormat, ByteFormat::Bytes);
    EXPECT_EQ(eb->Engine.siteSystem, SiteSystem::Both);
}

TEST_F(EngineFiles, AddedTextChoiceTakesTheLastKeySet) {
    const struct {
        int add, include, both;
        AddedText loaded;
    } cases[] = {
        {0, 0, 0, AddedText::None},         {1, 0, 0, AddedText::AddToUpload}, {0, 1, 0, AddedText::IncludeInZip},
        {1, 1, 0, AddedText::IncludeInZip}, {1, 0, 1, AddedText::Both},        {1, 1, 1, AddedText::Both},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.add << c.include << c.both);
        dir.write(s("sites/S.ini"), QStringLiteral("[SETTINGS]\r\nADD_FILE_TO_ZIP=%1\r\nINCLUDE_IN_ZIP=%2\r\n"
                                                   "ADDED_TEXT_BOTH=%3\r\n")
                                        .arg(c.add)
                                        .arg(c.include)
                                        .arg(c.both)
                                        .toLatin1());
        eb->LoadEngine(s("S"));
        EXPECT_EQ(eb->Engine.addedText, c.loaded);
        eb->SaveEngine();
        const QString saved = settingsValue(s("S"), s("ADD_FILE_TO_ZIP")) + settingsValue(s("S"), s("INCLUDE_IN_ZIP")) +
                              settingsValue(s("S"), s("ADDED_TEXT_BOTH"));
        EXPECT_EQ(saved, c.loaded == AddedText::None           ? s("000")
                         : c.loaded == AddedText::AddToUpload  ? s("100")
                         : c.loaded == AddedText::IncludeInZip ? s("010")
                                                               : s("001"));
    }
    eb->LoadEngine(s("No Settings File"));
    EXPECT_EQ(eb->Engine.addedText, AddedText::AddToUpload);
}

TEST_F(EngineFiles, SaveKeepsForeignLinesAndAppendsMissingKeys) {
    dir.write(s("sites/Hand.ini"), "; made by hand\r\n"
                                   "[SETTINGS]\r\n"
                                   "BYTE_FORMAT=2\r\n"
                                   "CUSTOM_NOTE=keep me\r\n"
                                   "MUF_Windows95=Win95\r\n"
                                   "MUF_Beta=\r\n"
                                   "[OTHER]\r\n"
                                   "EMAIL_SUBJECT=not ours\r\n");
    eb->Translations.set(Translation::Windows31, s("from the engine before"));
    eb->LoadEngine(s("Hand"));
    EXPECT_EQ(eb->Engine.byteFormat, ByteFormat::Kilobytes);
    EXPECT_EQ(eb->Engine.siteSystem, SiteSystem::Both);
    EXPECT_EQ(eb->Engine.emailSubject, QString());
    EXPECT_EQ(eb->Translations.value(Translation::Windows95), s("Win95"));
    EXPECT_EQ(eb->Translations.value(Translation::Beta), QString());
    EXPECT_EQ(eb->Translations.value(Translation::Windows31), s("Windows 3.1"));

    eb->Engine.emailSubject = s("ours");
    eb->SaveEngine();
    const QStringList lines = platform::text::readLines(dir.file(s("sites/Hand.ini")));
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines.mid(0, 6), list({"; made by hand", "[SETTINGS]", "BYTE_FORMAT=2", "CUSTOM_NOTE=keep me",
                                     "MUF_Windows95=Win95", "MUF_Beta="}));
    EXPECT_EQ(lines.mid(lines.size() - 2), list({"[OTHER]", "EMAIL_SUBJECT=not ours"}));
    QStringList expected = AllKeys;
    expected.removeAll(s("BYTE_FORMAT"));
    expected.removeAll(s("MUF_Windows95"));
    expected.removeAll(s("MUF_Beta"));
    EXPECT_EQ(settingsKeys(s("Hand")).mid(4, expected.size()), expected);
    EXPECT_TRUE(lines.contains(s("EMAIL_SUBJECT=ours")));
}

TEST_F(EngineFiles, MissingSettingsFileKeepsTheTranslationsOfTheEngineBefore) {
    eb->Translations.set(Translation::Windows95, s("Win95"));
    eb->Engine.useEmail = true;
    eb->LoadEngine(s("Absent"));
    EXPECT_EQ(eb->Translations.value(Translation::Windows95), s("Win95"));
    SiteEngine cleared;
    cleared.siteName = s("Absent");
    EXPECT_EQ(eb->Engine, cleared);
}

TEST_F(EngineFiles, EmptyCategoryListDeletesItsFileButEmptyScriptLeavesIt) {
    eb->Engine.siteName = s("Site");
    eb->Engine.cat1 = list({"1\">Games"});
    eb->Engine.httpUpdateScript = s("old update");
    eb->SaveEngine();
    ASSERT_TRUE(dir.exists(s("cat/Site Cat1.cat")));
    ASSERT_TRUE(dir.exists(s("sites/Site HTTP_UPDATE.scp")));

    eb->Engine.cat1.clear();
    eb->Engine.httpUpdateScript.clear();
    eb->SaveEngine();
    EXPECT_FALSE(dir.exists(s("cat/Site Cat1.cat")));
    eb->LoadEngine(s("Site"));
    EXPECT_EQ(eb->Engine.httpUpdateScript, s("old update"));
    EXPECT_TRUE(eb->Engine.cat1.isEmpty());
}

TEST_F(EngineFiles, ListsAreSortedWithoutRegardToCaseAndMerged) {
    dir.write(s("sites/Sites.dat"), "beta\r\nAlpha\r\n\r\nCommon\r\ngamma\r\n../Escape\r\nDelta");
    dir.write(s("sites/User_Sites.dat"), "Zed\nBeta\ncommon\nCommon\n..\n");
    eb->LoadSiteLists();
    EXPECT_EQ(eb->MakerSites(), list({"", "Alpha", "beta", "Common", "Delta", "gamma"}));
    EXPECT_EQ(eb->UserSites(), list({"Beta", "common", "Common", "Zed"}));
    EXPECT_EQ(eb->EngineList(),
              list({"", "Alpha", "beta", "Beta", "Common", "common", "Common", "Delta", "gamma", "Zed"}));
    EXPECT_EQ(eb->IndexOfSite(s("common")), 5);
    EXPECT_EQ(eb->IndexOfSite(s("Common")), 4);
    EXPECT_EQ(eb->IndexOfSite(s("ALPHA")), -1);
    EXPECT_EQ(eb->SelectedIndex(), -1);

    eb->SaveSiteLists();
    EXPECT_EQ(dir.read(s("sites/User_Sites.dat")), QByteArray("Beta\r\ncommon\r\nCommon\r\nZed\r\n"));
    EXPECT_EQ(dir.read(s("sites/Sites.dat")), QByteArray("\r\nAlpha\r\nbeta\r\nCommon\r\nDelta\r\ngamma\r\n"));
}

TEST(SiteName, NamesThatCannotBeFileNamesAreRefused) {
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"My Site", true}, {"", true},       {"..hidden", true}, {"a.b", true},       {"Caf\xC3\xA9", true},
        {".", false},      {"..", false},    {"a/b", false},     {"a\\b", false},     {"../up", false},
        {"tab\tx", false}, {"nl\nx", false}, {"del\x7f", false}, {"\xC2\x85", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString reason = s("stale");
        EXPECT_EQ(TEngBuild::IsValidSiteName(s(c.name), reason), c.valid);
        EXPECT_EQ(reason.isEmpty(), c.valid);
    }
}

TEST_F(EngineFiles, CreateEngineTrimsAndRefusesDuplicatesAndBadNames) {
    dir.write(s("sites/Sites.dat"), "Alpha\r\nDelta\r\n");
    eb->LoadSiteLists();

    EXPECT_TRUE(eb->CreateEngine(s("  Charlie  ")));
    EXPECT_EQ(eb->EngineList(), list({"Alpha", "Charlie", "Delta"}));
    EXPECT_EQ(eb->UserSites(), list({"Charlie"}));
    EXPECT_EQ(eb->SelectedSite(), s("Charlie"));
    EXPECT_EQ(eb->Translations.value(Translation::InstallUninstall), s("Install/Uninstall"));
    EXPECT_EQ(eb->Translations.value(Translation::Windows95NT), s("Windows 95 and NT"));
    EXPECT_EQ(dir.read(s("sites/User_Sites.dat")), QByteArray("Charlie\r\n"));
    EXPECT_TRUE(dialogs.calls.isEmpty());

    EXPECT_TRUE(eb->CreateEngine(s("alpha"))); // letter case makes another name
    EXPECT_EQ(eb->SelectedIndex(), 1);

    const struct {
        const char* name;
        const char* title;
    } refused[] = {
        {"   ", nullptr},
        {"", nullptr},
        {"Delta", "SITE NAME DUPLICATE"},
        {" Delta ", "SITE NAME DUPLICATE"},
        {"../Delta", "SITE NAME INVALID"},
        {"a\\b", "SITE NAME INVALID"},
        {" .. ", "SITE NAME INVALID"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        EXPECT_FALSE(eb->CreateEngine(s(c.name)));
        if (!c.title) {
            EXPECT_TRUE(dialogs.calls.isEmpty());
            continue;
        }
        ASSERT_EQ(dialogs.kinds(), list({"error"}));
        EXPECT_EQ(dialogs.calls[0].title, s(c.title));
        EXPECT_TRUE(dialogs.calls[0].instruction.isEmpty());
        if (QLatin1String(c.title) == QLatin1String("SITE NAME DUPLICATE"))
            EXPECT_EQ(dialogs.calls[0].text, s("The site name you entered is already on the list!"));
        else
            EXPECT_FALSE(dialogs.calls[0].text.isEmpty());
    }
    EXPECT_EQ(eb->EngineList(), list({"Alpha", "alpha", "Charlie", "Delta"}));
}

TEST_F(EngineFiles, DeleteEngineRemovesFilesAndFirstEntriesThenLoadsTheFirst) {
    dir.write(s("sites/Sites.dat"), "Beta\r\nAlpha\r\n");
    dir.write(s("sites/User_Sites.dat"), "Beta\r\n");
    dir.write(s("sites/Alpha.ini"), "[SETTINGS]\r\nUSE_EMAIL=1\r\n");
    dir.write(s("sites/Beta.ini"), "[SETTINGS]\r\n");
    dir.write(s("cat/Beta Cat1.cat"), "1\">x\r\n");
    dir.write(s("cat/Beta Cat2.cat"), "1\">x\r\n");
    for (const char* script : {"HTTP_NEW", "HTTP_UPDATE", "FTP_NEW", "EMAIL_NEW", "EMAIL_UPDATE"})
        dir.write(s("sites/Beta ") + s(script) + s(".scp"), "x\r\n");
    eb->LoadSiteLists();
    eb->LoadEngine(s("Beta"));

    eb->DeleteEngine(s("Beta"));
    EXPECT_EQ(QDir(dir.file(s("sites"))).entryList(QDir::Files), list({"Alpha.ini", "Sites.dat", "User_Sites.dat"}));
    EXPECT_TRUE(QDir(dir.file(s("cat"))).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(eb->MakerSites(), list({"Alpha"}));
    EXPECT_TRUE(eb->UserSites().isEmpty());
    EXPECT_EQ(eb->EngineList(), list({"Alpha", "Beta"}));
    EXPECT_EQ(dir.read(s("sites/Sites.dat")), QByteArray("Alpha\r\n"));
    EXPECT_EQ(dir.read(s("sites/User_Sites.dat")), QByteArray());
    EXPECT_EQ(eb->SelectedIndex(), 0);
    EXPECT_EQ(eb->Engine.siteName, s("Alpha"));
    EXPECT_TRUE(eb->Engine.useEmail);

    // The Site Builder's own loading takes over when it is set.
    int loadedIndex = -1;
    eb->LoadSelected = [&loadedIndex](int index) { loadedIndex = index; };
    eb->DeleteEngine(s("Beta"));
    EXPECT_EQ(loadedIndex, 0);
    EXPECT_EQ(eb->EngineList(), list({"Alpha"}));

    // With the last engine gone, a save writes nothing back.
    eb->LoadSelected = nullptr;
    eb->DeleteEngine(s("Alpha"));
    EXPECT_TRUE(eb->EngineList().isEmpty());
    EXPECT_EQ(eb->SelectedIndex(), -1);
    eb->SaveEngine();
    EXPECT_FALSE(dir.exists(s("sites/Alpha.ini")));
}

TEST_F(EngineFiles, NamesThatCannotBeFileNamesNeverReachAPath) {
    dir.write(s("Outside.ini"), "[SETTINGS]\r\nUSE_EMAIL=1\r\n");
    dir.write(s("Outside HTTP_NEW.scp"), "keep\r\n");

    eb->LoadEngine(s("../Outside"));
    EXPECT_FALSE(eb->Engine.useEmail);
    EXPECT_TRUE(eb->Engine.httpNewScript.isEmpty());

    eb->Engine.httpNewScript = s("overwritten");
    eb->SaveEngine();
    eb->DeleteEngine(s("../Outside"));
    EXPECT_EQ(dir.read(s("Outside HTTP_NEW.scp")), QByteArray("keep\r\n"));
    EXPECT_TRUE(dir.exists(s("Outside.ini")));
}
