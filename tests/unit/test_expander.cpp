#include "engines/Expander.h"

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The pages as plain values.
class PlainSource final : public ExpanderSource {
public:
    QHash<CompanyField, QString> company;
    QHash<AppField, QString> app;
    QString siteName;
    ByteFormat byteFormat = ByteFormat::Bytes;
    bool useCat[2] = {false, false};
    QStringList lines[2];
    FieldTranslations translations;
    QString label[2];

    QString companyField(CompanyField field) const override { return company.value(field); }
    QString appField(AppField field) const override { return app.value(field); }
    QString engineSiteName() const override { return siteName; }
    ByteFormat engineByteFormat() const override { return byteFormat; }
    bool engineUsesCategory(int which) const override { return useCat[which - 1]; }
    QStringList engineCategoryLines(int which) const override { return lines[which - 1]; }
    QString fieldTranslation(Translation t) const override { return translations.value(t); }
    QString selectedCategoryLabel(int which) const override { return label[which - 1]; }
};

// A clock that moves on a minute every time it is read.
class TickingClock final : public platform::Clock {
public:
    QDateTime now() const override {
        const QDateTime result = time;
        time = time.addSecs(60);
        return result;
    }
    mutable QDateTime time{QDate(2026, 3, 4), QTime(9, 5, 7)};
};

class Expander : public ::testing::Test {
protected:
    QString expand(const char* text, bool forSubmission = true) { return eb.ExpandVariables(s(text), forSubmission); }

    PlainSource src;
    platform::ScriptedDialogs dialogs;
    platform::FixedClock clock{QDateTime(QDate(2026, 3, 4), QTime(9, 5, 7))};
    TEngBuild eb{TEngBuild::Folders{s("/nonexistent/sites/"), s("/nonexistent/cat/"), s("/nonexistent/data/")}, dialogs,
                 clock, &src};
};

struct Outcome {
    const char* text;
    bool failed;
    const char* failedVariable;
    const char* result; // nullptr: the input unchanged
};

void checkOutcomes(TEngBuild& eb, std::initializer_list<Outcome> cases, bool forSubmission = true) {
    for (const Outcome& c : cases) {
        SCOPED_TRACE(c.text);
        const QString input = QString::fromUtf8(c.text);
        const QString result = eb.ExpandVariables(input, forSubmission);
        EXPECT_EQ(eb.ExpandFailed, c.failed);
        EXPECT_EQ(eb.FailedVariable, QString::fromUtf8(c.failedVariable));
        EXPECT_EQ(result, c.result ? QString::fromUtf8(c.result) : input);
    }
}

} // namespace

TEST_F(Expander, FailuresReturnTheInputAndNameWhatFailed) {
    src.app[AppField::Name] = s("Tool");
    src.app[AppField::ShortDesc] = s("Save 50% now");
    checkOutcomes(eb, {
                          {"", false, "", nullptr},
                          {"no variables here\r\nat all", false, "", nullptr},
                          {"Save 50% now", true, "", nullptr},
                          {"a%20b", true, "", nullptr},
                          {"x=%20&n=%APPNAME%", true, "20&n=", nullptr},
                          {"%appname%", true, "appname", nullptr},
                          {"%%", true, "", nullptr},
                          {"%APPNAME% then %NOPE%", true, "NOPE", nullptr},
                          {"%APPNAME% then %", true, "", nullptr},
                          {"d=%APPSHORTDESC%", true, "", nullptr},
                          {"d=%FBBSDESC%", true, "", nullptr},
                          {"%APPSHORTDESC% by %COMPNAME%", true, " now by ", nullptr},
                          {"%APPNAME%\r\n%APPNAME%", false, "", "Tool\r\nTool"},
                      });

    // Every call starts afresh.
    eb.ExpandVariables(s("%NOPE%"), true);
    EXPECT_EQ(expand("[%APPNAME%]"), s("[Tool]"));
    EXPECT_FALSE(eb.ExpandFailed);
    EXPECT_TRUE(eb.FailedVariable.isEmpty());
}

TEST_F(Expander, ValuesHoldingVariablesAreExpandedInTurn) {
    src.app[AppField::Name] = s("Tool %APPVERSION%");
    src.app[AppField::Version] = s("2.1");
    src.app[AppField::LongDesc] = s("Line one\r\nLine %APPNAME%\r\n");
    EXPECT_EQ(expand("%APPNAME%"), s("Tool 2.1"));
    EXPECT_EQ(expand("<%APPLONGDESC%>"), s("<Line one\r\nLine Tool 2.1\r\n>"));
    EXPECT_FALSE(eb.ExpandFailed);
}

TEST_F(Expander, EveryVariableReadsItsOwnField) {
    // A distinct value per field, so a variable reading the wrong one shows.
    const CompanyField companyFields[] = {
        CompanyField::Name,  CompanyField::Url,   CompanyField::Mail,    CompanyField::Contact, CompanyField::Title,
        CompanyField::Email, CompanyField::Phone, CompanyField::Fax,     CompanyField::Address, CompanyField::City,
        CompanyField::State, CompanyField::Zip,   CompanyField::Country, CompanyField::BhsId,
    };
    for (const CompanyField f : companyFields)
        src.company[f] = QStringLiteral("c%1").arg(int(f));
    for (int f = int(AppField::Name); f <= int(AppField::Notes); ++f)
        src.app[AppField(f)] = QStringLiteral("a%1").arg(f);
    src.siteName = s("The Site");
    src.lines[0] = QStringList{s("v1\">first")};
    src.lines[1] = QStringList{s("v2\">second")};
    const auto c = [this](CompanyField f) { return src.company[f]; };
    const auto a = [this](AppField f) { return src.app[f]; };

    const QList<std::pair<QString, QString>> cases = {
        {s("%COMPNAME%"), c(CompanyField::Name)},
        {s("%COMPURL%"), c(CompanyField::Url)},
        {s("%COMPMAIL%"), c(CompanyField::Mail)},
        {s("%CONTNAME%"), c(CompanyField::Contact)},
        {s("%CONTTITLE%"), c(CompanyField::Title)},
        {s("%CONTEMAIL%"), c(CompanyField::Email)},
        {s("%CONTPHONE%"), c(CompanyField::Phone)},
        {s("%CONTFAX%"), c(CompanyField::Fax)},
        {s("%CONTADDR%"), c(CompanyField::Address)},
        {s("%CONTCITY%"), c(CompanyField::City)},
        {s("%CONTSTATE%"), c(CompanyField::State)},
        {s("%CONTZIP%"), c(CompanyField::Zip)},
        {s("%CONTCOUNTRY%"), c(CompanyField::Country)},
        {s("%APPNAME%"), a(AppField::Name)},
        {s("%8PLUS3%"), a(AppField::EightChar)},
        {s("%APPFILENAME%"), a(AppField::FileName)},
        {s("%APPVERSION%"), a(AppField::Version)},
        {s("%APPMONTH%"), a(AppField::Month)},
        {s("%APPDAY%"), a(AppField::Day)},
        {s("%APPYEAR%"), a(AppField::Year)},
        {s("%APPPLAT%"), a(AppField::Platform)},
        {s("%APPSUBMITBY%"), a(AppField::SubmittedBy)},
        {s("%APPSIZE32%"), a(AppField::Size32)},
        {s("%APPINSTSIZE32%"), a(AppField::InstSize32)},
        {s("%APPSIZE16%"), a(AppField::Size16)},
        {s("%APPINSTSIZE16%"), a(AppField::InstSize16)},
        {s("%APPLOCALPATH%"), a(AppField::LocalPath)},
        {s("%APPPRICE%"), a(AppField::Price)},
        {s("%APPSTATUS%"), a(AppField::Status)},
        {s("%APPEVAL%"), a(AppField::Eval)},
        {s("%APPEXPDATE%"), a(AppField::ExpireDate)},
        {s("%APPEXPAFTER%"), a(AppField::ExpireAfter)},
        {s("%APPREQ%"), a(AppField::SpecialReq)},
        {s("%APPINSTALL%"), a(AppField::Installer)},
        {s("%APPURL%"), a(AppField::AppUrl)},
        {s("%APP32DL1%"), a(AppField::Dl1_32)},
        {s("%APP32DL2%"), a(AppField::Dl2_32)},
        {s("%APP32DL3%"), a(AppField::Dl3_32)},
        {s("%APP32DL4%"), a(AppField::Dl4_32)},
        {s("%APP16DL1%"), a(AppField::Dl1_16)},
        {s("%APP16DL2%"), a(AppField::Dl2_16)},
        {s("%APP16DL3%"), a(AppField::Dl3_16)},
        {s("%APP16DL4%"), a(AppField::Dl4_16)},
        {s("%APPSCREEN%"), a(AppField::ScreenShotUrl)},
        {s("%APPICONGIF%"), a(AppField::GifUrl)},
        {s("%APPICONICO%"), a(AppField::IcoUrl)},
        {s("%APPSHORTDESC%"), a(AppField::ShortDesc)},
        {s("%APPLONGDESC%"), a(AppField::LongDesc)},
        {s("%APPNOTES%"), a(AppField::Notes)},
        {s("%SITENAME%"), s("The Site")},
        {s("%SITECAT1%"), s("v1")},
        {s("%SITECAT2%"), s("v2")},
        {s("%CURDATE%"), platform::shortDate(QDate(2026, 3, 4))},
        {s("%CURDATE_DAY%"), s("4")},
        {s("%CURDATE_MONTH%"), s("3")},
        {s("%CURDATE_YEAR%"), s("2026")},
        {s("%CURTIME%"), platform::longTime(QTime(9, 5, 7))},
        {s("%CURTIME_HRS%"), s("9")},
        {s("%CURTIME_MIN%"), s("5")},
        {s("%BHSID%"), c(CompanyField::BhsId)},
        {s("%FBBSDESC%"), a(AppField::EightChar) + s(".zip") + QString(16 - 6, u' ') + a(AppField::ShortDesc)},
    };
    QSet<QString> listed;
    for (const ScriptVariable& v : scriptVariables())
        listed.insert(v.variable);
    EXPECT_EQ(scriptVariables().size(), 61);
    EXPECT_EQ(listed.size(), 61);
    for (const auto& [variable, value] : cases) {
        SCOPED_TRACE(variable.toStdString());
        EXPECT_TRUE(listed.contains(variable));
        EXPECT_EQ(eb.ExpandVariables(variable, false), value);
        EXPECT_FALSE(eb.ExpandFailed);
    }
    EXPECT_EQ(cases.size(), scriptVariables().size());
    EXPECT_EQ(scriptVariables().first().listText, s("Company Name"));
    EXPECT_EQ(scriptVariables()[28].listText, s("Application Distribution Status "));
}

TEST_F(Expander, TranslationsReplaceOnlyTheFixedWordsOfTheirField) {
    src.translations.set(Translation::Windows95, s("Win95"));
    src.translations.set(Translation::Author, s("Programmer"));
    src.translations.set(Translation::Beta, s("Pre-release"));
    src.translations.set(Translation::InstallUninstall, s("Both ways"));
    src.translations.set(Translation::Dealer, QString());
    const struct {
        AppField field;
        const char* variable;
        const char* text;
        const char* expected;
    } cases[] = {
        {AppField::Platform, "%APPPLAT%", "Windows 95", "Win95"},
        {AppField::Platform, "%APPPLAT%", "Windows NT", "Windows NT"}, // empty translation
        {AppField::Platform, "%APPPLAT%", "windows 95", "windows 95"},
        {AppField::Platform, "%APPPLAT%", "Windows 98", "Windows 98"},
        {AppField::Platform, "%APPPLAT%", "Author", "Author"}, // another field's word
        {AppField::SubmittedBy, "%APPSUBMITBY%", "Author", "Programmer"},
        {AppField::SubmittedBy, "%APPSUBMITBY%", "Dealer", "Dealer"},
        {AppField::Status, "%APPSTATUS%", "Beta", "Pre-release"},
        {AppField::Status, "%APPSTATUS%", "Beta ", "Beta "},
        {AppField::Installer, "%APPINSTALL%", "Install/Uninstall", "Both ways"},
        {AppField::Installer, "%APPINSTALL%", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.variable) + " " + c.text);
        src.app[c.field] = s(c.text);
        EXPECT_EQ(expand(c.variable), s(c.expected));
        EXPECT_FALSE(eb.ExpandFailed);
    }
}

TEST_F(Expander, SizesFollowTheByteFormatAndFallBackToSixteenBit) {
    const struct {
        ByteFormat format;
        const char* variable;
        const char* size32;
        const char* size16;
        const char* expected;
    } cases[] = {
        {ByteFormat::Kilobytes, "%APPSIZE32%", "", "2048000", "2000"},
        {ByteFormat::Bytes, "%APPSIZE32%", "", "2048000", "2048000"},
        {ByteFormat::Kilobytes, "%APPSIZE32%", "4096", "2048000", "4"},
        {ByteFormat::Megabytes, "%APPSIZE32%", "1048576", "", "1"},
        {ByteFormat::Megabytes, "%APPSIZE16%", "", "1000000", "0.95"},
        {ByteFormat::Kilobytes, "%APPSIZE16%", "4096", "", "1"},
        {ByteFormat::Bytes, "%APPSIZE16%", "4096", "", ""},
        {ByteFormat::Kilobytes, "%APPINSTSIZE32%", "", "10240", "10"},
        {ByteFormat::Bytes, "%APPINSTSIZE32%", "77", "10240", "77"},
        {ByteFormat::Megabytes, "%APPINSTSIZE16%", "", "1572864", "1.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.variable) + " " + c.size32 + "/" + c.size16);
        src.byteFormat = c.format;
        const bool installed = QByteArray(c.variable).contains("INST");
        src.app = {};
        src.app[installed ? AppField::InstSize32 : AppField::Size32] = s(c.size32);
        src.app[installed ? AppField::InstSize16 : AppField::Size16] = s(c.size16);
        EXPECT_EQ(expand(c.variable), s(c.expected));
    }
}

TEST_F(Expander, DownloadUrlsFallBackToTheSixteenBitUrlOfTheSameNumber) {
    const AppField dl32[] = {AppField::Dl1_32, AppField::Dl2_32, AppField::Dl3_32, AppField::Dl4_32};
    const AppField dl16[] = {AppField::Dl1_16, AppField::Dl2_16, AppField::Dl3_16, AppField::Dl4_16};
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        src.app = {};
        for (int i = 0; i < 4; ++i)
            src.app[dl16[i]] = QStringLiteral("http://16/%1").arg(i + 1);
        const QString v32 = QStringLiteral("[%APP32DL%1%]").arg(n);
        const QString v16 = QStringLiteral("[%APP16DL%1%]").arg(n);
        EXPECT_EQ(eb.ExpandVariables(v32, true), QStringLiteral("[http://16/%1]").arg(n));
        src.app[dl32[n - 1]] = QStringLiteral("http://32/%1").arg(n);
        src.app[dl16[n - 1]] = QString();
        EXPECT_EQ(eb.ExpandVariables(v32, true), QStringLiteral("[http://32/%1]").arg(n));
        EXPECT_EQ(eb.ExpandVariables(v16, true), s("[]"));
    }
}

TEST_F(Expander, CategoriesInSubmissionModeUseTheChosenLabel) {
    const struct {
        const char* text;
        bool useCat;
        QStringList lines;
        const char* label;
        bool failed;
        const char* failedVariable;
        const char* result; // nullptr: the input unchanged
        bool notFoundBox;
    } cases[] = {
        {"c=%SITECAT1%", true, {s("10\">Arcade Games"), s("11\">Games")}, "Games", false, "", "c=10", false},
        {"c=%SITECAT1%", true, {s("10\">Arcade"), s("11\">Games")}, "Games", false, "", "c=11", false},
        {"c=%SITECAT1%", true, {s("10\">Arcade")}, "Puzzles", false, "", "c=Puzzles", true},
        {"c=%SITECAT2%", true, {s("10\">Arcade")}, "Puzzles", false, "", "c=Puzzles", false},
        {"c=%SITECAT1%", true, {s("10\">Arcade")}, "", true, "%UNKNOWN%", nullptr, true},
        {"c=%SITECAT2%", true, {s("10\">Arcade")}, "", true, "%UNKNOWN%", nullptr, false},
        {"c=%SITECAT1%", false, {s("10\">Games")}, "Games", true, "UNKNOWN", nullptr, false},
        {"c=%SITECAT2%", true, {}, "Games", true, "UNKNOWN", nullptr, false},
        {"c=%SITECAT2%", true, {s("Games")}, "Games", false, "", "c=Games", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " label " + c.label);
        // The other category's data would give another answer.
        const int which = QByteArray(c.text).contains("CAT1") ? 1 : 2;
        const int other = 3 - which;
        src.useCat[which - 1] = c.useCat;
        src.lines[which - 1] = c.lines;
        src.label[which - 1] = s(c.label);
        src.useCat[other - 1] = true;
        src.lines[other - 1] = QStringList{s("99\">Elsewhere"), s("98\">") + s(c.label)};
        src.label[other - 1] = s("Elsewhere");
        dialogs.clear();
        checkOutcomes(eb, {{c.text, c.failed, c.failedVariable, c.result}});
        if (c.notFoundBox) {
            ASSERT_EQ(dialogs.kinds(), QStringList{s("message")});
            EXPECT_EQ(dialogs.calls[0].text, s("Could NotFind!"));
            EXPECT_TRUE(dialogs.calls[0].beepBefore);
        } else {
            EXPECT_TRUE(dialogs.calls.isEmpty());
        }
    }
}

TEST_F(Expander, CategoriesInTestModeTakeTheFirstLine) {
    src.useCat[0] = false;
    src.label[0] = s("Games");
    src.lines[0] = QStringList{s("5\">Utilities"), s("6\">Games")};
    src.lines[1] = QStringList{QString(), s("7\">x")};
    checkOutcomes(eb,
                  {
                      {"%SITECAT1%", false, "", "5"},
                      {"[%SITECAT2%]", false, "", "[]"},
                  },
                  false);
    src.lines[0].clear();
    checkOutcomes(eb, {{"%SITECAT1%", true, "%UNKNOWN%", nullptr}}, false);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(Expander, FileListLinePadsShortNamesToSixteen) {
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"MYPROG", "MYPROG.zip      A tool"},
        {"myprog12", "myprog12.zip    A tool"},
        {"ABCDEFGHIJK", "ABCDEFGHIJK.zip A tool"},
        {"ABCDEFGHIJKL", "ABCDEFGHIJKL.zipA tool"},
        {"", ".zip            A tool"},
    };
    src.app[AppField::ShortDesc] = s("A tool");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        src.app[AppField::EightChar] = s(c.name);
        EXPECT_EQ(expand("%FBBSDESC%"), s(c.expected));
    }
}

TEST(ExpanderClock, IsReadAnewForEveryVariable) {
    TickingClock clock;
    platform::ScriptedDialogs dialogs;
    TEngBuild eb({}, dialogs, clock);
    EXPECT_EQ(eb.ExpandVariables(s("%CURTIME_HRS%:%CURTIME_MIN% %CURTIME_MIN% %CURDATE_MONTH%/%CURDATE_DAY%"), true),
              s("9:6 7 3/4"));
}

TEST_F(Expander, RescanningEndsAtTheBounds) {
    // A value that holds its own variable.
    src.app[AppField::Name] = s("x%APPNAME%");
    checkOutcomes(eb, {{"n=%APPNAME%", true, "APPNAME", nullptr}});
    src.app[AppField::Name] = s("%APPVERSION%");
    src.app[AppField::Version] = s("%APPNAME%!");
    checkOutcomes(eb, {{"v=%APPVERSION%", true, "APPVERSION", nullptr}});

    // Exactly the largest number of substitutions still succeeds.
    src.app[AppField::Day] = s("d");
    QString many;
    for (int i = 0; i < TEngBuild::MaxSubstitutions; ++i)
        many += s("%APPDAY%");
    EXPECT_EQ(eb.ExpandVariables(many, true), QString(TEngBuild::MaxSubstitutions, u'd'));
    EXPECT_FALSE(eb.ExpandFailed);
    many += s("%APPMONTH%");
    EXPECT_EQ(eb.ExpandVariables(many, true), many);
    EXPECT_TRUE(eb.ExpandFailed);
    EXPECT_EQ(eb.FailedVariable, s("APPMONTH"));

    // A text that grows past the longest allowed fails on the name that made it.
    src.app[AppField::LongDesc] = QString(TEngBuild::MaxExpandedLength / 2, u'l');
    src.app[AppField::Notes] = s("short");
    checkOutcomes(eb, {{"%APPNOTES% %APPLONGDESC%%APPLONGDESC%%APPNOTES%", true, "APPLONGDESC", nullptr}});
    const QString two = eb.ExpandVariables(s("%APPLONGDESC%%APPNOTES%"), true);
    EXPECT_FALSE(eb.ExpandFailed);
    EXPECT_EQ(two.size(), TEngBuild::MaxExpandedLength / 2 + 5);
}
