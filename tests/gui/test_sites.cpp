// The Sites page on the real main window: the grid built from engine files
// and the saved selection, the controls below it, the popup menu, the "All"
// buttons, saving, and the link from a row to its engine.
#include "ProgramFixture.h"

#include "engines/SiteBuilderPage.h"
#include "platform/Clock.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "profiles/AppInfoPage.h"
#include "profiles/CompanyInfoPage.h"
#include "run/SubmitPage.h"
#include "selection/SitesPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

using Answer = platform::Dialogs::Answer;
using namespace selection;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

// Five engines in the list: Ghost has no settings file and so no row.
//   Alpha  All 16-32, both categories, HTTP, a web page
//   Beta   All 16, FTP with zip
//   Gamma  Free 16-32, e-mail
//   Ghost  (no settings file)
//   Omega  All 32, first category without a category file
class SitesTest : public ProgramFixture {
protected:
    void SetUp() override {
        dir.write(s("sites/Sites.dat"), "Omega\r\nGhost\r\nGamma\r\nBeta\r\nAlpha\r\n");
        dir.write(s("sites/Alpha.ini"), "[SETTINGS]\r\nSITES_WEB_URL=http://alpha.example/\r\nUSE_CAT1=1\r\n"
                                        "USE_CAT2=1\r\nSITE_TYPE=2\r\nSITE_SYSTEM=3\r\nUSE_HTTP_POST=1\r\n");
        dir.write(s("sites/Beta.ini"), "[SETTINGS]\r\nSITE_SYSTEM=2\r\nUSE_FTP_UPLOAD=1\r\nUSE_ZIP_FILE=1\r\n");
        dir.write(s("sites/Gamma.ini"), "[SETTINGS]\r\nSITE_TYPE=1\r\nUSE_EMAIL=1\r\n");
        dir.write(s("sites/Omega.ini"), "[SETTINGS]\r\nSITE_SYSTEM=1\r\nUSE_CAT1=1\r\n");
        dir.write(s("cat/Alpha Cat1.cat"), "10\">Games\r\n11\">Utilities\r\n12\">Graphics\r\n");
        dir.write(s("cat/Alpha Cat2.cat"), "20\">Puzzle\r\n21\">Arcade\r\n");
    }

    TSitesPage* page() const { return main()->SitesSheet; }

    // Puts text into one of the App Info page's choice boxes, as loading the
    // application's profile does. While that page has no such control yet, a
    // hidden edit of that name holds the text; the real control is used once it exists.
    void setAppChoice(const char* name, const QString& text) {
        QWidget* control = find<QWidget>(name);
        if (!control) {
            auto* edit = new QLineEdit(main()->AppInfoSheet);
            edit->setObjectName(QLatin1String(name));
            edit->hide();
            control = edit;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(text);
        } else if (auto* box = qobject_cast<QComboBox*>(control)) {
            const int index = box->findText(text);
            if (index >= 0)
                box->setCurrentIndex(index);
            else if (box->isEditable())
                box->setEditText(text);
            else
                box->setCurrentText(text);
            ASSERT_EQ(box->currentText(), text) << name;
        } else {
            FAIL() << name << " is neither an edit nor a choice box";
        }
    }

    // Starts the program, shows the application with the given platform and
    // status, and builds its grid.
    void open(const QString& platform = s("Windows 95"), const QString& status = s("Shareware"),
              const QString& app = s("PhotoTidy")) {
        if (!program)
            start();
        QComboBox* companies = main()->CompanyInfoSheet->compname;
        if (companies->findText(s("Acme Software")) < 0)
            companies->addItem(s("Acme Software"));
        companies->setCurrentIndex(companies->findText(s("Acme Software")));
        QListWidget* apps = main()->AppInfoSheet->AppName;
        if (apps->findItems(app, Qt::MatchExactly).isEmpty())
            apps->addItem(app);
        {
            // Chosen without loading: the test sets the fields loading would fill.
            const QSignalBlocker quiet(apps);
            apps->setCurrentItem(apps->findItems(app, Qt::MatchExactly).first());
        }
        setAppChoice("platforms", platform);
        setAppChoice("status", status);
        page()->BuildSiteGrid();
        main()->setActivePage(page());
        main()->model().CompanySaved = true;
        main()->model().AppSaved = true;
        dialogs.clear();
    }

    QStringList rows() const {
        QStringList result;
        for (int r = 0; r < page()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < ColumnCount; ++c)
                cells << page()->cell(r, c);
            result << cells.join(u'|');
        }
        return result;
    }

    QByteArray selectionFile(const char* app = "PhotoTidy") const {
        return dir.read(s("data/") + s(app) + s("_SITES.dat"));
    }

    static QStringList items(const QComboBox* box) {
        QStringList result;
        for (int i = 0; i < box->count(); ++i)
            result << box->itemText(i);
        return result;
    }
};

TEST_F(SitesTest, PageShowsColumnsAndControlsWithinThePage) {
    start();
    const QTreeWidget* grid = page()->SiteGrid;
    const struct {
        const char* caption;
        int width;
        bool centred;
    } columns[] = {{"Site", 120, false},    {"Type", 70, false},      {"Submit", 48, false}, {"Category1", 70, false},
                   {"Category2", 70, true}, {"H", 20, true},          {"F", 20, true},       {"Z", 20, true},
                   {"E", 20, true},         {"Last Post", 80, false}, {"P", 19, true}};
    ASSERT_EQ(grid->columnCount(), 11);
    for (int c = 0; c < 11; ++c) {
        EXPECT_EQ(grid->headerItem()->text(c), s(columns[c].caption));
        EXPECT_EQ(grid->header()->sectionSize(c), columns[c].width) << columns[c].caption;
        EXPECT_EQ(bool(grid->headerItem()->textAlignment(c) & Qt::AlignHCenter), columns[c].centred)
            << columns[c].caption;
    }
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    const struct {
        const char* name;
        const char* caption;
    } captions[] = {
        {"UseGridLinesChk", "Use Grid Lines"},
        {"Label3D1", "Current Available Sites:"},
        {"Label3D4", "Total To Post::"},
        {"DoPostCheckBox", "Submit to this software site as"},
        {"SubmitNewRadio", "a NEW first time submission"},
        {"SubmitUpdateRadio", "an UPDATE to an Existing Listing"},
        {"Cat1Label", "Primary Category:"},
        {"Cat2Label", "Secondary Category:"},
        {"AllToNewBtn", "All \"New\""},
        {"AllToUpdateBtn", "All \"Update\""},
        {"AllToPostBtn", "All \"Post\""},
        {"AllToNoPostBtn", "All \"No Post\""},
        {"AppSiteGoUrlBtn", "Go to URL"},
        {"AppSiteChangeBtn", "Save Changes"},
    };
    for (const auto& c : captions) {
        const QWidget* w = find<QWidget>(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        const QString text = w->property("text").toString();
        EXPECT_EQ(text, s(c.caption)) << c.name;
    }
    EXPECT_TRUE(page()->SubmitNewRadio->isChecked());

    // Every control lies inside the page area and is wide and high enough for its text.
    main()->setActivePage(page());
    const QRect area(0, 0, 590, 382);
    for (QWidget* w : page()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            continue;
        EXPECT_TRUE(area.contains(w->geometry())) << qPrintable(w->objectName());
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << qPrintable(w->objectName());
            EXPECT_GE(w->height(), w->sizeHint().height() - 4) << qPrintable(w->objectName());
        }
    }
    EXPECT_GE(grid->viewport()->width(), 557); // all eleven columns, no horizontal scrolling

    QStringList menu;
    for (QAction* a : page()->SiteGridPopupMenu->actions())
        menu << (a->isSeparator() ? s("-") : a->objectName());
    EXPECT_EQ(menu, (QStringList{s("SG_PopUp_ToPost"), s("SG_PopUp_AsPost"), s("SG_PopUp_ChangePostDate"), s("-"),
                                 s("SG_PopUp_GoToSiteBuilder"), s("SG_PopUp_GoToURL")}));
    EXPECT_EQ(page()->SG_PopUp_GoToSiteBuilder->text(), s("View in Site Builder"));
    EXPECT_EQ(page()->SG_PopUp_GoToURL->text(), s("Go To Sites URL"));
}

TEST_F(SitesTest, BuildShowsEveryEngineWithSettingsAndWritesTheFile) {
    open();
    EXPECT_EQ(rows(), (QStringList{
                          s("Alpha|All 16-32|New|NOT SET!|NOT SET!|Y|N|N|N|Unknown|Y"),
                          s("Beta|All 16|New|N/A|N/A|N|Y|Y|N|Unknown|N"),
                          s("Gamma|Free 16-32|New|N/A|N/A|N|N|N|Y|Unknown|N"),
                          s("Omega|All 32|New|NOT SET!|N/A|N|N|N|N|Unknown|Y"),
                      }));
    EXPECT_EQ(selectionFile(), QByteArray("Alpha\xb1New\xb1NOT SET!\xb1NOT SET!\xb1Unknown\xb1Y\r\n"
                                          "Beta\xb1New\xb1N/A\xb1N/A\xb1Unknown\xb1N\r\n"
                                          "Gamma\xb1New\xb1N/A\xb1N/A\xb1Unknown\xb1N\r\n"
                                          "Omega\xb1New\xb1NOT SET!\xb1N/A\xb1Unknown\xb1Y\r\n"));
    EXPECT_FALSE(main()->model().SiteSelectionChanged);
    EXPECT_FALSE(main()->model().GridBuilding);
    EXPECT_EQ(page()->SiteGridCountLbl->text(), s("4"));
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("2"));
    EXPECT_EQ(page()->Stats, (PostStats{2, 2, 0, 1, 0, 0, 0}));

    // The first row is selected and shown; a category not chosen shows the list's first entry.
    EXPECT_EQ(page()->selectedRow(), 0);
    EXPECT_EQ(items(page()->CatCombo1), (QStringList{s("Games"), s("Utilities"), s("Graphics")}));
    EXPECT_EQ(page()->CatCombo1->currentText(), s("Games"));
    EXPECT_EQ(items(page()->CatCombo2), (QStringList{s("Puzzle"), s("Arcade")}));
    EXPECT_TRUE(page()->CatCombo1->isEnabled());
    EXPECT_TRUE(page()->Cat2Label->isEnabled());
    EXPECT_TRUE(page()->DoPostCheckBox->isChecked());
    EXPECT_TRUE(page()->SubmitNewRadio->isChecked());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(SitesTest, SavedSelectionIsMergedAndTheFileFollowsTheEngines) {
    dir.write(s("data/PhotoTidy_SITES.dat"), "Removed\xb1Update\xb1N/A\xb1N/A\xb1"
                                             "01/01/26\xb1Y\r\n"
                                             "Alpha\xb1Update\xb1Utilities\xb1N/A\xb1"
                                             "02/03/26\xb1N\r\n"
                                             "Gamma\xb1Update\xb1Old\xb1N/A\xb1"
                                             "04/05/26\xb1Y\r\n"
                                             "Omega\xb1New\xb1Retired\xb1N/A\xb1Unknown\xb1Y\r\n");
    open();
    // Beta was added since the save; Removed is no longer an engine; Gamma is free only.
    EXPECT_EQ(rows(), (QStringList{
                          s("Alpha|All 16-32|Update|Utilities|NOT SET!|Y|N|N|N|02/03/26|N"),
                          s("Beta|All 16|New|N/A|N/A|N|Y|Y|N|Unknown|N"),
                          s("Gamma|Free 16-32|Update|N/A|N/A|N|N|N|Y|04/05/26|N"),
                          s("Omega|All 32|New|Retired|N/A|N|N|N|N|Unknown|Y"),
                      }));
    EXPECT_EQ(selectionFile(), QByteArray("Alpha\xb1Update\xb1Utilities\xb1NOT SET!\xb1"
                                          "02/03/26\xb1N\r\n"
                                          "Beta\xb1New\xb1N/A\xb1N/A\xb1Unknown\xb1N\r\n"
                                          "Gamma\xb1Update\xb1N/A\xb1N/A\xb1"
                                          "04/05/26\xb1N\r\n"
                                          "Omega\xb1New\xb1Retired\xb1N/A\xb1Unknown\xb1Y\r\n"));
    EXPECT_EQ(page()->CatCombo1->currentText(), s("Utilities"));
    EXPECT_TRUE(page()->SubmitUpdateRadio->isChecked());
    EXPECT_FALSE(page()->DoPostCheckBox->isChecked());

    // A label no longer in the category file: the box shows the first entry, the cell keeps the label.
    page()->selectRow(3);
    EXPECT_FALSE(page()->CatCombo1->isEnabled()); // Omega has no category file
    EXPECT_EQ(page()->CatCombo1->count(), 0);
    EXPECT_EQ(page()->cell(3, Category1Col), s("Retired"));
    dir.write(s("cat/Omega Cat1.cat"), "1\">Games\r\n2\">Tools\r\n");
    page()->selectRow(0);
    page()->selectRow(3);
    EXPECT_TRUE(page()->CatCombo1->isEnabled());
    EXPECT_EQ(page()->CatCombo1->currentText(), s("Games"));
    EXPECT_EQ(page()->cell(3, Category1Col), s("Retired"));
    EXPECT_FALSE(page()->CatCombo2->isEnabled());
    EXPECT_EQ(page()->CatCombo2->palette().color(QPalette::Button), QColor(192, 192, 192));

    // Picking a category writes the cell.
    QTest::keyClick(page()->CatCombo1, Qt::Key_Down);
    EXPECT_EQ(page()->cell(3, Category1Col), s("Tools"));
    EXPECT_TRUE(main()->model().SiteSelectionChanged);
}

TEST_F(SitesTest, GridWithNoRowsIsNeverWritten) {
    dir.write(s("sites/Sites.dat"), "Ghost\r\n");
    dir.write(s("data/PhotoTidy_SITES.dat"), "Alpha\xb1Update");
    open();
    EXPECT_EQ(page()->rowCount(), 0);
    EXPECT_EQ(page()->SiteGridCountLbl->text(), s("0"));
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("0"));
    page()->AppSiteChangeBtn->click();
    page()->SaveSiteSelection();
    EXPECT_EQ(selectionFile(), QByteArray("Alpha\xb1Update"));
    // The actions on a selected row and the "All" buttons do nothing.
    page()->AllToPostBtn->click();
    page()->SiteGridDownBtn->click();
    page()->AppSiteGoUrlBtn->click();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_FALSE(main()->model().SiteSelectionChanged);
}

TEST_F(SitesTest, ArrowButtonsAndKeysMoveTheSelectionAndWrapAround) {
    open();
    page()->SiteGridUpBtn->click();
    EXPECT_EQ(page()->selectedRow(), 3);
    EXPECT_EQ(page()->CatCombo1->count(), 0); // Omega shown
    page()->SiteGridDownBtn->click();
    EXPECT_EQ(page()->selectedRow(), 0);
    EXPECT_EQ(page()->CatCombo1->count(), 3); // Alpha shown
    page()->SiteGridDownBtn->click();
    EXPECT_EQ(page()->selectedRow(), 1);
    EXPECT_FALSE(page()->DoPostCheckBox->isChecked()); // Beta shown
    QTest::keyClick(page()->SiteGrid, Qt::Key_Down);
    EXPECT_EQ(page()->selectedRow(), 2);
    EXPECT_EQ(page()->SiteGrid->currentItem(), page()->SiteGrid->topLevelItem(2));

    // With no row selected, the controls keep what they show and nothing moves.
    page()->SiteGrid->clearSelection();
    page()->SiteGridDownBtn->click();
    EXPECT_EQ(page()->selectedRow(), -1);
    page()->DoPostCheckBox->click();
    EXPECT_EQ(page()->cell(2, PostCol), s("N"));
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(SitesTest, PostBoxRefusesAnIncompatibleSite) {
    open();
    page()->selectRow(1); // Beta, 16 bit only, for a Windows 95 application
    page()->DoPostCheckBox->click();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("errorMessage"));
    EXPECT_EQ(dialogs.calls[0].text, s("Cannot change post to yes. Applications \"Platform\" or \"Status\" is not "
                                       "compatable with engines settings!"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_FALSE(page()->DoPostCheckBox->isChecked());
    EXPECT_EQ(page()->cell(1, PostCol), s("N"));
    EXPECT_FALSE(main()->model().SiteSelectionChanged);

    page()->selectRow(0);
    page()->DoPostCheckBox->click();
    EXPECT_EQ(page()->cell(0, PostCol), s("N"));
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("1"));
    EXPECT_TRUE(main()->model().SiteSelectionChanged);
    page()->DoPostCheckBox->click();
    EXPECT_EQ(page()->cell(0, PostCol), s("Y"));
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("2"));
}

TEST_F(SitesTest, RadiosSetTheSubmitType) {
    open();
    page()->SubmitUpdateRadio->click();
    EXPECT_EQ(page()->cell(0, SubmitCol), s("Update"));
    EXPECT_TRUE(main()->model().SiteSelectionChanged); // so that closing offers to save it
    main()->model().SiteSelectionChanged = false;
    page()->SubmitUpdateRadio->click();
    EXPECT_FALSE(main()->model().SiteSelectionChanged);
    page()->SubmitNewRadio->click();
    EXPECT_EQ(page()->cell(0, SubmitCol), s("New"));
}

TEST_F(SitesTest, PopupCaptionsFollowTheRowAndItemsChangeIt) {
    open();
    page()->SiteGridPopupMenuPopup();
    EXPECT_EQ(page()->SG_PopUp_AsPost->text(), s("Set as Post UPDATE"));
    EXPECT_EQ(page()->SG_PopUp_ToPost->text(), s("Set Post To NO"));
    EXPECT_EQ(page()->SG_PopUp_ChangePostDate->text(), s("Set Last Post Date To NOW"));

    page()->SG_PopUp_ChangePostDate->trigger();
    EXPECT_EQ(page()->cell(0, LastPostCol), platform::shortDate(QDate(2026, 12, 11)));
    EXPECT_TRUE(main()->model().SiteSelectionChanged);
    page()->SG_PopUp_AsPost->trigger();
    EXPECT_EQ(page()->cell(0, SubmitCol), s("Update"));
    EXPECT_TRUE(page()->SubmitUpdateRadio->isChecked());
    page()->SG_PopUp_ToPost->trigger();
    EXPECT_EQ(page()->cell(0, PostCol), s("N"));
    EXPECT_FALSE(page()->DoPostCheckBox->isChecked());
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("1"));

    page()->SiteGridPopupMenuPopup();
    EXPECT_EQ(page()->SG_PopUp_AsPost->text(), s("Set as Post NEW"));
    EXPECT_EQ(page()->SG_PopUp_ToPost->text(), s("Set Post To YES"));
    EXPECT_EQ(page()->SG_PopUp_ChangePostDate->text(), s("Set Last Post Date To Unknown"));
    page()->SG_PopUp_ChangePostDate->trigger();
    EXPECT_EQ(page()->cell(0, LastPostCol), s("Unknown"));
    page()->SG_PopUp_AsPost->trigger();
    EXPECT_EQ(page()->cell(0, SubmitCol), s("New"));

    // "Set Post To YES" on an incompatible site is refused like the post box.
    page()->selectRow(1);
    main()->model().SiteSelectionChanged = false;
    page()->SiteGridPopupMenuPopup();
    EXPECT_EQ(page()->SG_PopUp_ToPost->text(), s("Set Post To YES"));
    page()->SG_PopUp_ToPost->trigger();
    EXPECT_EQ(page()->cell(1, PostCol), s("N"));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("errorMessage"));
}

TEST_F(SitesTest, AllButtonsAskAndChangeEveryRow) {
    open(s("Windows 3.1"), s("Shareware")); // Beta (16) posts, Omega (32) does not
    EXPECT_EQ(page()->cell(1, PostCol), s("Y"));
    EXPECT_EQ(page()->cell(3, PostCol), s("N"));

    dialogs.answers << Answer::No;
    page()->AllToUpdateBtn->click();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("yesNo"));
    EXPECT_EQ(dialogs.calls[0].text, s("Sure you want to change all to \"Update\"?"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_EQ(page()->cell(0, SubmitCol), s("New"));
    EXPECT_FALSE(main()->model().SiteSelectionChanged);

    dialogs.answers << Answer::Yes;
    page()->AllToUpdateBtn->click();
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(page()->cell(r, SubmitCol), s("Update"));
    EXPECT_TRUE(main()->model().SiteSelectionChanged);
    EXPECT_TRUE(page()->SubmitNewRadio->isChecked()); // the controls below are not refreshed

    dialogs.answers << Answer::Yes;
    page()->AllToNoPostBtn->click();
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("0"));

    // The platform changes after the build: Beta is no longer compatible.
    setAppChoice("platforms", s("Windows 95"));
    page()->setCell(1, PostCol, s("Y"));
    dialogs.answers << Answer::Yes;
    page()->AllToPostBtn->click();
    EXPECT_EQ(dialogs.texts().last(), s("Sure you want to change all to \"Post\"?"));
    EXPECT_EQ(rows(), (QStringList{
                          s("Alpha|All 16-32|Update|NOT SET!|NOT SET!|Y|N|N|N|Unknown|Y"),
                          s("Beta|All 16|Update|N/A|N/A|N|Y|Y|N|Unknown|Y"),
                          s("Gamma|Free 16-32|Update|N/A|N/A|N|N|N|Y|Unknown|N"),
                          s("Omega|All 32|Update|NOT SET!|N/A|N|N|N|N|Unknown|Y"),
                      }));
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("2")); // Beta keeps its Y but is not counted

    dialogs.answers << Answer::Yes;
    page()->AllToNewBtn->click();
    EXPECT_EQ(page()->cell(2, SubmitCol), s("New"));
    EXPECT_EQ(dialogs.texts().last(), s("Sure you want to change all to \"New\"?"));
}

TEST_F(SitesTest, SavedChangesSurviveARestartAndCloseAsksNoMore) {
    open();
    page()->selectRow(0);
    QTest::keyClick(page()->CatCombo1, Qt::Key_Down);
    page()->SubmitUpdateRadio->click();
    EXPECT_EQ(page()->cell(0, Category1Col), s("Utilities"));
    EXPECT_TRUE(main()->model().SiteSelectionChanged);

    page()->AppSiteChangeBtn->click();
    EXPECT_FALSE(main()->model().SiteSelectionChanged);
    EXPECT_TRUE(selectionFile().startsWith("Alpha\xb1Update\xb1Utilities\xb1NOT SET!\xb1Unknown\xb1Y\r\n"));
    EXPECT_TRUE(closeMain());
    EXPECT_TRUE(dialogs.calls.isEmpty());

    program.reset();
    open();
    EXPECT_EQ(page()->cell(0, SubmitCol), s("Update"));
    EXPECT_EQ(page()->cell(0, Category1Col), s("Utilities"));
    EXPECT_EQ(page()->CatCombo1->currentText(), s("Utilities"));

    // An unsaved change brings the prompt, and Yes writes it.
    page()->SG_PopUp_ChangePostDate->trigger();
    dialogs.answers << Answer::Yes;
    EXPECT_TRUE(closeMain());
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text, s("Would you like to save Site Engine Info?"));
    EXPECT_TRUE(selectionFile().startsWith("Alpha\xb1Update\xb1Utilities\xb1NOT SET!\xb1" +
                                           platform::text::toCp1252(platform::shortDate(QDate(2026, 12, 11))) +
                                           "\xb1Y\r\n"));
}

TEST_F(SitesTest, GoToUrlOpensTheSitesPage) {
    open();
    page()->AppSiteGoUrlBtn->click();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("openUrl"));
    EXPECT_EQ(dialogs.calls[0].text, s("http://alpha.example/"));

    dialogs.clear();
    page()->selectRow(2);
    page()->SG_PopUp_GoToURL->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("message"));
    EXPECT_EQ(dialogs.calls[0].text, s("No URL defined for this site!"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);

    dialogs.clear();
    QTreeWidget* grid = page()->SiteGrid;
    const QRect first = grid->visualItemRect(grid->topLevelItem(0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, first.center());
    ASSERT_FALSE(dialogs.calls.isEmpty());
    EXPECT_EQ(dialogs.calls.last().text, s("http://alpha.example/"));
}

TEST_F(SitesTest, ViewInSiteBuilderLoadsTheEngineOfTheRowsName) {
    open();
    QComboBox* engines = main()->SiteBuilderSheet->EB_SiteNameCombo;
    ASSERT_EQ(engines->count(), 5) << "the Site Builder lists every engine";
    page()->selectRow(3); // Omega: row 3, but engine 4 behind Ghost, which has no row
    page()->SG_PopUp_GoToSiteBuilder->trigger();
    EXPECT_EQ(main()->activePage(), main()->SiteBuilderSheet);
    EXPECT_EQ(engines->currentIndex(), 4);
    EXPECT_EQ(engines->currentText(), s("Omega"));
}

TEST_F(SitesTest, VerifiedTallyRefusesUnsetCategoriesAndAnEmptyTally) {
    open();
    main()->setActivePage(main()->SubmitSheet);
    dialogs.clear();
    // Alpha is posted with its categories not set.
    EXPECT_FALSE(page()->CountSitesToPost(true));
    ASSERT_FALSE(dialogs.calls.isEmpty());
    EXPECT_EQ(dialogs.calls[0].kind, s("errorMessage"));
    EXPECT_EQ(dialogs.calls[0].text,
              s("You have a site set to post against that needs a category set. Please set before posting!"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_EQ(main()->activePage(), page());

    page()->setCell(0, Category1Col, s("Games"));
    page()->setCell(0, Category2Col, s("Puzzle"));
    page()->setCell(3, Category1Col, s("Tools"));
    page()->selectRow(2);
    int shownTotal = -1;
    page()->TallyShown = [&](int total) { shownTotal = total; };
    PostStats asked;
    page()->VerifySubmission = [&](const PostStats& stats) {
        asked = stats;
        return false;
    };
    EXPECT_FALSE(page()->CountSitesToPost(true)); // the user cancels the verification
    EXPECT_EQ(asked, (PostStats{2, 2, 0, 1, 0, 0, 0}));
    EXPECT_EQ(shownTotal, -1);
    page()->VerifySubmission = [](const PostStats&) { return true; };
    EXPECT_TRUE(page()->CountSitesToPost(true));
    EXPECT_EQ(shownTotal, 2);

    dialogs.clear();
    page()->setCell(0, PostCol, s("N"));
    page()->setCell(3, PostCol, s("N"));
    EXPECT_FALSE(page()->CountSitesToPost(true));
    ASSERT_FALSE(dialogs.calls.isEmpty());
    EXPECT_EQ(dialogs.calls[0].text, s("You do not have any sites set to post!"));
    EXPECT_EQ(page()->selectedRow(), 0);
}

TEST_F(SitesTest, UseGridLinesIsWrittenAtOnce) {
    open();
    EXPECT_FALSE(page()->gridLines());
    page()->UseGridLinesChk->click();
    EXPECT_TRUE(page()->gridLines());
    EXPECT_TRUE(main()->model().UseGridLines);
    EXPECT_TRUE(dir.read(s("settings.dat")).contains("UseGridLines=1\r\n"));
    page()->UseGridLinesChk->click();
    EXPECT_FALSE(page()->gridLines());
    EXPECT_TRUE(dir.read(s("settings.dat")).contains("UseGridLines=0\r\n"));
}

TEST_F(SitesTest, UnwritableSelectionFileIsReportedAndThePageStaysUsable) {
    open();
    ASSERT_TRUE(QFile::remove(dir.file(s("data/PhotoTidy_SITES.dat"))));
    ASSERT_TRUE(QDir().mkpath(dir.file(s("data/PhotoTidy_SITES.dat")))); // a folder where the file goes
    page()->SubmitUpdateRadio->click();
    EXPECT_THROW(page()->AppSiteChangeBtnClick(), platform::FileError);
    EXPECT_TRUE(main()->model().SiteSelectionChanged);

    EXPECT_THROW(page()->BuildSiteGrid(), platform::FileError);
    EXPECT_FALSE(main()->model().GridBuilding);
    EXPECT_EQ(page()->SiteGridCountLbl->text(), s("4"));
    EXPECT_EQ(page()->TotalToPostLbl->text(), s("2"));
    EXPECT_TRUE(page()->DoPostCheckBox->isChecked());
    page()->selectRow(1);
    EXPECT_FALSE(page()->DoPostCheckBox->isChecked()); // selecting still shows the row
}

// New Site and Delete Site in the Site Builder change the engine list the
// grid follows: unsaved grid edits stay, unsaved, for the close question.
TEST_F(SitesTest, NewAndDeletedSitesKeepUnsavedGridEdits) {
    open();
    auto sites = [this] {
        QStringList names;
        for (int i = 0; i < page()->rowCount(); ++i)
            names << page()->cell(i, SiteCol);
        return names;
    };
    auto rowOf = [&](const char* site) { return int(sites().indexOf(s(site))); };
    page()->selectRow(rowOf("Gamma"));
    page()->SG_PopUp_ToPost->trigger(); // Gamma: post "N"
    ASSERT_EQ(page()->cell(rowOf("Gamma"), PostCol), s("N"));
    ASSERT_TRUE(main()->model().SiteSelectionChanged);
    const QByteArray saved = selectionFile();

    TSiteBuilderPage* builder = main()->SiteBuilderSheet;
    dialogs.onModal = [](QDialog& form) {
        form.findChild<QLineEdit*>(s("Edit1"))->setText(s("Delta"));
        return int(QDialog::Accepted);
    };
    builder->EB_AddNewSiteBtn->click();
    EXPECT_EQ(sites(), (QStringList{s("Alpha"), s("Beta"), s("Delta"), s("Gamma"), s("Omega")}));
    EXPECT_EQ(page()->cell(rowOf("Delta"), SubmitCol), s("New"));
    EXPECT_EQ(page()->cell(rowOf("Gamma"), PostCol), s("N"));

    main()->model().requestEngine(s("Beta"));
    dialogs.answers << Answer::Yes;
    builder->EB_DeleteSiteBtn->click();
    EXPECT_EQ(sites(), (QStringList{s("Alpha"), s("Delta"), s("Gamma"), s("Omega")}));
    EXPECT_EQ(page()->cell(rowOf("Gamma"), PostCol), s("N"));
    EXPECT_EQ(page()->SiteGridCountLbl->text(), s("4"));
    EXPECT_TRUE(main()->model().SiteSelectionChanged);
    EXPECT_EQ(selectionFile(), saved) << "nothing is written without the user's word";

    // The close question offers them, and Yes writes the rows as they are now.
    dialogs.clear();
    main()->model().CompanySaved = main()->model().AppSaved = true; // the test set the profile's fields
    dialogs.answers << Answer::Yes << Answer::No;
    EXPECT_TRUE(closeMain());
    EXPECT_EQ(dialogs.texts().value(0), s("Would you like to save Site Engine Info?"));
    const QString file = platform::text::fromCp1252(selectionFile());
    EXPECT_TRUE(file.contains(s("Gamma\xc2\xb1New\xc2\xb1N/A\xc2\xb1N/A\xc2\xb1Unknown\xc2\xb1N\r\n"))) << qPrintable(file);
    EXPECT_TRUE(file.contains(s("Delta\xc2\xb1"))) << qPrintable(file);
    EXPECT_FALSE(file.contains(s("Beta\xc2\xb1"))) << qPrintable(file);
}
