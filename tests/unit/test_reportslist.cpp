// The report browser on a real reports folder: its two levels, opening a
// run's summary page and the two kinds of deletion.
#include "TempProgramDir.h"

#include "platform/ScriptedDialogs.h"
#include "reports/TReportsListFrm.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

using Answer = platform::Dialogs::Answer;

const QString NoReports = QStringLiteral("No Reports Found");

// Two applications with runs, one application folder without any, and files
// where only folders belong.
void writeTree(const TempProgramDir& home) {
    for (const char* file :
         {"reports/AppA/2024-01-01-10-00-00-100/MainReport.htm",
          "reports/AppA/2024-01-01-10-00-00-100/FileMeadow _HTTP.htm",
          "reports/AppA/2024-01-02-10-00-00-200/MainReport.htm", "reports/AppB/2024-02-02-11-11-11-11/MainReport.htm",
          "reports/AppB/2024-02-02-11-11-11-11/LogReport.htm", "reports/AppA/notes.txt", "reports/stray.htm"})
        home.write(QString::fromLatin1(file), "<html></html>");
    QDir().mkpath(home.path() + QStringLiteral("reports/Empty"));
}

QStringList linesOf(const QDialog& form) {
    QStringList result;
    if (const auto* list = form.findChild<QListWidget*>(QStringLiteral("RepListBox")))
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
    return result;
}

QStringList subfoldersOf(const QString& path) {
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// The dialog as the user sees it, driven by clicks.
struct Browser {
    explicit Browser(const QString& reportsDir) : form(reportsDir, dialogs) {
        form.show();
        list = form.findChild<QListWidget*>(QStringLiteral("RepListBox"));
    }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(QString::fromLatin1(name)); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QStringList lines() const { return linesOf(form); }
    QString selected() const { return list->currentItem() ? list->currentItem()->text() : QString(); }
    void select(const QString& name) { list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0)); }
    void doubleClick(const QString& name) {
        QListWidgetItem* item = list->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_TRUE(item);
        const QPoint at = list->visualItemRect(item).center();
        // A double click follows a first click on the same spot.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    platform::ScriptedDialogs dialogs;
    TReportsListFrm form;
    QListWidget* list = nullptr;
};

const QStringList Apps = {QStringLiteral("AppA"), QStringLiteral("AppB"), QStringLiteral("Empty")};
const QStringList RunsOfA = {QStringLiteral("2024-01-01-10-00-00-100"), QStringLiteral("2024-01-02-10-00-00-200")};

} // namespace

TEST(ReportBrowser, GoesFromApplicationsToRunsAndOpensTheChosenSummary) {
    TempProgramDir home;
    writeTree(home);
    const QString reports = home.path() + QStringLiteral("reports/");
    Browser b(reports);
    EXPECT_EQ(b.form.windowTitle(), QStringLiteral("Submission Reports"));
    EXPECT_EQ(b.lines(), Apps);
    EXPECT_EQ(b.selected(), QStringLiteral("AppA"));
    EXPECT_FALSE(b.button("UpBtn")->isEnabled());

    b.click("GoBtn");
    EXPECT_TRUE(b.form.AtRunLevel());
    EXPECT_EQ(b.lines(), RunsOfA);
    EXPECT_EQ(b.selected(), RunsOfA[0]);
    EXPECT_TRUE(b.button("UpBtn")->isEnabled());

    b.click("UpBtn");
    EXPECT_FALSE(b.form.AtRunLevel());
    EXPECT_EQ(b.lines(), Apps);
    EXPECT_FALSE(b.button("UpBtn")->isEnabled());

    b.doubleClick(QStringLiteral("AppA"));
    b.doubleClick(RunsOfA[1]);
    EXPECT_EQ(b.dialogs.kinds(), QStringList({QStringLiteral("openUrl")}));
    EXPECT_EQ(b.dialogs.calls.value(0).text, QStringLiteral("file://") + reports + QStringLiteral("AppA/") +
                                                 RunsOfA[1] + QStringLiteral("/MainReport.htm"));
    EXPECT_EQ(b.form.result(), QDialog::Accepted);
    EXPECT_FALSE(b.form.isVisible());
}

TEST(ReportBrowser, ApplicationWithoutRunsStaysAtApplicationLevel) {
    TempProgramDir home;
    writeTree(home);
    Browser b(home.path() + QStringLiteral("reports/"));
    b.select(QStringLiteral("Empty"));
    b.click("GoBtn");
    ASSERT_EQ(b.dialogs.kinds(), QStringList({QStringLiteral("message")}));
    EXPECT_EQ(b.dialogs.calls[0].text, NoReports);
    EXPECT_TRUE(b.dialogs.calls[0].beepBefore);
    EXPECT_FALSE(b.form.AtRunLevel());
    EXPECT_EQ(b.lines(), Apps);
    EXPECT_EQ(b.selected(), QStringLiteral("AppA"));
    EXPECT_TRUE(b.button("UpBtn")->isEnabled());
}

TEST(ReportBrowser, BrowserThatCannotStartLeavesTheDialogOpen) {
    TempProgramDir home;
    writeTree(home);
    Browser b(home.path() + QStringLiteral("reports/"));
    b.dialogs.browserFails = true;
    b.click("GoBtn");
    b.click("GoBtn");
    EXPECT_EQ(b.dialogs.kinds(), QStringList({QStringLiteral("openUrl"), QStringLiteral("exception")}));
    EXPECT_EQ(b.dialogs.calls.value(1).text, QStringLiteral("Couldn't launch default browser"));
    EXPECT_TRUE(b.form.isVisible());
    EXPECT_TRUE(b.form.AtRunLevel());
}

TEST(ReportBrowser, DeletingRunsDownToTheLastReturnsToApplications) {
    TempProgramDir home;
    writeTree(home);
    Browser b(home.path() + QStringLiteral("reports/"));
    b.click("GoBtn");

    b.dialogs.answers.enqueue(Answer::No);
    b.click("DeleteBtn");
    EXPECT_EQ(b.lines(), RunsOfA);

    b.dialogs.answers.enqueue(Answer::Yes);
    b.click("DeleteBtn");
    EXPECT_FALSE(home.exists(QStringLiteral("reports/AppA/") + RunsOfA[0]));
    EXPECT_EQ(b.lines(), QStringList({RunsOfA[1]}));
    EXPECT_EQ(b.selected(), RunsOfA[1]);
    EXPECT_TRUE(b.form.AtRunLevel());

    b.dialogs.answers.enqueue(Answer::Yes);
    b.click("DeleteBtn");
    EXPECT_FALSE(home.exists(QStringLiteral("reports/AppA/") + RunsOfA[1]));
    EXPECT_FALSE(b.form.AtRunLevel());
    EXPECT_FALSE(b.button("UpBtn")->isEnabled());
    EXPECT_EQ(b.lines(), Apps); // AppA stays, even without runs

    for (const auto& call : b.dialogs.calls) {
        EXPECT_EQ(call.text, QStringLiteral("Delete the selected report?"));
        EXPECT_TRUE(call.beepBefore);
    }

    b.dialogs.clear();
    b.click("GoBtn");
    EXPECT_EQ(b.dialogs.texts(), QStringList({NoReports}));
}

TEST(ReportBrowser, DeletingApplications) {
    TempProgramDir home;
    writeTree(home);
    Browser b(home.path() + QStringLiteral("reports/"));

    b.select(QStringLiteral("AppB"));
    b.dialogs.answers.enqueue(Answer::No);
    b.click("DeleteBtn");
    EXPECT_EQ(b.lines(), Apps);

    b.select(QStringLiteral("AppB"));
    b.dialogs.answers.enqueue(Answer::Yes);
    b.click("DeleteBtn");
    EXPECT_EQ(b.dialogs.texts(), QStringList(2, QStringLiteral("Delete all reports for selected site?")));
    EXPECT_FALSE(home.exists(QStringLiteral("reports/AppB")));
    // AppA keeps a file of its own beside its runs: the runs go, the folder stays.
    b.select(QStringLiteral("AppA"));
    b.dialogs.answers.enqueue(Answer::Yes);
    b.click("DeleteBtn");
    EXPECT_TRUE(home.exists(QStringLiteral("reports/AppA/notes.txt")));
    EXPECT_TRUE(subfoldersOf(home.path() + QStringLiteral("reports/AppA")).isEmpty());
    EXPECT_EQ(b.lines(), QStringList({QStringLiteral("AppA"), QStringLiteral("Empty")}));
    EXPECT_EQ(b.selected(), QStringLiteral("AppA"));
    EXPECT_TRUE(home.exists(QStringLiteral("reports/stray.htm")));

    QFile::remove(home.path() + QStringLiteral("reports/AppA/notes.txt"));
    for (int i = 0; i < 2; ++i) {
        b.dialogs.answers.enqueue(Answer::Yes);
        b.click("DeleteBtn");
    }
    EXPECT_TRUE(subfoldersOf(home.path() + QStringLiteral("reports")).isEmpty());
    EXPECT_EQ(b.form.result(), QDialog::Rejected);
    EXPECT_FALSE(b.form.isVisible());
}

TEST(ReportBrowser, MenuCommandShowsTheDialogOnlyWhenThereIsAnApplicationFolder) {
    TempProgramDir home;
    const QString reports = home.path() + QStringLiteral("reports/");
    home.write(QStringLiteral("reports/stray.htm"), "x");

    platform::ScriptedDialogs dialogs;
    TReportsListFrm::ShowReports(reports, dialogs, nullptr);
    ASSERT_EQ(dialogs.kinds(), QStringList({QStringLiteral("message")}));
    EXPECT_EQ(dialogs.calls[0].text, NoReports);
    EXPECT_TRUE(dialogs.calls[0].beepBefore);

    writeTree(home);
    dialogs.clear();
    QStringList shown;
    dialogs.onModal = [&](QDialog& form) {
        shown = linesOf(form);
        return int(QDialog::Rejected);
    };
    TReportsListFrm::ShowReports(reports, dialogs, nullptr);
    EXPECT_EQ(dialogs.kinds(), QStringList({QStringLiteral("modal")}));
    EXPECT_EQ(shown, Apps);
}
