// The run driver without a window: the checks that refuse a run, the save
// prompts, and the walk over the rows with the FTP retries and the booking,
// against plain stand-ins for the grid, the paths and the page.
#include "TempProgramDir.h"

#include "engines/EngineFiles.h"
#include "engines/ExpanderSource.h"
#include "model/PageLinks.h"
#include "model/Workspace.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reports/TReportsFrm.h"
#include "run/RunDriver.h"
#include "selection/SiteSelection.h"

#include <gtest/gtest.h>

#include <QMap>

using Answer = platform::Dialogs::Answer;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// The page controls by object name, and the engine the Site Builder shows.
class Fields final : public ExpanderSource {
public:
    QMap<QString, QString> controls;
    QString engine;

    QString companyField(CompanyField) const override { return {}; }
    QString appField(AppField field) const override {
        switch (field) {
        case AppField::Name: return controls.value(s("AppName"));
        case AppField::Platform: return controls.value(s("platforms"));
        case AppField::Status: return controls.value(s("status"));
        default: return {};
        }
    }
    QString engineSiteName() const override { return engine; }
    ByteFormat engineByteFormat() const override { return ByteFormat::Bytes; }
    bool engineUsesCategory(int) const override { return false; }
    QStringList engineCategoryLines(int) const override { return {}; }
    QString fieldTranslation(Translation) const override { return {}; }
    QString selectedCategoryLabel(int) const override { return {}; }
    QString controlText(const QString& objectName) const override { return controls.value(objectName); }
};

class Grid final : public SiteGridRows {
public:
    QList<selection::SiteRow> rows;
    bool tallyAccepted = true;
    QStringList calls;

    int rowCount() const override { return int(rows.size()); }
    QString cell(int row, int column) const override { return rows[row].cell(column); }
    void setCell(int row, int column, const QString& text) override { rows[row].setCell(column, text); }
    void selectRow(int row) override { calls << s("select ") + QString::number(row); }
    bool CountSitesToPost(bool verify) override {
        calls << (verify ? s("tally verified") : s("tally"));
        return tallyAccepted;
    }
    void SaveSiteSelection() override { calls << s("save selection"); }
};

class Neighbours final : public RunNeighbours {
public:
    QStringList calls;
    bool settingsAccepted = false;

    bool editSettings() override {
        calls << s("settings");
        return settingsAccepted;
    }
    void SaveApp() override { calls << s("save app"); }
    void SaveCompany() override { calls << s("save company"); }
    void SaveEngine() override { calls << s("save engine"); }
    void wrapLongDescription() override { calls << s("wrap"); }
};

// Each FTP attempt fails until ftpFailures is used up; HTTP always succeeds.
class Paths final : public RunPaths {
public:
    int ftpFailures = 0;
    QStringList calls;

    void setMailSetup(const QString& server, const QString&, const QString&) override {
        calls << s("mail setup ") + server;
    }
    bool SubmitByFtp() override {
        calls << s("ftp");
        return ftpFailures-- <= 0;
    }
    void ftpLogOff() override { calls << s("ftp log off"); }
    bool SubmitByHttp(bool isNew) override {
        calls << (isNew ? s("http new") : s("http update"));
        return true;
    }
    bool SubmitByEmail(bool, int, bool) override {
        calls << s("email");
        return true;
    }
    void stopForSkip() override {}
    void stopForCancel() override {}
};

class View final : public RunView {
public:
    QStringList log;
    QList<int> processed;
    QList<bool> controls;

    void clearLists() override { log.clear(); }
    void clearFtpList() override {}
    void showRunControls(bool running) override { controls << running; }
    void showSite(const QString&) override {}
    void setStatusesIdle() override {}
    void lightOnly(RunLamp) override {}
    void allLampsOff() override {}
    void siteProcessed(int count) override { processed << count; }
    void AddLogLine(const QString& text) override { log << text; }
    QStringList logLines() const override { return log; }
    QStringList ftpLines() const override { return {}; }
    QStringList httpResponse() const override { return {}; }
};

class RunDriverTest : public ::testing::Test {
protected:
    TempProgramDir dir;
    platform::ScriptedDialogs dialogs;
    platform::FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 5, 3))};
    Workspace model{dialogs, clock, dir.path()};
    Fields fields;
    Grid grid;
    Neighbours neighbours;
    Paths paths;
    View view;
    TRunDriver driver{model, grid, neighbours, paths, view};

    void SetUp() override {
        model.setExpanderSource(&fields);
        ASSERT_TRUE(model.Initialize());
        model.Settings.SMTP = s("mail.example");
        model.Settings.EMAIL = s("me@example.com");
        model.Settings.NAME = s("Me");
        dir.write(s("files/tool.zip"), "zip");
        fields.controls = {{s("AppName"), s("Tool")},       {s("char8name"), s("tool")},
                           {s("platforms"), s("Windows 95")}, {s("diststatus"), s("Author")},
                           {s("status"), s("Shareware")},     {s("localpath"), dir.file(s("files/tool.zip"))}};
        // The Site Builder loads what it is asked for: every engine uses FTP and HTTP.
        QObject::connect(&model, &Workspace::engineRequested, &model, [this](const QString& site) {
            SiteEngine& engine = model.GWide.EngBuild->Engine;
            engine.clear();
            engine.siteName = site;
            engine.useFtpUpload = true;
            engine.useHttpPost = true;
            engine.httpNewScriptUrl = engine.httpUpdateScriptUrl = s("http://127.0.0.1/add");
            fields.engine = site;
        });
    }

    selection::SiteRow row(const char* site, const char* post = "Y") const {
        selection::SiteRow r;
        r.site = s(site);
        r.type = s("All 16-32");
        r.submit = s("New");
        r.lastPost = s("Unknown");
        r.post = s(post);
        return r;
    }
};

TEST_F(RunDriverTest, EachProfileCheckRefusesTheRunWithItsText) {
    struct Case {
        const char* control;
        const char* value;
        const char* refusal;
    };
    const Case cases[] = {
        {"AppName", "", "You have not selected an app to submit."},
        {"char8name", "", "The 8 Character Filename for this app is blank."},
        {"platforms", "", "You have not selected the platform for this application"},
        {"diststatus", "", "You have not selected the distribution for this application"},
        {"status", "", "You have not selected the status for this application"},
        {"localpath", "", "You have selected an invalid local path for this application's file."},
        {"localpath", "/no/such/file.zip", "You have selected an invalid local path for this application's file."},
        {"IcoFileEdit", "/no/such.ico", "You have selected an invalid path for the Ico file."},
        {"GifFileEdit", "/no/such.gif", "You have selected an invalid path for the Gif file."},
        {"ScreenShotEdit", "/no/such.png", "You have selected an invalid path for the Screen Shot file."},
        {"OtherFileEdit", "/no/such.txt", "You have selected an invalid path for the \"Other\" file."},
    };
    const QMap<QString, QString> good = fields.controls;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        fields.controls = good;
        fields.controls[s(c.control)] = s(c.value);
        dialogs.clear();
        grid.calls.clear();
        driver.Submit();
        ASSERT_EQ(dialogs.calls.size(), 1);
        EXPECT_EQ(dialogs.calls[0].kind, s("message"));
        EXPECT_EQ(dialogs.calls[0].text, s(c.refusal));
        EXPECT_TRUE(dialogs.calls[0].beepBefore);
        EXPECT_TRUE(grid.calls.isEmpty()) << "no tally after a refusal";
        EXPECT_FALSE(model.Posting);
    }

    // An attachment that exists passes, as does an empty one.
    fields.controls = good;
    fields.controls[s("IcoFileEdit")] = dir.file(s("files/tool.zip"));
    grid.tallyAccepted = false;
    dialogs.clear();
    driver.Submit();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(grid.calls, QStringList{s("tally verified")});
}

TEST_F(RunDriverTest, MissingMailSettingsAndTheSavePromptsComeFirst) {
    model.Settings.NAME.clear();
    driver.Submit();
    EXPECT_EQ(neighbours.calls, QStringList{s("settings")});
    EXPECT_TRUE(paths.calls.isEmpty()) << "Cancel in the Settings dialog leaves the run unstarted";

    model.Settings.NAME = s("Me");
    model.AppSaved = model.CompanySaved = model.EngineSaved = false;
    neighbours.calls.clear();
    grid.tallyAccepted = false;
    dialogs.answers << Answer::Yes << Answer::No << Answer::Cancel;
    driver.Submit();
    EXPECT_EQ(dialogs.texts(), (QStringList{s("Would you like to save Tool?"), s("Would you like to save Changed Company Info?"),
                                            s("Would you like to save Added/Changed Engine Info?")}));
    EXPECT_EQ(neighbours.calls, QStringList{s("save app")});
    EXPECT_TRUE(grid.calls.isEmpty()) << "Cancel at a save prompt refuses the run";
}

TEST_F(RunDriverTest, RowsArePostedWithFtpRetriesAndBookedWhenAllSucceeded) {
    model.Settings.FTPRetries = 2;
    grid.rows = {row("Alpha"), row("Beta", "N"), row("Gamma")};
    paths.ftpFailures = 3; // Alpha: three failures use up the retries; Gamma: the first attempt succeeds
    driver.Submit();

    EXPECT_EQ(paths.calls, (QStringList{s("mail setup mail.example"), s("ftp"), s("ftp"), s("ftp"), s("ftp log off"),
                                        s("http new"), s("ftp"), s("ftp log off"), s("http new")}));
    EXPECT_EQ(neighbours.calls, QStringList{s("wrap")});
    // Alpha failed its upload: not booked. Beta was not to be posted. Gamma is booked.
    EXPECT_EQ(grid.rows[0].submit, s("New"));
    EXPECT_EQ(grid.rows[0].lastPost, s("Unknown"));
    EXPECT_EQ(grid.rows[1].lastPost, s("Unknown"));
    EXPECT_EQ(grid.rows[2].submit, s("Update"));
    EXPECT_EQ(grid.rows[2].lastPost, platform::shortDate(QDate(2026, 12, 11)));
    EXPECT_EQ(view.processed, (QList<int>{1, 2}));
    EXPECT_EQ(view.controls, (QList<bool>{true, false}));
    EXPECT_EQ(grid.calls.last(), s("save selection"));
    EXPECT_FALSE(model.Posting);
    EXPECT_EQ(driver.reports().SucceededCount, 1);
    EXPECT_EQ(driver.reports().FailedCount, 1);
    EXPECT_EQ(dialogs.texts().last(), s("Submission Process Done. View Report?"));
}

TEST_F(RunDriverTest, ARowWhoseEngineDoesNotLoadIsNotSent) {
    grid.rows = {row("Alpha")};
    // The Site Builder has no such engine: nothing loads.
    QObject::disconnect(&model, &Workspace::engineRequested, nullptr, nullptr);
    driver.Submit();
    EXPECT_EQ(paths.calls, QStringList{s("mail setup mail.example")});
    EXPECT_TRUE(view.processed.isEmpty());
    EXPECT_EQ(grid.rows[0].lastPost, s("Unknown"));
}

} // namespace
