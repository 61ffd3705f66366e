// The Company Info and App Info pages on the real main window: the name
// entry, the profile files, the key rules of the fields, the application list
// that follows the company, the save prompts and a restart that finds all.
#include "ProgramFixture.h"

#include "platform/IniFile.h"
#include "profiles/AppInfoPage.h"
#include "profiles/CompanyInfoPage.h"
#include "selection/SitesPage.h"
#include "model/TGWide.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <map>
#include <memory>

using Answer = platform::Dialogs::Answer;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

const char* const CompanyKeys[] = {"CONAME", "BHSID", "CONTACT", "CTITLE", "CEMAIL",   "CPHONE", "CFAX",
                                   "CADDR",  "CCITY", "CSTATE",  "CZIP",   "CCOUNTRY", "CURL",   "CCMAIL"};
const char* const AppKeys[] = {"FILENAME",  "NAME",     "8CHAR",  "VERSION",    "DAY",       "MONTH",      "YEAR",
                               "PLATFORM",  "DSTATUS",  "SIZE32", "INSTSIZE32", "SIZE16",    "INSTSIZE16", "PRICE",
                               "STATUS",    "EVAL",     "XDATE",  "XDAYS",      "installer", "APPURL",     "DL1_32",
                               "DL2_32",    "DL3_32",   "DL4_32", "DL1_16",     "DL2_16",    "DL3_16",     "DL4_16",
                               "SHOT",      "GIF",      "ICO",    "PATH",       "ICOPATH",   "GIFPATH",    "SCREENPATH",
                               "OTHERPATH", "SHORTDESC"};

template <size_t N> QStringList keyList(const char* const (&keys)[N]) {
    QStringList list;
    for (const char* key : keys)
        list << s(key);
    return list;
}

// The value a field shows, whatever kind of control it is.
QString shown(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* box = qobject_cast<QComboBox*>(w))
        return box->currentText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
        return memo->toPlainText();
    if (auto* list = qobject_cast<QListWidget*>(w))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return s("<no field>");
}

class ProfilesTest : public ProgramFixture {
protected:
    TCompanyInfoPage* company() const { return main()->CompanyInfoSheet; }
    TAppInfoPage* app() const { return main()->AppInfoSheet; }
    QWidget* field(const char* name) const { return find<QWidget>(name); }

    // The name entry dialogs are answered in turn: each name is typed into
    // Edit1 and confirmed; "<cancel>" cancels. The titles are recorded, and
    // whether each dialog came up empty.
    QStringList modalTitles;
    bool entryShownEmpty = true;
    void typeNames(const QStringList& names) {
        auto queue = std::make_shared<QStringList>(names);
        dialogs.onModal = [this, queue](QDialog& form) {
            modalTitles << form.windowTitle();
            auto* edit = form.findChild<QLineEdit*>(s("Edit1"));
            entryShownEmpty = entryShownEmpty && edit && edit->text().isEmpty();
            if (queue->isEmpty() || queue->front() == s("<cancel>")) {
                if (!queue->isEmpty())
                    queue->removeFirst();
                return int(QDialog::Rejected);
            }
            edit->setText(queue->takeFirst());
            return int(QDialog::Accepted);
        };
    }

    QStringList companies() const {
        QStringList names;
        for (int i = 0; i < company()->compname->count(); ++i)
            names << company()->compname->itemText(i);
        return names;
    }
    QStringList apps() const {
        QStringList names;
        for (int i = 0; i < app()->AppName->count(); ++i)
            names << app()->AppName->item(i)->text();
        return names;
    }
    QStringList errorTitles() const {
        QStringList titles;
        for (const auto& call : dialogs.calls)
            if (call.kind == s("error"))
                titles << call.title;
        return titles;
    }
    QStringList callsOf(const char* kind) const {
        QStringList texts;
        for (const auto& call : dialogs.calls)
            if (call.kind == QLatin1String(kind))
                texts << call.text;
        return texts;
    }
    QStringList filesIn(const char* folder) const {
        return QDir(dir.file(s(folder))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList iniKeys(const char* file, const char* section) const {
        return platform::IniFile(dir.file(s(file))).sectionKeys(s(section));
    }
    QString iniValue(const char* file, const char* section, const char* key) const {
        return platform::IniFile(dir.file(s(file))).readString(s(section), s(key));
    }

    // Acme Software with the applications Tool and Gizmo, Blue Fern with Game.
    void writeTwoCompanies() {
        dir.write(s("companies/companies.dat"), "Acme Software\r\nBlue Fern\r\n");
        dir.write(
            s("companies/Acme Software.dat"),
            "[COMPANY]\r\nCONAME=Acme Software\r\nBHSID=4711\r\nCONTACT=Ann Smith\r\nCEMAIL=ann@acme.example\r\n");
        dir.write(s("companies/Blue Fern.dat"), "[COMPANY]\r\nCONAME=Blue Fern\r\nCONTACT=Bob Fern\r\n");
        dir.write(s("data/Acme Software Apps.dat"), "Tool\r\nGizmo\r\n");
        dir.write(s("data/Blue Fern Apps.dat"), "Game\r\n");
        dir.write(s("data/Tool.dat"), "[APPINFO]\r\nVERSION=1.0\r\nDAY=4\r\nMONTH=7\r\nYEAR=98\r\n"
                                      "PLATFORM=Windows 95\r\nSTATUS=Shareware\r\nICOPATH=/art/tool.ico\r\n");
        dir.write(s("data/Tool.lds"), "Tool sorts things.\r\nSecond line.\r\n");
        dir.write(s("data/Gizmo.dat"), "[APPINFO]\r\nVERSION=2.0\r\nPLATFORM=Windows 98\r\n");
        dir.write(s("data/Game.dat"), "[APPINFO]\r\nVERSION=3.0\r\n");
        dir.write(s("data/Game.lds"), "A game.\r\n");
    }

    // One engine, so that the Sites grid has a row to build.
    void writeOneEngine() const {
        dir.write(s("sites/Sites.dat"), "Alpha\r\n");
        dir.write(s("sites/Alpha.ini"), "[SETTINGS]\r\nUSE_HTTP_POST=1\r\n");
    }

    void answer(std::initializer_list<Answer> answers) {
        dialogs.answers.clear();
        for (Answer a : answers)
            dialogs.answers.enqueue(a);
    }

    void leave(QWidget* w, Qt::FocusReason reason = Qt::TabFocusReason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(w, &out);
    }
};

TEST_F(ProfilesTest, PagesShowTheirControlsInsideTheFrame) {
    writeTwoCompanies();
    start();
    struct Caption {
        const char *name, *text;
    };
    const Caption captions[] = {
        {"NewCompanyBtn", "New Company"},
        {"DeleteCompanyBtn", "Delete Company"},
        {"SaveCompanyBtn", "Save Company"},
        {"BHSIDBtn", "BHS ID#"},
        {"compnameLbl", "Company Name"},
        {"pubpageLbl", "Company Home Page"},
        {"constateLbl", "Contact State/Province"},
        {"conzipLbl", "Contact Postal (Zip)"},
        {"NewAppBtn", "New Application"},
        {"DeleteAppBtn3", "Delete Application"},
        {"SaveAppBtn2", "Save Application"},
        {"monthLbl", "Release Month:"},
        {"expiredateLbl", "Expiration Date (day-month-year):"},
        {"priceLbl", "Price: $"},
        {"Download32Group", "32 Bit Download Locations:"},
        {"dl4_16Lbl", "URL#4:"},
        {"localpathLbl", "Full Local Path to File Archive"},
        {"AttachmentsGroup", "Local Paths to E-Mail Attachments:"},
        {"IcoFileEditLbl", ".Ico Icon:"},
        {"NotesToReviewerLbl", "Notes to reviewer if applicable.  (Reg code offer, Version Update Changes, etc.)"},
    };
    for (const Caption& c : captions) {
        QWidget* w = field(c.name);
        ASSERT_NE(w, nullptr) << c.name;
        const QString text =
            qobject_cast<QGroupBox*>(w) ? static_cast<QGroupBox*>(w)->title() : w->property("text").toString();
        EXPECT_EQ(text, s(c.text)) << c.name;
    }
    QStringList inner;
    for (int i = 0; i < app()->PageControl2->count(); ++i)
        inner << app()->PageControl2->tabText(i);
    EXPECT_EQ(inner, (QStringList{s("General"), s("Locations"), s("Description")}));

    struct Limit {
        const char* name;
        int maxLength;
    };
    for (const Limit& l : {Limit{"filename", 16}, Limit{"char8name", 8}, Limit{"day", 2}, Limit{"month", 2},
                           Limit{"year", 2}, Limit{"shortdesc", 46}})
        EXPECT_EQ(find<QLineEdit>(l.name)->maxLength(), l.maxLength) << l.name;
    for (const char* name : {"platforms", "diststatus", "status", "installer", "compname"})
        EXPECT_FALSE(find<QComboBox>(name)->isEditable()) << name;
    EXPECT_EQ(app()->specreq->text(), s("None"));

    // Every control lies inside its page and is wide and high enough for its text.
    main()->setActivePage(company());
    const QList<QWidget*> sheets{company(), app()->GeneralSheet, app()->LocationsSheet, app()->DescriptionSheet};
    for (QWidget* sheet : sheets) {
        if (sheet != company()) {
            main()->PageControl1->setCurrentWidget(app());
            app()->PageControl2->setCurrentWidget(sheet);
        }
        QApplication::processEvents();
        const QRect area = sheet->rect();
        EXPECT_GE(area.width(), sheet == company() ? 590 : 578) << qPrintable(sheet->objectName());
        EXPECT_GE(area.height(), sheet == company() ? 380 : 346) << qPrintable(sheet->objectName());
        for (QWidget* w : sheet->findChildren<QWidget*>()) {
            if (w->isWindow() || !w->objectName().size())
                continue;
            const QRect inParent = w->geometry();
            const QRect bounds = w->parentWidget() == sheet ? area : w->parentWidget()->rect();
            EXPECT_TRUE(bounds.contains(inParent))
                << qPrintable(w->objectName()) << " " << inParent.x() << "," << inParent.y() << " " << inParent.width()
                << "x" << inParent.height() << " in " << bounds.width() << "x" << bounds.height();
            if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_GE(w->width(), w->sizeHint().width()) << qPrintable(w->objectName());
                EXPECT_GE(w->height(), w->sizeHint().height() - 4) << qPrintable(w->objectName());
            }
            if (auto* box = qobject_cast<QComboBox*>(w)) {
                EXPECT_GE(w->width(), box->minimumSizeHint().width()) << qPrintable(w->objectName());
            }
        }
    }
}

TEST_F(ProfilesTest, NewCompanyTrimsChecksAndKeepsTheListSorted) {
    start();
    typeNames({s("  Acme")});
    company()->NewCompanyBtn->click();
    EXPECT_EQ(companies(), QStringList{s("Acme")});
    EXPECT_EQ(company()->companyName(), s("Acme"));
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray("Acme\r\n"));
    QByteArray profile("[COMPANY]\r\nCONAME=Acme\r\n");
    for (const char* key : CompanyKeys)
        if (qstrcmp(key, "CONAME") != 0)
            profile += QByteArray(key) + "=\r\n";
    EXPECT_EQ(dir.read(s("companies/Acme.dat")), profile);
    EXPECT_TRUE(main()->model().CompanySaved);
    EXPECT_EQ(modalTitles, QStringList{s("New Company Name")});

    const QString duplicate = s("The company name you entered is already on the list!");
    struct Case {
        QStringList typed;
        QStringList errors; // titles of the error boxes, in order
        const char* created;
    };
    const Case cases[] = {
        {{s("Acme"), s("<cancel>")}, {s("COMPANY NAME DUPLICATE")}, nullptr},
        {{s(" Acme"), s("<cancel>")}, {s("COMPANY NAME DUPLICATE")}, nullptr},
        {{s("   ")}, {}, nullptr},
        {{s("")}, {}, nullptr},
        {{s("<cancel>")}, {}, nullptr},
        {{s("a/b"), s(".."), s("."), s("x\\y"), s("tab\tname"), s("<cancel>")},
         {s("COMPANY NAME INVALID"), s("COMPANY NAME INVALID"), s("COMPANY NAME INVALID"), s("COMPANY NAME INVALID"),
          s("COMPANY NAME INVALID")},
         nullptr},
        {{s("Acme"), s("acme")}, {s("COMPANY NAME DUPLICATE")}, "acme"},
        {{s("Zed")}, {}, "Zed"},
        {{s("beta")}, {}, "beta"},
        {{s("alpha")}, {}, "alpha"},
    };
    for (const Case& c : cases) {
        const QStringList before = companies();
        const QStringList filesBefore = filesIn("companies");
        dialogs.clear();
        modalTitles.clear();
        typeNames(c.typed);
        company()->NewCompanyBtn->click();
        const QString what = c.typed.join(s("|"));
        EXPECT_EQ(modalTitles.size(), c.typed.size()) << qPrintable(what);
        EXPECT_EQ(errorTitles(), c.errors) << qPrintable(what);
        for (const auto& call : dialogs.calls)
            if (call.kind == s("error")) {
                EXPECT_TRUE(call.beepBefore);
                EXPECT_TRUE(call.instruction.isEmpty());
                if (call.title == s("COMPANY NAME DUPLICATE")) {
                    EXPECT_EQ(call.text, duplicate);
                } else {
                    EXPECT_FALSE(call.text.isEmpty());
                }
            }
        if (c.created) {
            EXPECT_TRUE(companies().contains(s(c.created))) << c.created;
            EXPECT_EQ(company()->companyName(), s(c.created));
            EXPECT_TRUE(dir.exists(s("companies/") + s(c.created) + s(".dat"))) << c.created;
        } else {
            EXPECT_EQ(companies(), before) << qPrintable(what);
            EXPECT_EQ(filesIn("companies"), filesBefore) << qPrintable(what);
        }
    }
    EXPECT_TRUE(entryShownEmpty);
    EXPECT_EQ(companies(), (QStringList{s("Acme"), s("acme"), s("alpha"), s("beta"), s("Zed")}));
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray("Acme\r\nacme\r\nalpha\r\nbeta\r\nZed\r\n"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(s("a"))));
    EXPECT_FALSE(QFileInfo::exists(dir.file(s("companies/a"))));
}

TEST_F(ProfilesTest, NewCompanyClearsThePageAndSavesOnlyTheName) {
    writeTwoCompanies();
    start();
    ASSERT_EQ(company()->conname->text(), s("Ann Smith"));
    typeNames({s("Cee")});
    company()->NewCompanyBtn->click();
    EXPECT_EQ(companies(), (QStringList{s("Acme Software"), s("Blue Fern"), s("Cee")}));
    for (const char* name : {"conname", "contitle", "conmail", "conphone", "confax", "conaddr", "concity", "constate",
                             "conzip", "concountry", "pubpage", "pubmail"})
        EXPECT_TRUE(find<QLineEdit>(name)->text().isEmpty()) << name;
    EXPECT_TRUE(main()->model().BHSID.isEmpty());
    EXPECT_EQ(iniKeys("companies/Cee.dat", "COMPANY"), keyList(CompanyKeys));
    EXPECT_EQ(iniValue("companies/Cee.dat", "COMPANY", "BHSID"), QString());
    EXPECT_TRUE(main()->model().CompanySaved);
}

TEST_F(ProfilesTest, DeleteCompanyRemovesOnlyTheListEntry) {
    writeTwoCompanies();
    start();
    ASSERT_EQ(company()->companyName(), s("Acme Software"));

    answer({Answer::No});
    company()->DeleteCompanyBtn->click();
    EXPECT_EQ(companies(), (QStringList{s("Acme Software"), s("Blue Fern")}));
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray("Acme Software\r\nBlue Fern\r\n"));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, s("yesNo"));
    EXPECT_EQ(dialogs.calls[0].text, s("Delete This Company ?"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    answer({Answer::Yes});
    company()->DeleteCompanyBtn->click();
    EXPECT_EQ(companies(), QStringList{s("Blue Fern")});
    EXPECT_EQ(company()->companyName(), s("Blue Fern"));
    EXPECT_EQ(company()->conname->text(), s("Bob Fern"));
    EXPECT_EQ(apps(), QStringList{s("Game")});
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray("Blue Fern\r\n"));

    answer({Answer::Yes});
    company()->DeleteCompanyBtn->click();
    EXPECT_TRUE(companies().isEmpty());
    EXPECT_TRUE(company()->companyName().isEmpty());
    EXPECT_TRUE(company()->conname->text().isEmpty());
    EXPECT_TRUE(apps().isEmpty());
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray());
    EXPECT_TRUE(main()->model().CompanySaved);
    EXPECT_TRUE(main()->model().AppSaved);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    for (const char* file : {"companies/Acme Software.dat", "companies/Blue Fern.dat", "data/Acme Software Apps.dat",
                             "data/Blue Fern Apps.dat", "data/Tool.dat", "data/Game.dat"})
        EXPECT_TRUE(dir.exists(s(file))) << file;
}

TEST_F(ProfilesTest, SelectingACompanyLoadsItAndCountsAsAnEdit) {
    writeTwoCompanies();
    dir.write(s("companies/companies.dat"), "Blue Fern\r\nAcme Software\r\nNo File\r\n");
    start();
    // The list is shown sorted whatever the file's order.
    EXPECT_EQ(companies(), (QStringList{s("Acme Software"), s("Blue Fern"), s("No File")}));
    EXPECT_EQ(company()->conname->text(), s("Ann Smith"));
    EXPECT_EQ(company()->conmail->text(), s("ann@acme.example"));
    EXPECT_EQ(main()->model().BHSID, s("4711"));
    EXPECT_TRUE(main()->model().CompanySaved);

    company()->compname->setCurrentIndex(1);
    EXPECT_EQ(company()->conname->text(), s("Bob Fern"));
    EXPECT_TRUE(company()->conmail->text().isEmpty());
    EXPECT_TRUE(main()->model().BHSID.isEmpty());
    EXPECT_FALSE(main()->model().CompanySaved);

    // A company without a profile file leaves the page as it was.
    company()->conaddr->setText(s("1 Fern Lane"));
    company()->compname->setCurrentIndex(2);
    EXPECT_EQ(company()->conname->text(), s("Bob Fern"));
    EXPECT_EQ(company()->conaddr->text(), s("1 Fern Lane"));
    // Loading Blue Fern's application counted as an edit of it: the change
    // asks about it before the application list is replaced (answered No).
    EXPECT_EQ(dialogs.texts(), QStringList{s("Would you like to save Game?")});

    company()->SaveCompanyBtn->click();
    EXPECT_TRUE(main()->model().CompanySaved);
    EXPECT_EQ(iniKeys("companies/No File.dat", "COMPANY"), keyList(CompanyKeys));
    EXPECT_EQ(iniValue("companies/No File.dat", "COMPANY", "CONAME"), s("No File"));
    EXPECT_EQ(iniValue("companies/No File.dat", "COMPANY", "CADDR"), s("1 Fern Lane"));
    // Saving does not add to the list.
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray("Blue Fern\r\nAcme Software\r\nNo File\r\n"));
}

TEST_F(ProfilesTest, TypedKeysFollowTheFieldRules) {
    writeTwoCompanies();
    start();
    struct Case {
        const char* field;
        const char* typed;
        const char* expected;
        int beeps;
    };
    const Case cases[] = {
        {"pubpage", "www.a b.example", "www.ab.example", 0},
        {"pubmail", "sales @acme", "sales@acme", 0},
        {"conname", "Ann  B$", "Ann  B$", 0},
        {"compname", "Blue", "Acme Software", 0},
        {"bytesize32", "1a2", "12", 1},
        {"instsize32", "9 x", "9", 2},
        {"bytesize16", "-5", "5", 1},
        {"instsize16", "4.2", "42", 1},
        {"day", "3x", "3", 1},
        {"month", "1$2", "12", 1},
        {"year", "9 8", "98", 1},
        {"day", "123", "12", 0},
        {"price", "$9.95", "9.95", 0},
        {"shortdesc", "a$b c", "ab c", 0},
        {"longdesc", "a$b c", "ab c", 0},
        {"NotesToReviewer", "$x y", "x y", 0},
        {"version", "2.0 $", "2.0 $", 0},
        {"char8name", "abcdefghij", "abcdefgh", 0},
        {"filename", "a file name of 20 ch", "a file name of 2", 0},
        {"platforms", "Windows", "", 0},
        {"diststatus", "A", "", 0},
        {"status", "S", "", 0},
        {"installer", "N", "", 0},
        {"AppName", "G", "Tool", 0},
    };
    const char* urls[] = {"appurl", "dl1_32", "dl2_32", "dl3_32",     "dl4_32",     "dl1_16",
                          "dl2_16", "dl3_16", "dl4_16", "screenshot", "URLGifEdit", "URLIcoEdit"};
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const char* url : urls)
        all.push_back({url, "http://a b/", "http://ab/", 0});
    for (const char* choice : {"platforms", "diststatus", "status", "installer"})
        find<QComboBox>(choice)->setCurrentIndex(-1);

    for (const Case& c : all) {
        QWidget* w = field(c.field);
        ASSERT_NE(w, nullptr) << c.field;
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->clear();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
            memo->clear();
        dialogs.clear();
        QTest::keyClicks(w, s(c.typed));
        EXPECT_EQ(shown(w), s(c.expected)) << c.field << " typed " << c.typed;
        EXPECT_EQ(dialogs.calls.size(), c.beeps) << c.field << " typed " << c.typed;
        for (const auto& call : dialogs.calls)
            EXPECT_EQ(call.kind, s("defaultBeep"));
    }

    // Nor can a choice be typed into the open list of a choice box.
    QAbstractItemView* list = app()->status->view();
    const QModelIndex before = list->currentIndex();
    QTest::keyClicks(list, s("Free"));
    EXPECT_EQ(list->currentIndex(), before);

    // Backspace is a typed key that passes; pasted text is not filtered.
    QLineEdit* day = app()->day;
    day->setText(s("12"));
    QTest::keyClick(day, Qt::Key_Backspace);
    EXPECT_EQ(day->text(), s("1"));
    QGuiApplication::clipboard()->setText(s("a b$"));
    for (const char* name : {"pubpage", "bytesize32", "appurl", "price"}) {
        auto* edit = find<QLineEdit>(name);
        edit->clear();
        dialogs.clear();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), s("a b$")) << name;
        EXPECT_TRUE(dialogs.calls.isEmpty()) << name;
    }
}

TEST_F(ProfilesTest, NewApplicationWithoutCompanyLeadsToNewCompany) {
    start();
    typeNames({s("<cancel>")});
    main()->setActivePage(company());
    app()->NewAppBtn->click();
    ASSERT_GE(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].kind, s("errorMessage"));
    EXPECT_EQ(dialogs.calls[0].text, s("You have not entered a company yet!"));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);
    EXPECT_EQ(modalTitles, QStringList{s("New Company Name")});
    EXPECT_EQ(main()->PageControl1->currentWidget(), company());
    EXPECT_TRUE(filesIn("data").isEmpty());
}

TEST_F(ProfilesTest, NewApplicationAppendsWritesItsFilesAndKeepsTheChoices) {
    writeTwoCompanies();
    writeOneEngine();
    start();
    ASSERT_EQ(app()->appName(), s("Tool"));
    ASSERT_EQ(app()->platforms->currentText(), s("Windows 95"));
    const QByteArray fernList = dir.read(s("data/Blue Fern Apps.dat"));
    const QByteArray game = dir.read(s("data/Game.dat"));

    typeNames({s("Tool"), s(" Tool"), s("Game"), s("a/b"), s(" Tool2")});
    find<QPushButton>("NewAppBtn2")->click();
    EXPECT_EQ(modalTitles, QStringList(5, s("New Application Name")));
    EXPECT_TRUE(entryShownEmpty);
    EXPECT_EQ(errorTitles(), (QStringList{s("APP NAME DUPLICATE"), s("APP NAME DUPLICATE"), s("APP NAME DUPLICATE"),
                                          s("APP NAME INVALID")}));
    const QStringList errors = callsOf("error");
    EXPECT_EQ(errors[0], s("The App name you entered is already on the list!"));
    EXPECT_EQ(errors[1], s("The App name you entered is already on the list!"));
    EXPECT_TRUE(errors[2].contains(s("Blue Fern"))) << qPrintable(errors[2]);

    EXPECT_EQ(apps(), (QStringList{s("Tool"), s("Gizmo"), s("Tool2")}));
    EXPECT_EQ(app()->appName(), s("Tool2"));
    EXPECT_EQ(dir.read(s("data/Acme Software Apps.dat")), QByteArray("Tool\r\nGizmo\r\nTool2\r\n"));
    EXPECT_EQ(dir.read(s("data/Blue Fern Apps.dat")), fernList);
    EXPECT_EQ(dir.read(s("data/Game.dat")), game);
    EXPECT_EQ(iniKeys("data/Tool2.dat", "COMPANY"), keyList(CompanyKeys));
    EXPECT_EQ(iniKeys("data/Tool2.dat", "APPINFO"), keyList(AppKeys));
    EXPECT_EQ(platform::IniFile(dir.file(s("data/Tool2.dat"))).readString(s("COMPANY"), s("CONTACT")), s("Ann Smith"));
    EXPECT_EQ(iniValue("data/Tool2.dat", "APPINFO", "NAME"), s("Tool2"));
    EXPECT_EQ(iniValue("data/Tool2.dat", "APPINFO", "VERSION"), QString());
    // The choice boxes and the attachment paths are those of the application shown before.
    EXPECT_EQ(iniValue("data/Tool2.dat", "APPINFO", "PLATFORM"), s("Windows 95"));
    EXPECT_EQ(iniValue("data/Tool2.dat", "APPINFO", "ICOPATH"), s("/art/tool.ico"));
    EXPECT_TRUE(app()->longdesc->toPlainText().isEmpty());
    EXPECT_TRUE(app()->specreq->text().isEmpty());
    EXPECT_EQ(dir.read(s("data/Tool2.lds")), QByteArray());
    EXPECT_EQ(dir.read(s("data/Tool2.nts")), QByteArray());
    EXPECT_TRUE(dir.exists(s("data/Tool.lds")));
    EXPECT_EQ(dir.read(s("data/Tool.lds")), QByteArray("Tool sorts things.\r\nSecond line.\r\n"));
    EXPECT_TRUE(main()->model().AppSaved);
}

TEST_F(ProfilesTest, DeleteApplicationKeepsTheProfileAndDropsTheSelection) {
    writeTwoCompanies();
    writeOneEngine();
    start();
    ASSERT_TRUE(dir.exists(s("data/Tool_SITES.dat")));

    answer({Answer::No});
    find<QPushButton>("DeleteAppBtn3")->click();
    EXPECT_EQ(apps(), (QStringList{s("Tool"), s("Gizmo")}));
    EXPECT_EQ(dialogs.texts(), QStringList{s("Delete This Application ?")});
    EXPECT_TRUE(dialogs.calls[0].beepBefore);

    answer({Answer::Yes});
    app()->DeleteAppBtn->click();
    EXPECT_EQ(apps(), QStringList{s("Gizmo")});
    EXPECT_EQ(app()->appName(), s("Gizmo"));
    EXPECT_EQ(app()->version->text(), s("2.0"));
    EXPECT_FALSE(dir.exists(s("data/Tool_SITES.dat")));
    EXPECT_EQ(dir.read(s("data/Acme Software Apps.dat")), QByteArray("Gizmo\r\n"));

    app()->IcoFileEdit->setText(s("/art/gizmo.ico"));
    answer({Answer::Yes});
    find<QPushButton>("DeleteAppBtn2")->click();
    EXPECT_TRUE(apps().isEmpty());
    EXPECT_EQ(dir.read(s("data/Acme Software Apps.dat")), QByteArray());
    EXPECT_TRUE(app()->version->text().isEmpty());
    EXPECT_TRUE(app()->longdesc->toPlainText().isEmpty());
    EXPECT_EQ(app()->platforms->currentText(), s("Windows 98"));
    EXPECT_EQ(app()->IcoFileEdit->text(), s("/art/gizmo.ico"));
    EXPECT_TRUE(main()->model().AppSaved);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    for (const char* file : {"data/Tool.dat", "data/Tool.lds", "data/Gizmo.dat"})
        EXPECT_TRUE(dir.exists(s(file))) << file;
}

TEST_F(ProfilesTest, LoadAppKeepsAMissingDescriptionAndStopsAtABadMonth) {
    writeTwoCompanies();
    dir.write(s("data/Acme Software Apps.dat"), "Tool\r\nGizmo\r\nBad\r\n");
    dir.write(s("data/Bad.dat"), "[APPINFO]\r\nVERSION=9.9\r\nDAY=1\r\nMONTH=ab\r\nYEAR=99\r\n");
    start();
    EXPECT_EQ(app()->longdesc->toPlainText(), s("Tool sorts things.\nSecond line."));
    EXPECT_EQ(app()->ldatel->text(), s("4-Jul-1998"));
    EXPECT_EQ(app()->LongReleaseDate, s("4-Jul-1998"));

    // A month that is no number stops the loading after the fields.
    app()->AppName->setCurrentRow(2);
    EXPECT_EQ(callsOf("exception"), QStringList{s("'ab' is not a valid integer value")});
    EXPECT_EQ(app()->version->text(), s("9.9"));
    EXPECT_EQ(app()->ldatel->text(), s("4-Jul-1998")); // not rebuilt
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Gizmo has no ".lds": the description shown stays; a platform that is
    // none of the choices is shown and saved back as it was.
    dialogs.clear();
    app()->AppName->setCurrentRow(1);
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(app()->version->text(), s("2.0"));
    EXPECT_EQ(app()->longdesc->toPlainText(), s("Tool sorts things.\nSecond line."));
    EXPECT_EQ(app()->platforms->currentText(), s("Windows 98"));
    EXPECT_EQ(app()->ldatel->text(), QString());
    EXPECT_FALSE(main()->model().AppSaved);
    app()->SaveAppBtn->click();
    EXPECT_EQ(iniValue("data/Gizmo.dat", "APPINFO", "PLATFORM"), s("Windows 98"));
    EXPECT_EQ(dir.read(s("data/Gizmo.lds")), QByteArray("Tool sorts things.\r\nSecond line.\r\n"));

    // The choice from the file is gone with the next profile.
    app()->AppName->setCurrentRow(0);
    EXPECT_EQ(app()->platforms->currentText(), s("Windows 95"));
    EXPECT_EQ(app()->platforms->findText(s("Windows 98")), -1);
}

TEST_F(ProfilesTest, ABadFirstApplicationDoesNotStopTheStartUp) {
    writeTwoCompanies();
    dir.write(s("data/Tool.dat"), "[APPINFO]\r\nVERSION=1.0\r\nMONTH=ab\r\n");
    start();
    EXPECT_TRUE(main()->model().GWide.StartupOk);
    EXPECT_TRUE(main()->isVisible());
    EXPECT_EQ(callsOf("exception"), QStringList{s("'ab' is not a valid integer value")});
    EXPECT_EQ(app()->version->text(), s("1.0"));
    EXPECT_TRUE(main()->model().AppSaved);
}

TEST_F(ProfilesTest, LeavingTheShortNameAndTheDateFields) {
    writeTwoCompanies();
    start();
    struct Case {
        const char* typed;
        const char* expected;
        bool refused;
    };
    const Case cases[] = {{"My.App", "", true}, {"my app", "", true},      {"a(b)", "", true},
                          {"a/b", "", true},    {"MYAPP", "myapp", false}, {"My-App_1", "my-app_1", false},
                          {"", "", false}};
    QLineEdit* name = app()->char8name;
    for (const Case& c : cases) {
        name->setText(s(c.typed));
        dialogs.clear();
        leave(name);
        EXPECT_EQ(name->text(), s(c.expected)) << c.typed;
        if (c.refused) {
            ASSERT_EQ(dialogs.calls.size(), 1) << c.typed;
            EXPECT_EQ(dialogs.calls[0].kind, s("message"));
            EXPECT_EQ(dialogs.calls[0].text, s("You can only have alpha-numeric values in this field."));
            EXPECT_TRUE(dialogs.calls[0].beepBefore);
        } else {
            EXPECT_TRUE(dialogs.calls.isEmpty()) << c.typed;
        }
    }
    // The window losing the focus is not leaving the field.
    name->setText(s("MY.APP"));
    leave(name, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(name->text(), s("MY.APP"));

    app()->day->setText(s("4"));
    app()->month->setText(s("13"));
    app()->year->setText(s("98"));
    leave(app()->month);
    EXPECT_EQ(app()->ldatel->text(), s("4-1998"));
    app()->day->clear();
    leave(app()->day);
    EXPECT_EQ(app()->ldatel->text(), s("1998"));
    app()->month->setText(s("2"));
    leave(app()->year);
    EXPECT_EQ(app()->ldatel->text(), s("Feb-1998"));
}

TEST_F(ProfilesTest, TheApplicationListFollowsTheCompany) {
    writeTwoCompanies();
    start();
    ASSERT_EQ(apps(), (QStringList{s("Tool"), s("Gizmo")}));
    const QByteArray acmeList = dir.read(s("data/Acme Software Apps.dat"));

    company()->compname->setCurrentIndex(1);
    EXPECT_EQ(apps(), QStringList{s("Game")});
    EXPECT_EQ(app()->appName(), s("Game"));
    EXPECT_EQ(app()->version->text(), s("3.0"));
    EXPECT_EQ(app()->longdesc->toPlainText(), s("A game."));

    typeNames({s("Cee"), s("Cap")});
    company()->NewCompanyBtn->click();
    EXPECT_TRUE(apps().isEmpty());
    EXPECT_TRUE(app()->version->text().isEmpty());
    EXPECT_TRUE(main()->model().AppSaved);
    app()->NewAppBtn->click();
    EXPECT_EQ(apps(), QStringList{s("Cap")});
    EXPECT_EQ(dir.read(s("data/Cee Apps.dat")), QByteArray("Cap\r\n"));
    EXPECT_EQ(dir.read(s("data/Acme Software Apps.dat")), acmeList);
    EXPECT_EQ(dir.read(s("data/Blue Fern Apps.dat")), QByteArray("Game\r\n"));
    EXPECT_EQ(iniValue("data/Cap.dat", "COMPANY", "CONAME"), s("Cee"));

    company()->compname->setCurrentIndex(0);
    EXPECT_EQ(apps(), (QStringList{s("Tool"), s("Gizmo")}));
    EXPECT_EQ(app()->appName(), s("Tool"));
    EXPECT_EQ(app()->version->text(), s("1.0"));
}

TEST_F(ProfilesTest, ClosingAsksForBothProfilesAndSavesThem) {
    writeTwoCompanies();
    start();
    company()->conphone->setText(s("+1 555 0100"));
    app()->version->setText(s("1.1"));
    app()->NotesToReviewer->setPlainText(s("Key on request.\nThanks."));
    dialogs.clear();
    answer({Answer::Yes, Answer::Yes});
    EXPECT_TRUE(closeMain());
    EXPECT_EQ(dialogs.texts(),
              (QStringList{s("Would you like to save Changed Company Info?"), s("Would you like to save Tool?")}));
    for (const auto& call : dialogs.calls) {
        EXPECT_EQ(call.kind, s("yesNoCancel"));
        EXPECT_TRUE(call.beepBefore);
    }
    EXPECT_EQ(iniValue("companies/Acme Software.dat", "COMPANY", "CPHONE"), s("+1 555 0100"));
    EXPECT_EQ(iniValue("data/Tool.dat", "APPINFO", "VERSION"), s("1.1"));
    EXPECT_EQ(dir.read(s("data/Tool.nts")), QByteArray("Key on request.\r\nThanks.\r\n"));
}

TEST_F(ProfilesTest, AFailedWriteIsShownAndKeepsTheMark) {
    writeTwoCompanies();
    start();
    // A folder where the profile should be: the atomic replacement cannot put a file there.
    QFile::remove(dir.file(s("companies/Acme Software.dat")));
    ASSERT_TRUE(QDir().mkpath(dir.file(s("companies/Acme Software.dat"))));
    QFile::remove(dir.file(s("data/Tool.lds")));
    ASSERT_TRUE(QDir().mkpath(dir.file(s("data/Tool.lds"))));
    company()->conname->setText(s("Ann B. Smith"));
    app()->version->setText(s("1.1"));
    dialogs.clear();
    company()->SaveCompanyBtn->click();
    find<QPushButton>("SaveAppBtn3")->click();
    EXPECT_EQ(callsOf("exception"), (QStringList{s("Unable to write to ") + dir.file(s("companies/Acme Software.dat")),
                                                 s("Unable to write to ") + dir.file(s("data/Tool.lds"))}));
    EXPECT_FALSE(main()->model().CompanySaved);
    EXPECT_FALSE(main()->model().AppSaved);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Yes on the close prompt tries again; the failure keeps the window open.
    dialogs.clear();
    answer({Answer::Yes});
    EXPECT_FALSE(closeMain());
    EXPECT_EQ(callsOf("exception"), QStringList{s("Unable to write to ") + dir.file(s("companies/Acme Software.dat"))});
    EXPECT_TRUE(main()->isVisible());
}

TEST_F(ProfilesTest, BrowseButtonsFillTheirFields) {
    writeTwoCompanies();
    start();
    struct Case {
        const char *button, *field, *title, *filter, *extension;
    };
    const Case cases[] = {
        {"LocalPathbrowsebtn", "localpath", "Select your program", "Programs|*.ZIP;*.EXE", "EXE"},
        {"IciFileBrowse", "IcoFileEdit", "Select Icon File", "Icons|*.ICO", "ICO"},
        {"GifFileBrowse", "GifFileEdit", "Select Gif File", "Gifs|*.GIF", "GIF"},
        {"ScreenShotBrowse", "ScreenShotEdit", "Select File", "ScreenShots|*.*", ""},
        {"OtherFileBrowse", "OtherFileEdit", "Select File", "Files|*.*", ""},
    };
    for (const Case& c : cases) {
        auto* edit = find<QLineEdit>(c.field);
        edit->setText(s("/before"));
        dialogs.clear();
        dialogs.files.clear();
        dialogs.files << QString() << s("/picked/") + s(c.field);
        find<QAbstractButton>(c.button)->click();
        EXPECT_EQ(edit->text(), s("/before")) << c.button; // Cancel
        find<QAbstractButton>(c.button)->click();
        EXPECT_EQ(edit->text(), s("/picked/") + s(c.field)) << c.button;
        ASSERT_EQ(dialogs.calls.size(), 2);
        EXPECT_EQ(dialogs.calls[1].kind, s("openFile"));
        EXPECT_EQ(dialogs.calls[1].title, s(c.title));
        EXPECT_EQ(dialogs.calls[1].instruction, s(c.filter));
        EXPECT_EQ(dialogs.calls[1].text, s(c.extension));
    }
}

// Every field of the App Info page with a value it accepts.
void fillApplication(TAppInfoPage& page, const QString& tag) {
    for (QLineEdit* edit : page.findChildren<QLineEdit*>()) {
        const QString name = edit->objectName();
        QString value = tag + QLatin1Char('-') + name;
        if (name == s("day") || name == s("month") || name == s("year"))
            value = name == s("day") ? s("24") : name == s("month") ? s("12") : s("99");
        else if (name.contains(s("size")))
            value = QString::number(1000 + name.size()) + QString::number(tag.size());
        else if (name == s("char8name"))
            value = tag.left(4).toLower() + s("0001");
        if (edit->maxLength() < value.size())
            value = value.left(edit->maxLength());
        edit->setText(value);
    }
    page.platforms->setCurrentIndex(3);
    page.diststatus->setCurrentIndex(1);
    page.status->setCurrentIndex(tag.size() % 6);
    page.installer->setCurrentIndex(2);
    page.longdesc->setPlainText(tag + s(" does things.\nSecond line.\n\nAfter an empty line, with \xc3\xa9."));
    page.NotesToReviewer->setPlainText(tag + s(" notes."));
}

std::map<QString, QString> snapshot(const QWidget& page) {
    std::map<QString, QString> values;
    for (QWidget* w : page.findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w))
            if (w->objectName() != s("specreq"))
                values[w->objectName()] = shown(w);
    return values;
}

TEST_F(ProfilesTest, TwoCompaniesWithTheirApplicationsSurviveARestart) {
    start();
    std::map<QString, std::map<QString, QString>> saved; // "company" or "company/app" -> fields
    const QStringList companyNames{s("Acme Software"), s("Blue Fern")};
    const std::map<QString, QStringList> appNames{{s("Acme Software"), {s("PhotoTidy"), s("Tool Pro")}},
                                                  {s("Blue Fern"), {s("Fern Quest")}}};
    for (const QString& name : companyNames) {
        typeNames({name});
        company()->NewCompanyBtn->click();
        ASSERT_EQ(company()->companyName(), name);
        for (QLineEdit* edit : company()->findChildren<QLineEdit*>())
            edit->setText(name.left(4) + QLatin1Char(' ') + edit->objectName());
        company()->SaveCompanyBtn->click();
        saved[name] = snapshot(*company());
        main()->setActivePage(app());
        for (const QString& appName : appNames.at(name)) {
            typeNames({appName});
            app()->NewAppBtn->click();
            ASSERT_EQ(app()->appName(), appName);
            fillApplication(*app(), appName);
            app()->SaveAppBtn->click();
            saved[name + QLatin1Char('/') + appName] = snapshot(*app());
        }
        main()->setActivePage(company());
    }
    EXPECT_TRUE(main()->model().CompanySaved);
    EXPECT_TRUE(main()->model().AppSaved);
    dialogs.clear();
    ASSERT_TRUE(closeMain());
    EXPECT_TRUE(dialogs.calls.isEmpty());
    program.reset();

    start();
    EXPECT_EQ(companies(), companyNames);
    for (int c = 0; c < companyNames.size(); ++c) {
        const QString& name = companyNames[c];
        company()->compname->setCurrentIndex(c);
        EXPECT_EQ(snapshot(*company()), saved[name]) << qPrintable(name);
        EXPECT_EQ(apps(), appNames.at(name));
        for (int a = 0; a < apps().size(); ++a) {
            app()->AppName->setCurrentRow(a);
            const QString key = name + QLatin1Char('/') + appNames.at(name)[a];
            EXPECT_EQ(snapshot(*app()), saved[key]) << qPrintable(key);
        }
    }
    EXPECT_EQ(app()->specreq->text(), s("None"));
}

} // namespace

// Another company replaces the application shown: its unsaved edits are asked
// about first, as the close query asks, whichever way the company changes.
TEST_F(ProfilesTest, ChangingTheCompanyAsksAboutUnsavedApplicationEdits) {
    writeTwoCompanies();
    start();
    const QString question = s("Would you like to save Tool?");
    app()->version->setText(s("9.9"));
    ASSERT_FALSE(main()->model().AppSaved);

    // Cancel: the company and the application stay as they were, edits and all.
    answer({Answer::Cancel});
    company()->compname->setCurrentIndex(1);
    EXPECT_EQ(dialogs.texts(), QStringList{question});
    EXPECT_EQ(company()->companyName(), s("Acme Software"));
    EXPECT_EQ(company()->conname->text(), s("Ann Smith"));
    EXPECT_EQ(apps(), (QStringList{s("Tool"), s("Gizmo")}));
    EXPECT_EQ(app()->version->text(), s("9.9"));
    EXPECT_FALSE(main()->model().AppSaved);

    // Deleting the company, confirmed, then Cancel at the question: nothing is deleted.
    dialogs.clear();
    answer({Answer::Yes, Answer::Cancel});
    company()->DeleteCompanyBtn->click();
    EXPECT_EQ(dialogs.texts(), (QStringList{s("Delete This Company ?"), question}));
    EXPECT_EQ(companies(), (QStringList{s("Acme Software"), s("Blue Fern")}));
    EXPECT_EQ(dir.read(s("companies/companies.dat")), QByteArray("Acme Software\r\nBlue Fern\r\n"));
    EXPECT_EQ(app()->version->text(), s("9.9"));

    // Yes: the edits are saved under the company they were made for, then the other company is shown.
    dialogs.clear();
    answer({Answer::Yes});
    company()->compname->setCurrentIndex(1);
    EXPECT_EQ(dialogs.texts(), QStringList{question});
    EXPECT_EQ(iniValue("data/Tool.dat", "APPINFO", "VERSION"), s("9.9"));
    EXPECT_EQ(iniValue("data/Tool.dat", "COMPANY", "CONAME"), s("Acme Software"));
    EXPECT_EQ(company()->companyName(), s("Blue Fern"));
    EXPECT_EQ(apps(), QStringList{s("Game")});
}
