// The Site Builder page on the real main window: loading an engine into the
// controls, the enabling rules, the added-text choice and the zip box, the
// key filters, New, Save and Delete Site, the Field Translations dialog and
// the variable list window.
#include "ProgramFixture.h"

#include "engines/EngineFiles.h"
#include "engines/SiteBuilderPage.h"
#include "engines/TMatchUpFrm.h"
#include "engines/TVarsForm.h"
#include "platform/IniFile.h"
#include "selection/SitesPage.h"
#include "model/TGWide.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <optional>

using Answer = platform::Dialogs::Answer;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

// Three maker's engines:
//   Alpha  HTTP with both categories and its own field translations
//   Beta   FTP, zip box off but "Include in Zip" chosen (as an old file may say)
//   Gamma  no settings file at all
class SiteBuilderTest : public ProgramFixture {
protected:
    void SetUp() override {
        dir.write(s("sites/Sites.dat"), "Gamma\r\nBeta\r\nAlpha\r\n");
        dir.write(s("sites/Alpha.ini"), "[SETTINGS]\r\nBYTE_FORMAT=2\r\nUSE_CAT1=1\r\nUSE_CAT2=1\r\n"
                                        "USE_HTTP_POST=1\r\nHTTP_POST_TYPE=2\r\n"
                                        "HTTP_NEW_SCRIPT_URL=http://alpha.example.com/add?\r\n"
                                        "MUF_Windows95=Win95\r\nMUF_WindowsNT=WinNT\r\nMUF_Author=Writer\r\n");
        dir.write(s("sites/Alpha HTTP_NEW.scp"), "name=%APPNAME%&c=%SITECAT1%\r\n");
        dir.write(s("cat/Alpha Cat1.cat"), "10\">Games\r\n11\">Utilities\r\n");
        dir.write(s("cat/Alpha Cat2.cat"), "20\">Puzzle\r\n");
        dir.write(s("sites/Beta.ini"), "[SETTINGS]\r\nSITE_SYSTEM=2\r\nUSE_FTP_UPLOAD=1\r\nUSE_ZIP_FILE=0\r\n"
                                       "ADD_FILE_TO_ZIP=0\r\nINCLUDE_IN_ZIP=1\r\nADDED_TEXT_BOTH=0\r\n"
                                       "FTP_SERVER=127.0.0.1\r\n");
    }

    TSiteBuilderPage* page() const { return main()->SiteBuilderSheet; }
    TEngBuild& engines() const { return *main()->model().GWide.EngBuild; }

    // Starts the program and opens the Site Builder, which loads the first engine.
    void open() {
        start();
        main()->setActivePage(page());
        dialogs.clear();
    }

    // Chooses a site in the list as the user does.
    void choose(const QString& site) {
        QComboBox* list = page()->EB_SiteNameCombo;
        const int index = list->findText(site, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << qPrintable(site);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    // Answers the name dialogs of New Site in turn: a name is typed and OK
    // pressed, nullopt presses Cancel. Other dialogs are closed.
    void answerNames(QList<std::optional<QString>> answers) {
        dialogs.onModal = [answers](QDialog& form) mutable {
            if (form.objectName() != s("SiteEntryFrm") || answers.isEmpty())
                return int(QDialog::Rejected);
            const std::optional<QString> answer = answers.takeFirst();
            if (!answer)
                return int(QDialog::Rejected);
            form.findChild<QLineEdit*>(s("Edit1"))->setText(*answer);
            return int(QDialog::Accepted);
        };
    }

    QStringList entries(const QComboBox* box) const {
        QStringList names;
        for (int i = 0; i < box->count(); ++i)
            names << box->itemText(i);
        return names;
    }

    QStringList checkedAddedText() const {
        QStringList on;
        for (QRadioButton* r : {page()->EB_AddFileToUploadChk, page()->EB_IncludeInZipChk, page()->EB_AddedTextBoth})
            if (r->isChecked())
                on << r->objectName();
        return on;
    }

    // Every editing control of the page by object name: its text or state.
    QStringList controlValues() const {
        QStringList values;
        for (QWidget* w : page()->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (!name.startsWith(s("EB_")) && !name.startsWith(s("Eb_")))
                continue;
            if (auto* e = qobject_cast<QLineEdit*>(w))
                values << name + s("=") + e->text();
            else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
                values << name + s("=") + m->toPlainText();
            else if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable())
                values << name + s("=") + (b->isChecked() ? s("on") : s("off"));
        }
        values.sort();
        return values;
    }
};

TEST_F(SiteBuilderTest, OpeningThePageShowsTheFirstEngineInItsControls) {
    open();
    TSiteBuilderPage* p = page();
    EXPECT_EQ(entries(p->EB_SiteNameCombo), (QStringList{s("Alpha"), s("Beta"), s("Gamma")}));
    EXPECT_EQ(entries(p->EB_VantorelSiteNameCombo), entries(p->EB_SiteNameCombo));
    EXPECT_EQ(p->EB_UserSiteNameCombo->count(), 0);
    EXPECT_FALSE(p->EB_UserSiteNameCombo->isVisible());
    EXPECT_EQ(p->EB_SiteNameCombo->currentText(), s("Alpha"));
    EXPECT_TRUE(p->EB_KBytesRadio->isChecked());
    EXPECT_TRUE(p->EB_PostType_GET->isChecked());
    EXPECT_EQ(p->EB_HTTP_NewScriptURLEdit->text(), s("http://alpha.example.com/add?"));
    EXPECT_EQ(p->EB_NewSubmissionMemo->toPlainText(), s("name=%APPNAME%&c=%SITECAT1%"));
    EXPECT_EQ(p->EB_CatagoriesMemo1->toPlainText(), s("10\">Games\n11\">Utilities"));
    EXPECT_TRUE(p->EB_TypeShareRadio->isChecked());
    EXPECT_TRUE(p->EB_3216Bit->isChecked());
    EXPECT_TRUE(main()->model().EngineSaved);
    EXPECT_FALSE(p->ContributeBtn->isVisible());
    EXPECT_TRUE(dialogs.calls.isEmpty());

    // An engine without a settings file shows the cleared defaults and keeps
    // the translations of the engine before it.
    choose(s("Gamma"));
    EXPECT_TRUE(p->EB_BytesRadio->isChecked());
    EXPECT_TRUE(p->EB_PostType_POST->isChecked());
    EXPECT_TRUE(p->EB_HTTP_NewScriptURLEdit->text().isEmpty());
    EXPECT_TRUE(p->EB_AddFileToUploadChk->isChecked());
    EXPECT_EQ(engines().Translations.value(Translation::Windows95), s("Win95"));
    EXPECT_TRUE(main()->model().EngineSaved);
}

TEST_F(SiteBuilderTest, EveryCaptionFitsItsControlAndEveryControlItsParent) {
    open();
    TSiteBuilderPage* p = page();
    TMatchUpFrm translations(main());
    // The containers whose children are placed by hand.
    QList<QWidget*> containers{p,           p->DetailsSheet, p->HTTPPostSheet, p->FTPUploadSheet, p->EmailSheet,
                               p->VarsForm, &translations};
    for (QGroupBox* g : p->findChildren<QGroupBox*>())
        containers << g;
    const auto caption = [](QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w))
            return l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            return b->text();
        return QString();
    };
    for (QWidget* container : containers) {
        for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isWindow() || w->inherits("QMenu"))
                continue;
            const QString what = w->objectName() + s(" ") + caption(w);
            EXPECT_TRUE(QRect(QPoint(), container->size()).contains(w->geometry()))
                << qPrintable(what) << " leaves " << qPrintable(container->objectName());
            if (!caption(w).isEmpty()) {
                EXPECT_GE(w->width(), w->sizeHint().width())
                    << qPrintable(what) << " is cut off: needs " << w->sizeHint().width();
            }
        }
    }
    EXPECT_LE(p->PageControl3->geometry().bottom(), p->GroupBox3->geometry().top());
    EXPECT_TRUE(QRect(QPoint(), main()->PageControl1->currentWidget()->size()).contains(p->GroupBox3->geometry()));
}

TEST_F(SiteBuilderTest, EnablingRulesFollowTheCheckBoxes) {
    open();
    TSiteBuilderPage* p = page();
    const struct {
        QCheckBox* box;
        QList<QWidget*> follows;
    } rules[] = {
        {p->EB_UseCatagory1, {p->EB_CatagoriesMemo1}},
        {p->EB_UseCatagory2, {p->EB_CatagoriesMemo2}},
        {p->EB_UseHTTPPostChk, {p->EB_NewSubmissionMemo, p->EB_UpdateSubmissionMemo}},
        {p->EB_UseFTPUploadChk,
         {p->EB_UseZipFileChk, p->EB_Use8x3FileName, p->EB_FTPServerEdit, p->EB_LoginNameEdit, p->EB_RemotePathEdit,
          p->EB_LoginPasswordEdit, p->EB_AddFileToUploadChk, p->EB_IncludeInZipChk, p->EB_AddedTextBoth, p->EB_FileName,
          p->EB_FileScriptMemo}},
        {p->EB_UseEmail,
         {p->EB_EmailToEdit, p->EB_EmailToEdit_Update, p->EB_EmailSubjectEdit, p->EB_EmailSubjectEdit_Update,
          p->EB_Email_NewSubmissionScriptMemo, p->EB_Email_UpdateSubmissionScriptMemo, p->EB_SendEmailCopy,
          p->EB_AttachIco, p->EB_AttachGif, p->EB_AttachScreenShot, p->EB_AttachOther, p->EB_AttachAppToEmail}},
    };
    // Alpha as loaded: categories and HTTP on, FTP and e-mail off.
    for (const auto& rule : rules)
        for (QWidget* w : rule.follows)
            EXPECT_EQ(w->isEnabled(), rule.box->isChecked()) << qPrintable(w->objectName()) << " after the load";

    for (const auto& rule : rules) {
        for (const bool on : {true, false}) {
            if (rule.box->isChecked() != on) {
                main()->model().EngineSaved = true;
                rule.box->click();
                EXPECT_FALSE(main()->model().EngineSaved) << qPrintable(rule.box->objectName());
            }
            for (QWidget* w : rule.follows)
                EXPECT_EQ(w->isEnabled(), on) << qPrintable(w->objectName());
        }
    }
    // What no check box governs stays usable.
    for (QWidget* w : std::initializer_list<QWidget*>{p->EB_HTTP_NewScriptURLEdit, p->EB_HTTP_UpdateScriptURLEdit,
                                                      p->EB_PostType_POST, p->EB_PostType_GET, p->EB_SitesWebUrlEdit})
        EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());

    // The copy and attachment boxes mark the engine changed as well.
    p->EB_UseEmail->click();
    p->EB_UseFTPUploadChk->click();
    for (QCheckBox* c : {p->EB_SendEmailCopy, p->EB_AttachIco, p->EB_AttachAppToEmail, p->EB_Use8x3FileName}) {
        main()->model().EngineSaved = true;
        c->click();
        EXPECT_FALSE(main()->model().EngineSaved) << qPrintable(c->objectName());
    }
}

TEST_F(SiteBuilderTest, EditsMarkTheEngineChangedButLoadingDoesNot) {
    open();
    TSiteBuilderPage* p = page();
    const QList<std::function<void()>> edits{
        [p] { p->EB_SitesWebUrlEdit->setText(s("http://x.example.com/")); },
        [p] { p->EB_FileScriptMemo->setPlainText(s("text")); },
        [p] { p->EB_TypeFreeRadio->click(); },
        [p] { p->EB_16BitOnly->click(); },
        [p] { p->EB_MBytesRadio->click(); },
        [p] { p->EB_PostType_POST->click(); },
    };
    for (int i = 0; i < edits.size(); ++i) {
        choose(s("Beta"));
        choose(s("Alpha"));
        ASSERT_TRUE(main()->model().EngineSaved);
        edits[i]();
        EXPECT_FALSE(main()->model().EngineSaved) << "edit " << i;
    }
    // Another choice drops the edits without a question.
    p->EB_SitesWebUrlEdit->setText(s("http://dropped.example.com/"));
    choose(s("Beta"));
    choose(s("Alpha"));
    EXPECT_TRUE(p->EB_SitesWebUrlEdit->text().isEmpty());
    EXPECT_TRUE(main()->model().EngineSaved);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(SiteBuilderTest, AddedTextChoiceFollowsTheZipBox) {
    open();
    TSiteBuilderPage* p = page();
    using Step = std::function<void()>;
    const Step zipOn = [p] {
        if (!p->EB_UseZipFileChk->isChecked())
            p->EB_UseZipFileChk->click();
    };
    const struct {
        const char* name;
        QList<Step> steps;
        const char* expected;
    } cases[] = {
        // As Beta loads: zip off, "Include in Zip" chosen; clicking Get resets it.
        {"Get with the zip box off", {[p] { p->EB_PostType_GET->click(); }}, "EB_AddFileToUploadChk"},
        {"Include in Zip with the zip box off", {[p] { p->EB_IncludeInZipChk->click(); }}, "EB_AddFileToUploadChk"},
        {"Both with the zip box off", {[p] { p->EB_AddedTextBoth->click(); }}, "EB_AddFileToUploadChk"},
        {"Both with the zip box on", {zipOn, [p] { p->EB_AddedTextBoth->click(); }}, "EB_AddedTextBoth"},
        {"Get with the zip box on", {zipOn, [p] { p->EB_PostType_GET->click(); }}, "EB_IncludeInZipChk"},
        {"zip box turned off from Both",
         {zipOn, [p] { p->EB_AddedTextBoth->click(); }, [p] { p->EB_UseZipFileChk->click(); }},
         "EB_AddFileToUploadChk"},
        {"zip box turned off from Include in Zip",
         {zipOn, [p] { p->EB_UseZipFileChk->click(); }},
         "EB_AddFileToUploadChk"},
    };
    for (const auto& c : cases) {
        choose(s("Alpha"));
        choose(s("Beta"));
        ASSERT_EQ(checkedAddedText(), QStringList{s("EB_IncludeInZipChk")}) << "Beta as loaded";
        ASSERT_FALSE(p->EB_UseZipFileChk->isChecked());
        ASSERT_TRUE(main()->model().EngineSaved);
        for (const Step& step : c.steps)
            step();
        EXPECT_EQ(checkedAddedText(), QStringList{QLatin1String(c.expected)}) << c.name;
        EXPECT_FALSE(main()->model().EngineSaved) << c.name;
    }
}

TEST_F(SiteBuilderTest, NoAddedTextChoiceLoadsAsNoneAndSavesAllThreeOff) {
    dir.write(s("sites/Beta.ini"), "[SETTINGS]\r\nUSE_FTP_UPLOAD=1\r\nADD_FILE_TO_ZIP=0\r\n");
    open();
    choose(s("Beta"));
    EXPECT_TRUE(checkedAddedText().isEmpty());
    page()->EB_UpdateSiteBtn->click();
    const platform::IniFile ini(dir.file(s("sites/Beta.ini")));
    for (const char* key : {"ADD_FILE_TO_ZIP", "INCLUDE_IN_ZIP", "ADDED_TEXT_BOTH"})
        EXPECT_EQ(ini.readString(s("SETTINGS"), QLatin1String(key)), s("0")) << key;
}

TEST_F(SiteBuilderTest, EnterIsDroppedInTheHttpScriptsOnly) {
    open();
    TSiteBuilderPage* p = page();
    p->PageControl3->setCurrentWidget(p->HTTPPostSheet);
    for (QPlainTextEdit* script : {p->EB_NewSubmissionMemo, p->EB_UpdateSubmissionMemo}) {
        script->clear();
        script->setFocus();
        QTest::keyClicks(script, s("a=1"));
        QTest::keyClick(script, Qt::Key_Return);
        QTest::keyClick(script, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(script, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(script, s("&b=2"));
        EXPECT_EQ(script->toPlainText(), s("a=1&b=2")) << qPrintable(script->objectName());
        // Pasted text keeps its line breaks.
        script->insertPlainText(s("\nc=3"));
        EXPECT_EQ(script->toPlainText(), s("a=1&b=2\nc=3"));
    }

    p->EB_UseEmail->click();
    p->PageControl3->setCurrentWidget(p->EmailSheet);
    QPlainTextEdit* mail = p->EB_Email_NewSubmissionScriptMemo;
    mail->setFocus();
    QTest::keyClicks(mail, s("Hello"));
    QTest::keyClick(mail, Qt::Key_Return);
    QTest::keyClicks(mail, s("there"));
    EXPECT_EQ(mail->toPlainText(), s("Hello\nthere"));
}

TEST_F(SiteBuilderTest, TypingInTheSiteListChoosesNothing) {
    open();
    TSiteBuilderPage* p = page();
    p->PageControl3->setCurrentWidget(p->DetailsSheet);
    QComboBox* list = p->EB_SiteNameCombo;
    list->setFocus();
    QTest::keyClicks(list, s("gb "));
    EXPECT_EQ(list->currentText(), s("Alpha"));
    EXPECT_EQ(p->EB_HTTP_NewScriptURLEdit->text(), s("http://alpha.example.com/add?"));
    // The keys that type nothing still move through the list, loading as they go.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentText(), s("Beta"));
    EXPECT_EQ(p->EB_FTPServerEdit->text(), s("127.0.0.1"));
}

TEST_F(SiteBuilderTest, NewSiteRefusesCancelEmptyDuplicateAndUnsafeNames) {
    open();
    const QByteArray makerList = dir.read(s("sites/Sites.dat"));
    const struct {
        const char* name;
        QList<std::optional<QString>> answers;
        QStringList errors; // titles of the error dialogs, in order
        int nameDialogs;
    } cases[] = {
        {"Cancel", {std::nullopt}, {}, 1},
        {"OK with an empty edit", {s("")}, {}, 1},
        {"blanks only, then Cancel", {s("   "), std::nullopt}, {}, 2},
        {"a duplicate, then Cancel", {s(" Beta "), std::nullopt}, {s("SITE NAME DUPLICATE")}, 2},
        {"a slash, a backslash, a dot pair, a tab, then Cancel",
         {s("a/b"), s("..\\up"), s(".."), s("tab\there"), std::nullopt},
         {s("SITE NAME INVALID"), s("SITE NAME INVALID"), s("SITE NAME INVALID"), s("SITE NAME INVALID")},
         5},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        answerNames(c.answers);
        page()->EB_AddNewSiteBtn->click();
        QStringList errors;
        int nameDialogs = 0;
        for (const auto& call : dialogs.calls) {
            if (call.kind == s("error"))
                errors << call.title;
            if (call.kind == s("modal")) {
                EXPECT_EQ(call.title, s("New Site Name:"));
                ++nameDialogs;
            }
        }
        EXPECT_EQ(errors, c.errors) << c.name;
        EXPECT_EQ(nameDialogs, c.nameDialogs) << c.name;
        if (c.name == std::string("a duplicate, then Cancel")) {
            EXPECT_EQ(dialogs.calls[1].text, s("The site name you entered is already on the list!"));
        }
        EXPECT_EQ(entries(page()->EB_SiteNameCombo), (QStringList{s("Alpha"), s("Beta"), s("Gamma")})) << c.name;
        EXPECT_EQ(page()->EB_SiteNameCombo->currentText(), s("Alpha")) << c.name;
        EXPECT_TRUE(main()->model().EngineSaved) << c.name;
        EXPECT_FALSE(dir.exists(s("sites/User_Sites.dat"))) << c.name;
        EXPECT_EQ(dir.read(s("sites/Sites.dat")), makerList) << c.name;
    }
    EXPECT_FALSE(dir.exists(s("sites/a")));
    EXPECT_FALSE(dir.exists(s("up.ini")));
}

TEST_F(SiteBuilderTest, NewSiteCreatesAClearedUserEngineAndItsRow) {
    open();
    TSiteBuilderPage* p = page();
    p->EB_SitesWebUrlEdit->setText(s("http://unsaved.example.com/"));
    answerNames({s("Alpha"), s("  Beta Two  ")});
    p->EB_AddNewSiteBtn->click();

    EXPECT_EQ(entries(p->EB_SiteNameCombo), (QStringList{s("Alpha"), s("Beta"), s("Beta Two"), s("Gamma")}));
    EXPECT_EQ(p->EB_SiteNameCombo->currentText(), s("Beta Two"));
    EXPECT_EQ(entries(p->EB_UserSiteNameCombo), QStringList{s("Beta Two")});
    EXPECT_EQ(dir.read(s("sites/User_Sites.dat")), QByteArray("Beta Two\r\n"));
    // The controls show a cleared engine, saved under the new name with the fixed words.
    EXPECT_TRUE(p->EB_SitesWebUrlEdit->text().isEmpty());
    EXPECT_TRUE(p->EB_NewSubmissionMemo->toPlainText().isEmpty());
    EXPECT_FALSE(p->EB_UseHTTPPostChk->isChecked());
    EXPECT_TRUE(p->EB_BytesRadio->isChecked());
    const platform::IniFile ini(dir.file(s("sites/Beta Two.ini")));
    EXPECT_EQ(ini.readString(s("SETTINGS"), s("MUF_Windows95")), s("Windows 95"));
    EXPECT_EQ(ini.readString(s("SETTINGS"), s("SITE_TYPE")), s("2"));
    EXPECT_EQ(ini.readString(s("SETTINGS"), s("SITES_WEB_URL")), s(""));
    EXPECT_FALSE(dir.exists(s("cat/Beta Two Cat1.cat")));
    EXPECT_FALSE(dir.exists(s("sites/Beta Two HTTP_NEW.scp")));
    EXPECT_FALSE(main()->model().EngineSaved);
    EXPECT_TRUE(p->ContributeBtn->isVisibleTo(p));
    // The grid follows the list: every engine with a settings file has its row.
    EXPECT_EQ(main()->SitesSheet->rowCount(), 3);

    // Saving and loading go to the new engine; a load hides Contribute again.
    p->EB_SitesWebUrlEdit->setText(s("http://two.example.com/"));
    p->EB_UpdateSiteBtn->click();
    EXPECT_TRUE(main()->model().EngineSaved);
    choose(s("Alpha"));
    EXPECT_FALSE(p->ContributeBtn->isVisibleTo(p));
    choose(s("Beta Two"));
    EXPECT_EQ(p->EB_SitesWebUrlEdit->text(), s("http://two.example.com/"));
}

TEST_F(SiteBuilderTest, SaveSiteWritesTheControlsAndRebuildsTheGrid) {
    open();
    TSiteBuilderPage* p = page();
    p->EB_CatagoriesMemo1->setPlainText(s("10\">Games"));
    p->EB_UseCatagory2->click();
    p->EB_UpdateSubmissionMemo->setPlainText(s("v=%APPVERSION%"));
    p->EB_MBytesRadio->click();
    p->EB_UpdateSiteBtn->click();
    EXPECT_TRUE(main()->model().EngineSaved);
    EXPECT_EQ(dir.read(s("cat/Alpha Cat1.cat")), QByteArray("10\">Games\r\n"));
    EXPECT_EQ(dir.read(s("cat/Alpha Cat2.cat")), QByteArray("20\">Puzzle\r\n")) << "an unused list is kept";
    EXPECT_EQ(dir.read(s("sites/Alpha HTTP_UPDATE.scp")), QByteArray("v=%APPVERSION%\r\n"));
    const platform::IniFile ini(dir.file(s("sites/Alpha.ini")));
    EXPECT_EQ(ini.readString(s("SETTINGS"), s("BYTE_FORMAT")), s("3"));
    EXPECT_EQ(ini.readString(s("SETTINGS"), s("USE_CAT2")), s("0"));
    EXPECT_EQ(main()->SitesSheet->rowCount(), 2);

    // A Sites grid row appears as soon as an engine has a settings file.
    choose(s("Gamma"));
    p->EB_UpdateSiteBtn->click();
    EXPECT_TRUE(dir.exists(s("sites/Gamma.ini")));
    EXPECT_EQ(main()->SitesSheet->rowCount(), 3);
}

TEST_F(SiteBuilderTest, DeleteSiteAsksAndThenLoadsTheFirstEngine) {
    open();
    TSiteBuilderPage* p = page();
    choose(s("Beta"));
    dialogs.answers.enqueue(Answer::No);
    p->EB_DeleteSiteBtn->click();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("yesNo"));
    EXPECT_EQ(dialogs.calls[0].text, s("Delete This Site ?"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_TRUE(dir.exists(s("sites/Beta.ini")));

    dialogs.answers.enqueue(Answer::Yes);
    p->EB_DeleteSiteBtn->click();
    EXPECT_FALSE(dir.exists(s("sites/Beta.ini")));
    EXPECT_EQ(entries(p->EB_SiteNameCombo), (QStringList{s("Alpha"), s("Gamma")}));
    EXPECT_EQ(p->EB_SiteNameCombo->currentText(), s("Alpha"));
    EXPECT_EQ(p->EB_HTTP_NewScriptURLEdit->text(), s("http://alpha.example.com/add?"));
    EXPECT_EQ(dir.read(s("sites/Sites.dat")), QByteArray("Alpha\r\nGamma\r\n"));
    EXPECT_EQ(main()->SitesSheet->rowCount(), 1);

    // Deleting the last engine leaves empty controls and nothing to save.
    for (const char* site : {"Alpha", "Gamma"}) {
        choose(QLatin1String(site));
        p->EB_SitesWebUrlEdit->setText(s("http://edited.example.com/"));
        dialogs.answers.enqueue(Answer::Yes);
        p->EB_DeleteSiteBtn->click();
    }
    EXPECT_EQ(p->EB_SiteNameCombo->count(), 0);
    EXPECT_TRUE(p->EB_SitesWebUrlEdit->text().isEmpty());
    EXPECT_TRUE(p->EB_HTTP_NewScriptURLEdit->text().isEmpty());
    EXPECT_TRUE(main()->model().EngineSaved);
    dialogs.clear();
    p->EB_UpdateSiteBtn->click();
    p->EB_DeleteSiteBtn->click();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_FALSE(dir.exists(s("sites/Gamma.ini")));
    EXPECT_FALSE(dir.exists(s("sites/.ini")));
}

TEST_F(SiteBuilderTest, FieldTranslationsShowTheTranslationsOnlyWhenTheWindowsWordsAreSet) {
    const QByteArray alpha = dir.read(s("sites/Alpha.ini"));
    const struct {
        const char* name;
        const char* windows95NT; // MUF_Windows95NT in Alpha's file
        const char* shownForAuthor;
    } cases[] = {
        {"the three Windows words set", "Win95/NT", "Writer"},
        {"one of them empty", "", "Author"},
    };
    for (const auto& c : cases) {
        dir.write(s("sites/Alpha.ini"), alpha + "MUF_Windows95NT=" + QByteArray(c.windows95NT) + "\r\n");
        open();
        TSiteBuilderPage* p = page();
        QString shown, shownNT;
        dialogs.onModal = [&](QDialog& form) {
            shown = form.findChild<QLineEdit*>(s("AuthorEdit"))->text();
            shownNT = form.findChild<QLineEdit*>(s("Windows95NTEdit"))->text();
            form.findChild<QLineEdit*>(s("DealerEdit"))->setText(s("Reseller"));
            return int(QDialog::Rejected); // closing by the box counts as well
        };
        p->EB_MatchUpFields->click();
        ASSERT_EQ(dialogs.calls.size(), 1) << c.name;
        EXPECT_EQ(dialogs.calls[0].text, s("MatchUpFrm"));
        EXPECT_EQ(dialogs.calls[0].title, s("Field Translations"));
        EXPECT_EQ(shown, QLatin1String(c.shownForAuthor)) << c.name;
        EXPECT_EQ(engines().Translations.value(Translation::Author), QLatin1String(c.shownForAuthor)) << c.name;
        EXPECT_EQ(engines().Translations.value(Translation::Windows95NT), shownNT) << c.name;
        EXPECT_EQ(engines().Translations.value(Translation::Dealer), s("Reseller")) << c.name;
        EXPECT_TRUE(main()->model().EngineSaved) << "the translations reach the file with the next save";

        // Choosing another site loses them; saving would have written them.
        choose(s("Beta"));
        choose(s("Alpha"));
        EXPECT_EQ(engines().Translations.value(Translation::Dealer), s("Dealer"));
        EXPECT_TRUE(dialogs.calls.size() == 1) << "no question on the way";
        p->EB_MatchUpFields->click();
        p->EB_UpdateSiteBtn->click();
        EXPECT_EQ(platform::IniFile(dir.file(s("sites/Alpha.ini"))).readString(s("SETTINGS"), s("MUF_Dealer")),
                  s("Reseller"));
        program.reset();
    }
}

TEST_F(SiteBuilderTest, VariableMenuSitsOnTheThirteenScriptControls) {
    open();
    QStringList withMenu;
    for (QWidget* w : page()->findChildren<QWidget*>())
        if (w->contextMenuPolicy() == Qt::CustomContextMenu)
            withMenu << w->objectName();
    withMenu.sort();
    QStringList expected{s("EB_HTTP_NewScriptURLEdit"),
                         s("EB_HTTP_UpdateScriptURLEdit"),
                         s("EB_NewSubmissionMemo"),
                         s("EB_UpdateSubmissionMemo"),
                         s("EB_RemotePathEdit"),
                         s("EB_LoginNameEdit"),
                         s("EB_LoginPasswordEdit"),
                         s("EB_FileName"),
                         s("EB_FileScriptMemo"),
                         s("EB_EmailSubjectEdit"),
                         s("EB_EmailSubjectEdit_Update"),
                         s("EB_Email_NewSubmissionScriptMemo"),
                         s("EB_Email_UpdateSubmissionScriptMemo")};
    expected.sort();
    EXPECT_EQ(withMenu, expected);
    EXPECT_EQ(page()->PopupMenu1->actions(), QList<QAction*>{page()->Mnu_Script});
    EXPECT_EQ(page()->Mnu_Script->text(), s("Variable List"));

    // A right-click in a memo puts the caret there and offers the menu.
    QPlainTextEdit* script = page()->EB_NewSubmissionMemo;
    page()->PageControl3->setCurrentWidget(page()->HTTPPostSheet);
    emit script->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(page()->PopupMenu1->isVisible());
    EXPECT_EQ(main()->focusWidget(), script);
    page()->PopupMenu1->hide();
}

TEST_F(SiteBuilderTest, UseSelectedInsertsAtTheCaretOfTheLastMemoOrEditOnly) {
    open();
    TSiteBuilderPage* p = page();
    TVarsForm* vars = p->VarsForm;
    QTreeWidget* list = vars->VarListBox;
    ASSERT_EQ(list->topLevelItemCount(), 61);
    EXPECT_EQ(list->topLevelItem(0)->text(0), s("%COMPNAME%"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), s("Company Name"));
    EXPECT_EQ(vars->windowTitle(), s("SiteBuilder Variables"));

    p->EB_UseEmail->click();
    p->PageControl3->setCurrentWidget(p->EmailSheet);
    QPlainTextEdit* memo = p->EB_Email_NewSubmissionScriptMemo;
    QLineEdit* subject = p->EB_EmailSubjectEdit;
    memo->setPlainText(s("Hello  there"));
    subject->setText(s("New: X"));
    main()->model().EngineSaved = true;

    const auto pick = [&](const char* variable) {
        const QList<QTreeWidgetItem*> found = list->findItems(QLatin1String(variable), Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.first());
    };

    // At the caret of a memo.
    memo->setFocus();
    QTextCursor caret = memo->textCursor();
    caret.setPosition(6);
    memo->setTextCursor(caret);
    p->Mnu_Script->trigger();
    ASSERT_TRUE(vars->isVisible());
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0)) << "the first entry is selected on showing";
    pick("%APPNAME%");
    QTest::mouseClick(vars->UseBtn, Qt::LeftButton);
    EXPECT_EQ(memo->toPlainText(), s("Hello %APPNAME% there"));
    EXPECT_EQ(main()->focusWidget(), memo);
    EXPECT_TRUE(vars->isVisible()) << "the window stays open";
    EXPECT_FALSE(main()->model().EngineSaved);

    // Over the selection of an edit, by the Enter key in the list.
    subject->setFocus();
    subject->setSelection(5, 1);
    pick("%APPVERSION%");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(subject->text(), s("New: %APPVERSION%"));
    EXPECT_EQ(main()->focusWidget(), subject);

    // Into nothing when a check box or the site list was active; the focus goes back there.
    for (QWidget* other : std::initializer_list<QWidget*>{p->EB_AttachGif, p->EB_SiteNameCombo}) {
        if (other == p->EB_SiteNameCombo)
            p->PageControl3->setCurrentWidget(p->DetailsSheet);
        other->setFocus();
        const QStringList before = controlValues();
        QTest::mouseClick(vars->UseBtn, Qt::LeftButton);
        EXPECT_EQ(controlValues(), before) << qPrintable(other->objectName());
        EXPECT_EQ(main()->focusWidget(), other);
    }

    // Nothing selected: nothing happens; Close hides the window.
    list->clearSelection();
    memo->setFocus();
    QTest::mouseClick(vars->UseBtn, Qt::LeftButton);
    EXPECT_EQ(memo->toPlainText(), s("Hello %APPNAME% there"));
    QTest::mouseClick(vars->CloseBtn, Qt::LeftButton);
    EXPECT_FALSE(vars->isVisible());
}

TEST_F(SiteBuilderTest, AnEngineFilledOnEveryPageComesBackAfterARestart) {
    open();
    TSiteBuilderPage* p = page();
    answerNames({s("Round Trip")});
    p->EB_AddNewSiteBtn->click();
    ASSERT_EQ(p->EB_SiteNameCombo->currentText(), s("Round Trip"));

    // Every check box on (zip first, so that "Include in Zip" may be chosen),
    // every radio off its default.
    for (QCheckBox* c : p->findChildren<QCheckBox*>())
        if (c->objectName().startsWith(s("EB_")) && !c->isChecked())
            c->click();
    for (QRadioButton* r :
         {p->EB_TypeFreeRadio, p->EB_16BitOnly, p->EB_PostType_GET, p->EB_IncludeInZipChk, p->EB_MBytesRadio})
        r->click();
    ASSERT_TRUE(p->EB_IncludeInZipChk->isChecked());

    // Every edit and memo typed into.
    p->PageControl3->setCurrentWidget(p->DetailsSheet);
    p->EB_SitesWebUrlEdit->setFocus();
    QTest::keyClicks(p->EB_SitesWebUrlEdit, s("http://www.round.example.com/"));
    p->EB_CatagoriesMemo1->setPlainText(s("1\">Games\n2\">Tools & Utilities"));
    p->EB_CatagoriesMemo2->setPlainText(s("9\">Puzzle"));
    const struct {
        QLineEdit* edit;
        const char* text;
    } edits[] = {
        {p->EB_HTTP_NewScriptURLEdit, "http://127.0.0.1/add?"},
        {p->EB_HTTP_UpdateScriptURLEdit, "http://127.0.0.1/update?"},
        {p->EB_FTPServerEdit, "127.0.0.1"},
        {p->EB_RemotePathEdit, "/pub/incoming"},
        {p->EB_LoginNameEdit, "anonymous"},
        {p->EB_LoginPasswordEdit, "%CONTEMAIL%"},
        {p->EB_FileName, "%APPNAME%.TXT"},
        {p->EB_EmailToEdit, "new@round.example.com"},
        {p->EB_EmailSubjectEdit, "New: %APPNAME%"},
        {p->EB_EmailToEdit_Update, "update@round.example.com"},
        {p->EB_EmailSubjectEdit_Update, "Update: %APPNAME% %APPVERSION%"},
    };
    for (const auto& e : edits)
        e.edit->setText(QLatin1String(e.text));
    p->EB_NewSubmissionMemo->setPlainText(s("a=%APPNAME%&c=%SITECAT1%"));
    p->EB_UpdateSubmissionMemo->setPlainText(s("a=%APPNAME%&v=%APPVERSION%"));
    p->EB_FileScriptMemo->setPlainText(s("%APPNAME%\n\n%APPSHORTDESC%"));
    p->EB_Email_NewSubmissionScriptMemo->setPlainText(s("Dear editor,\n%APPLONGDESC%\n-- %CONTNAME%"));
    p->EB_Email_UpdateSubmissionScriptMemo->setPlainText(s("Now %APPVERSION%."));

    dialogs.onModal = [](QDialog& form) {
        for (QLineEdit* e : form.findChildren<QLineEdit*>())
            e->setText(s("site ") + e->objectName());
        return int(QDialog::Accepted);
    };
    p->EB_MatchUpFields->click();
    const FieldTranslations translations = engines().Translations;
    EXPECT_EQ(translations.value(Translation::Beta), s("site BetaEdit"));

    const QStringList before = controlValues();
    EXPECT_TRUE(before.contains(s("EB_16BitOnly=on")));
    p->EB_UpdateSiteBtn->click();
    EXPECT_TRUE(main()->model().EngineSaved);

    main()->model().CloseWithoutPrompts = true;
    program.reset();
    open();
    ASSERT_TRUE(entries(page()->EB_UserSiteNameCombo).contains(s("Round Trip")));
    choose(s("Round Trip"));
    EXPECT_EQ(controlValues(), before);
    EXPECT_EQ(engines().Translations, translations);
    EXPECT_TRUE(main()->model().EngineSaved);
}
