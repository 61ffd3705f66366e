// The program shell on the real main window: start-up folders, the close
// query, the page guard, the settings dialog and the error box of escaped
// exceptions.
#include "ProgramFixture.h"

#include "platform/FileError.h"
#include "platform/IniFile.h"
#include "profiles/AppInfoPage.h"
#include "platform/SingleInstance.h"
#include "platform/TErrorForm.h"
#include "selection/SitesPage.h"
#include "profiles/CompanyInfoPage.h"
#include "model/TGWide.h"
#include "shell/TSettingsForm.h"
#include "platform/FileOps.h"
#include "platform/TSiteEntryFrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

using Answer = platform::Dialogs::Answer;

class ShellTest : public ProgramFixture {};

TEST_F(ShellTest, FirstStartCreatesTheFoldersAndOpensOnAnEmptyCompanyPage)
{
    TMainFrm* w = start();
    for (const char* folder : {"data", "companies", "cat", "sites", "sites/updates", "files", "reports", "images"})
        EXPECT_TRUE(QFileInfo(dir.file(QLatin1String(folder))).isDir()) << folder;
    EXPECT_EQ(w->PageControl1->currentWidget(), w->CompanyInfoSheet);
    EXPECT_EQ(w->CompanyInfoSheet->compname->count(), 0);
    EXPECT_TRUE(w->CompanyInfoSheet->compname->currentText().isEmpty());
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_TRUE(w->model().GWide.SitesDir.endsWith(QLatin1String("/sites/")));
    EXPECT_EQ(w->model().GWide.UpdatesDir, dir.path() + QStringLiteral("sites/updates/"));
}

TEST_F(ShellTest, OnlyTheMissingNestedFolderIsCreated)
{
    dir.write(QStringLiteral("sites/Sites.dat"), "Alpha\r\n");
    start();
    EXPECT_TRUE(QFileInfo(dir.file(QStringLiteral("sites/updates"))).isDir());
    EXPECT_EQ(dir.read(QStringLiteral("sites/Sites.dat")), QByteArray("Alpha\r\n"));
}

TEST_F(ShellTest, FrameHasCaptionPagesAndMenu)
{
    TMainFrm* w = start();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Postrix 2.03"));
    EXPECT_EQ(w->centralWidget()->size(), QSize(596, 408));
    const QStringList expected{QStringLiteral("Company Info"), QStringLiteral("App Info"), QStringLiteral("Sites"),
                               QStringLiteral("Submit"), QStringLiteral("Site Builder")};
    QStringList captions;
    for (int i = 0; i < w->PageControl1->count(); ++i)
        captions << w->PageControl1->tabText(i);
    EXPECT_EQ(captions, expected);
    QStringList file;
    for (QAction* a : w->filepd->actions())
        file << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(file, (QStringList{QStringLiteral("&Settings"), QStringLiteral("&View Reports"), QStringLiteral("-"),
                                 QStringLiteral("&Update Data Files"), QStringLiteral("-"),
                                 QStringLiteral("Default FTP Script"), QStringLiteral("Default Email Scripts"),
                                 QStringLiteral("-"), QStringLiteral("E&xit")}));
    EXPECT_EQ(w->About2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(ShellTest, CloseWithCleanMarksAsksNothing)
{
    start();
    EXPECT_TRUE(closeMain());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(ShellTest, ClosePromptsInOrderAndCancelKeepsTheWindowOpen)
{
    dir.write(QStringLiteral("companies/companies.dat"), "Acme\r\n");
    dir.write(QStringLiteral("companies/Acme.dat"), "[COMPANY]\r\nCONAME=Acme\r\nCONTACT=Old\r\n");
    TMainFrm* w = start();
    w->CompanyInfoSheet->conname->setText(QStringLiteral("New Contact"));
    w->model().AppSaved = false;
    w->model().SiteSelectionChanged = true;
    w->model().EngineSaved = false;
    dialogs.answers << Answer::Yes << Answer::Cancel;
    EXPECT_FALSE(closeMain());
    EXPECT_EQ(platform::IniFile(dir.file(QStringLiteral("companies/Acme.dat")))
                  .readString(QStringLiteral("COMPANY"), QStringLiteral("CONTACT")),
              QStringLiteral("New Contact"));
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("yesNoCancel"));
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("Would you like to save Changed Company Info?"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_TRUE(dialogs.calls[1].beepBefore);
    EXPECT_TRUE(w->model().CompanySaved);  // the Yes at the first prompt was done
    EXPECT_TRUE(w->isVisible());

    dialogs.clear();
    dialogs.answers << Answer::No << Answer::No << Answer::No;
    w->model().CompanySaved = false;
    EXPECT_TRUE(closeMain());
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("Would you like to save Changed Company Info?"),
                                            QStringLiteral("Would you like to save ?"),
                                            QStringLiteral("Would you like to save Site Engine Info?"),
                                            QStringLiteral("Would you like to save Added/Changed Engine Info?")}));
}

TEST_F(ShellTest, CloseWithoutPromptsSkipsEveryQuestion)
{
    TMainFrm* w = start();
    w->model().CompanySaved = false;
    w->model().CloseWithoutPrompts = true;
    EXPECT_TRUE(closeMain());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(ShellTest, PagesCannotChangeWhilePosting)
{
    TMainFrm* w = start();
    w->model().Posting = true;
    w->PageControl1->setCurrentIndex(3);
    EXPECT_EQ(w->PageControl1->currentIndex(), 0);
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("Tab Change Not Allowed While Posting!"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    w->model().Posting = false;
}

TEST_F(ShellTest, AppInfoWithoutCompanyLeadsToNewCompany)
{
    TMainFrm* w = start();
    w->PageControl1->setCurrentWidget(w->AppInfoSheet);
    EXPECT_EQ(w->PageControl1->currentWidget(), w->CompanyInfoSheet);
    ASSERT_GE(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("errorMessage"));
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("You have not entered your company info. Please do so now!"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
}

TEST_F(ShellTest, SettingsDialogShowsDefaultsWithoutAFile)
{
    TMainFrm* w = start();
    TSettingsForm form(w->model(), w);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Settings"));
    EXPECT_TRUE(form.smtpedit->text().isEmpty());
    EXPECT_EQ(form.portedit->text(), QStringLiteral("80"));
    EXPECT_EQ(form.MaxRetrySpin->value(), 3);
    EXPECT_EQ(form.HTTPTimeOutSpin->value(), 60);
    form.smtpedit->setText(QStringLiteral("mail.example"));
    form.OkBtnClick();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(dir.read(QStringLiteral("settings.dat")),
              QByteArray("[SETTINGS]\r\nSMTP=mail.example\r\nEMAIL=\r\nNAME=\r\nPROXY=\r\nPORT=80\r\n"
                         "FTPRetries=3\r\nHTTPTimeOut=60\r\n"));
    EXPECT_EQ(w->model().HTTPTimer->interval(), 60000);
}

TEST_F(ShellTest, SettingsSpinsClampAndCancelWritesNothing)
{
    dir.write(QStringLiteral("settings.dat"), "[Settings]\r\nHTTPTimeOut=5\r\nFTPRetries=99\r\nSMTP=a\r\n");
    TMainFrm* w = start();
    EXPECT_EQ(w->model().HTTPTimer->interval(), 5000);  // the file's value is applied as it stands
    const QByteArray before = dir.read(QStringLiteral("settings.dat"));
    {
        TSettingsForm form(w->model(), w);
        EXPECT_EQ(form.HTTPTimeOutSpin->value(), 10);
        EXPECT_EQ(form.MaxRetrySpin->value(), 50);
        form.smtpedit->setText(QStringLiteral("changed"));
        form.CancelBtn->click();
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
    EXPECT_EQ(dir.read(QStringLiteral("settings.dat")), before);
    EXPECT_EQ(w->model().Settings.SMTP, QStringLiteral("a"));
    TSettingsForm form(w->model(), w);
    form.OkBtnClick();
    EXPECT_EQ(platform::IniFile(dir.file(QStringLiteral("settings.dat")))
                  .readInteger(QStringLiteral("SETTINGS"), QStringLiteral("HTTPTimeOut"), 0),
              10);
}

TEST_F(ShellTest, SettingsBadPortIsSavedThenRefused)
{
    TMainFrm* w = start();
    TSettingsForm form(w->model(), w);
    struct Case {
        const char* port;
        const char* error;
    };
    for (const Case& c : {Case{"8o", "'8o' is not a valid integer value"}, Case{"70000", "Range check error"}}) {
        form.portedit->setText(QLatin1String(c.port));
        try {
            form.OkBtnClick();
            ADD_FAILURE() << "no error for " << c.port;
        } catch (const platform::FileError& e) {
            EXPECT_EQ(e.message(), QLatin1String(c.error));
        }
        EXPECT_NE(form.result(), QDialog::Accepted);
        EXPECT_EQ(platform::IniFile(dir.file(QStringLiteral("settings.dat")))
                      .readString(QStringLiteral("SETTINGS"), QStringLiteral("PORT")),
                  QLatin1String(c.port));
    }
}

TEST_F(ShellTest, StartupPortFromFileFallsBackTo80)
{
    struct Case {
        const char* text;
        int port;
    };
    for (const Case& c : {Case{"8080", 8080}, Case{"0x50", 80}, Case{"abc", 80}, Case{"-1", 80}, Case{"65536", 80},
                          Case{"", 80}, Case{"65535", 65535}})
        EXPECT_EQ(settings_file::startupPort(QLatin1String(c.text)), c.port) << c.text;
}

TEST_F(ShellTest, GarbageSettingsFileLoadsWithDefaults)
{
    QByteArray garbage("\x00\xff\xfe[SETTINGS\r\n=\r\nHTTPTimeOut=abc\r\nPORT\r\n", 40);
    garbage += QByteArray(200000, 'x') + "\r\n[SETTINGS]\r\nSMTP=" + QByteArray(5000, 'y') + "\r\n";
    dir.write(QStringLiteral("settings.dat"), garbage);
    TMainFrm* w = start();
    EXPECT_EQ(w->model().Settings.HTTPTimeOut, 60);
    EXPECT_EQ(w->model().Settings.FTPRetries, 3);
    EXPECT_EQ(w->model().Settings.SMTP.size(), 1023);
}

TEST_F(ShellTest, UseGridLinesIsWrittenFromTheSitesCheckBox)
{
    TMainFrm* w = start();
    w->SitesSheet->UseGridLinesChk->click();
    EXPECT_TRUE(w->SitesSheet->gridLines());
    EXPECT_TRUE(w->model().UseGridLines);
    EXPECT_EQ(dir.read(QStringLiteral("settings.dat")), QByteArray("[SETTINGS]\r\nUseGridLines=1\r\n"));
}

TEST_F(ShellTest, ErrorDialogShowsItsTextsAndDefaultInstruction)
{
    TErrorForm form;
    form.setTexts(QStringLiteral("TITLE"), QStringLiteral("message"), QString());
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("ERROR"));
    EXPECT_EQ(form.InstructionLbl->text(), QStringLiteral("Please click OK to continue..."));
    EXPECT_EQ(form.OkBtn->text(), QStringLiteral("&Ok"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(ShellTest, ExceptionEscapingAHandlerIsShownInTheErrorBox)
{
    start();
    QTimer::singleShot(0, main(), [] { throw platform::FileError::unableToWrite(QStringLiteral("/x/y.dat")); });
    QTRY_COMPARE(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("exception"));
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("Unable to write to /x/y.dat"));
}

TEST_F(ShellTest, HomePagesAndHelpOpenInTheBrowser)
{
    TMainFrm* w = start();
    w->Help1->trigger();
    w->PostrixHomePage1->trigger();
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("file://") + dir.path() + QStringLiteral("Postrix.html"));
    EXPECT_TRUE(dir.exists(QStringLiteral("Postrix.html")));
    EXPECT_TRUE(dialogs.calls[1].text.startsWith(QLatin1String("https://")));
}

TEST(NameRules, NamesThatCannotBeFileNames)
{
    for (const char* bad : {"a/b", "a\\b", ".", "..", "tab\there"})
        EXPECT_FALSE(platform::files::invalidFileNameReason(QString::fromUtf8(bad)).isEmpty()) << bad;
    for (const char* good : {"Acme", "Acme Inc.", "...x", "a.b"})
        EXPECT_TRUE(platform::files::invalidFileNameReason(QString::fromUtf8(good)).isEmpty()) << good;
}

TEST(SingleInstance, ASecondStartHandsOverToTheFirst)
{
    const QString folder = QStringLiteral("/tmp/postrix-single-instance-test");
    platform::SingleInstance first(folder);
    ASSERT_TRUE(first.listen());
    QSignalSpy shown(&first, &platform::SingleInstance::showRequested);
    platform::SingleInstance second(folder);
    EXPECT_TRUE(second.handOverToRunning());
    EXPECT_TRUE(shown.wait(3000));
    platform::SingleInstance other(folder + QStringLiteral("-elsewhere"));
    EXPECT_FALSE(other.handOverToRunning());
}

TEST_F(ShellTest, ReportPicturesAreWrittenWhenMissingAndKeptWhenPresent)
{
    dir.write(QStringLiteral("images/back.jpg"), "mine");
    start();
    EXPECT_EQ(dir.read(QStringLiteral("images/back.jpg")), QByteArray("mine"));
    EXPECT_TRUE(dir.read(QStringLiteral("images/pxsr.jpg")).startsWith("\xff\xd8"));
}

TEST_F(ShellTest, ViewReportsWithoutReportsSaysSo)
{
    TMainFrm* w = start();
    w->Mnu_Reports->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("No Reports Found"));
}
