// The e-mail submission of a site and its copy, against the real SMTP test
// server, on the real main window (its fields, expander and dialogs seam).
#include "MailDecode.h"
#include "ProgramFixture.h"
#include "ServerProcess.h"

#include "engines/EngineFiles.h"
#include "platform/Clock.h"
#include "platform/TextFile.h"
#include "profiles/AppInfoPage.h"
#include "reports/TReportsFrm.h"
#include "run/EmailPath.h"
#include "run/RunHost.h"
#include "run/SubmitPage.h"
#include "run/TSetupDlg.h"
#include "selection/SiteSelection.h"
#include "selection/SitesPage.h"
#include "model/TGWide.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString Site = QStringLiteral("Shareware Depot");
const QString Contact = QStringLiteral("author@acme.example");
const QString SiteAddress = QStringLiteral("submit@depot.example");
const QString HomePage = QStringLiteral("https://home.example/postrix/");

// The run as a path sees it, recording what the path does to the Submit page.
class TestHost final : public RunHost {
public:
    TestHost(TMainFrm& main, const QString& programDir, const platform::Clock& clock)
        : main_(main),
          reports_(programDir + QStringLiteral("reports/"), programDir + QStringLiteral("images/"), clock) {
        reports_.BeginRun(QStringLiteral("PhotoTidy"));
        reports_.CurrentSite = Site;
        reports_.BeginPage(QStringLiteral("EMAIL"));
    }

    platform::HttpClient& httpClient() override { return *main_.model().HTTP1; }
    QTimer& httpTimer() override { return *main_.model().HTTPTimer; }
    platform::Dialogs& dialogs() override { return main_.model().dialogs(); }
    platform::Clock& clock() override { return main_.model().clock(); }
    QString programDir() const override { return main_.model().programDir(); }
    QString filesDir() const override { return main_.model().GWide.FilesDir; }
    QString fieldText(const QString& objectName) const override { return main_.model().fieldText(objectName); }
    TEngBuild& engines() override { return *main_.model().GWide.EngBuild; }
    TReportsFrm& reports() override { return reports_; }
    void AddLogLine(const QString& text) override { log << text; }
    void AddFtpLine(const QString& text) override { ftp << text; }
    QStringList ftpLines() const override { return ftp; }
    bool SkipRequested() const override { return skip; }
    bool CancelRequested() const override { return false; }
    QString currentSiteName() const override { return Site; }
    int CurrentRow() const override { return 2; }
    QString rowSite(int row) const override { return rows.value(row); }
    void setHttpStatus(const QString&) override {}
    void setMailStatus(const QString& text) override { mailStatus << text; }
    void setFtpStatus(const QString&) override {}
    void setHttpBytes(const QString&) override {}
    void setMailProgress(int percent) override { progress << percent; }
    QStringList& xfer() override { return xfer_; }

    // The texts of the page lines written so far.
    QStringList pageLines() const {
        QStringList lines;
        const QString start = QStringLiteral("] - ");
        for (const QString& line : reports_.XferMemo) {
            const qsizetype at = line.indexOf(start);
            if (line.startsWith(QLatin1String("<p><small>")) && at > 0)
                lines << line.mid(at + start.size()).chopped(QStringLiteral("</font></small></p>").size());
        }
        return lines;
    }
    void clear() {
        log.clear();
        mailStatus.clear();
        progress.clear();
        reports_.XferMemo.clear();
    }

    QStringList log;
    QStringList ftp;
    QStringList mailStatus;
    QList<int> progress;
    QStringList rows{QStringLiteral("Alpha Files"), QStringLiteral("Beta Soft"), Site};
    bool skip = false;

private:
    TMainFrm& main_;
    TReportsFrm reports_;
    QStringList xfer_;
};

QByteArray bytes(qsizetype size, char seed) {
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + seed) % 256);
    return data;
}

QStringList sentLines(const QString& last) {
    return {QStringLiteral("Opening SMTP Connection"), QStringLiteral("Preparing Message"),
            QStringLiteral("Sending Message"),         QStringLiteral("Mail Sent"),
            QStringLiteral("Closing SMTP Connection"), last};
}

// Sets a field of the main window by object name; a field that a page
// does not have yet is added as a line edit.
void setField(TMainFrm& main, const char* name, const QString& text) {
    QWidget* widget = main.findChild<QWidget*>(QLatin1String(name));
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            combo->clear();
            combo->addItem(text);
            combo->setCurrentIndex(0);
        }
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (!edit) {
        edit = new QLineEdit(&main);
        edit->setObjectName(QLatin1String(name));
        edit->hide();
    }
    edit->setText(text);
}

class EmailPathTest : public ProgramFixture {
protected:
    void SetUp() override {
        dir.write(QStringLiteral("services.ini"), "[SERVICES]\r\nProductHomePage=" + HomePage.toLatin1() + "\r\n");
        start();
        host = std::make_unique<TestHost>(*main(), dir.path(), clock);
        path = std::make_unique<TEmailPath>(*host, main());

        SiteEngine& engine = main()->model().GWide.EngBuild->Engine;
        engine.clear();
        engine.siteName = Site;
        engine.useEmail = true;
        engine.emailToName = SiteAddress;
        engine.emailToNameUpdate = QStringLiteral("updates@depot.example");
        engine.emailSubject = QStringLiteral("New: %COMPNAME%");
        engine.emailNewScript = QStringLiteral("Company: %COMPNAME%\r\nThanks\r\n");
        engine.emailUpdateScript = QStringLiteral("Update from %COMPNAME%\r\n");
        setField("compname", QStringLiteral("Acme Software"));
        setField("conmail", Contact);
    }

    void TearDown() override {
        path.reset();
        host.reset();
        ProgramFixture::TearDown();
    }

    void setField(const char* name, const QString& text) { ::setField(*main(), name, text); }

    void startServer(const QStringList& options = {}) {
        server = std::make_unique<ServerProcess>();
        ASSERT_TRUE(server->start(QStringLiteral("smtp_server.py"), QStringList{store.path()} + options))
            << server->error().toStdString();
        path->setMailSetup(QStringLiteral("127.0.0.1:%1").arg(server->port()), QStringLiteral("jane@acme.example"),
                           QStringLiteral("Jane Author"));
    }

    QStringList stored() const {
        return QDir(store.path()).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    }
    DecodedMail message(int n) const { return decodeMailFile(store.filePath(QStringLiteral("%1.eml").arg(n))); }
    QJsonObject envelope(int n) const {
        QFile f(store.filePath(QStringLiteral("%1.json").arg(n)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    QString writeFile(const QString& name, const QByteArray& data) {
        dir.write(QStringLiteral("files/") + name, data);
        return dir.file(QStringLiteral("files/") + name);
    }
    SiteEngine& engine() { return main()->model().GWide.EngBuild->Engine; }

    QTemporaryDir store;
    std::unique_ptr<ServerProcess> server;
    std::unique_ptr<TestHost> host;
    std::unique_ptr<TEmailPath> path;
};

struct EncodingCase {
    const char* name;
    const char* setupFile; // postrix.ini, empty: none
    const char* kind;      // how the attachments arrive
    const char* charset;
};

class EmailEncodingTest : public EmailPathTest, public ::testing::WithParamInterface<EncodingCase> {};

// The site's message and its copy: recipients, subjects, body with and
// without the footer, attachments in order and intact, the copy without the
// archive, and the lines of both sends.
TEST_P(EmailEncodingTest, SiteMessageAndCopy) {
    const EncodingCase& c = GetParam();
    if (*c.setupFile)
        dir.write(QStringLiteral("postrix.ini"), c.setupFile);
    startServer();

    struct File {
        const char* field;
        QString name;
        QByteArray data;
    };
    const QList<File> files{{"localpath", QStringLiteral("phototidy.zip"), bytes(70000, 1)},
                            {"GifFileEdit", QStringLiteral("icon.gif"), bytes(300, 2)},
                            {"IcoFileEdit", QStringLiteral("icon.ico"), bytes(766, 3)},
                            {"ScreenShotEdit", QStringLiteral("shot.png"), bytes(5000, 4)},
                            {"OtherFileEdit", QStringLiteral("read me.txt"), QByteArray("line one\r\nline two\r\n")}};
    for (const File& f : files)
        setField(f.field, writeFile(f.name, f.data));
    engine().emailAttachApplication = engine().emailAttachGif = engine().emailAttachIco = engine().emailAttachScreen =
        engine().emailAttachOther = true;
    engine().emailSubject = QStringLiteral("  Nouveau logiciel: %COMPNAME% \u00e9t\u00e9");
    engine().emailNewScript = QStringLiteral("  Company: %COMPNAME%\r\nThanks\r\n");

    EXPECT_TRUE(path->SubmitByEmail(true, 2, false));
    EXPECT_FALSE(path->sending());
    EXPECT_EQ(host->log, sentLines(Site + QStringLiteral(" E-Mailed Information.")));
    EXPECT_EQ(host->mailStatus,
              (QStringList{QStringLiteral("Preparing Email"), QStringLiteral("Preparing to mail to: ") + Site,
                           QStringLiteral("Preparing Mail"), QStringLiteral("Sending Mail..."),
                           QStringLiteral("Mail Sent")}));
    const QStringList pages{QStringLiteral("Opening SMTP Connection"), QStringLiteral("Preparing Message"),
                            QStringLiteral("Sending Message"),         QStringLiteral("Mail Sent"),
                            QStringLiteral("Closing Connection"),      QStringLiteral("Connection Closed")};
    EXPECT_EQ(host->pageLines(), pages);
    EXPECT_TRUE(host->progress.contains(100));
    EXPECT_EQ(host->progress.last(), 0);
    host->clear();

    EXPECT_TRUE(path->SubmitByEmail(true, 2, true));
    EXPECT_EQ(host->log, sentLines(Contact + QStringLiteral(" E-Mailed Copy.")));
    EXPECT_EQ(host->mailStatus.mid(2),
              (QStringList{QStringLiteral("Preparing Mail Copy To: ") + Contact, QStringLiteral("Sending Mail Copy..."),
                           QStringLiteral("Mail Copy Sent")}));
    EXPECT_EQ(host->pageLines(), pages);

    ASSERT_EQ(stored().size(), 2);
    const QString subject = QStringLiteral("Nouveau logiciel: Acme Software \u00e9t\u00e9");
    const QString body = QStringLiteral("Company: Acme Software\nThanks\n");
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        const bool copy = n == 2;
        const QJsonObject env = envelope(n);
        EXPECT_EQ(env.value(QLatin1String("mail_from")).toString(), QStringLiteral("jane@acme.example"));
        EXPECT_EQ(env.value(QLatin1String("rcpt_tos")).toArray(), QJsonArray{copy ? Contact : SiteAddress});

        const DecodedMail mail = message(n);
        EXPECT_EQ(mail.field("from_name"), QStringLiteral("Jane Author"));
        EXPECT_EQ(mail.field("to_address"), copy ? Contact : SiteAddress);
        EXPECT_EQ(mail.field("subject"), copy ? subject + QStringLiteral(" (") + Site + QLatin1Char(')') : subject);
        EXPECT_EQ(mail.field("charset"), QLatin1String(c.charset));
        const QString text = copy ? body
                                  : body + QStringLiteral("\n\n\n\n") + TEmailPath::FooterLine1 + QLatin1Char('\n') +
                                        TEmailPath::FooterLine2Start + HomePage + QLatin1Char('\n');
        if (QLatin1String(c.kind) == QLatin1String("mime"))
            EXPECT_EQ(mail.text, text);
        else
            EXPECT_TRUE(mail.text.startsWith(text)) << mail.text.left(600).toStdString();

        const QList<File> expected = copy ? files.mid(1) : files;
        ASSERT_EQ(mail.attachments.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(mail.attachments[i].name, expected[i].name);
            EXPECT_EQ(mail.attachments[i].kind, QLatin1String(c.kind));
            EXPECT_TRUE(mail.attachments[i].data == expected[i].data) << expected[i].name.toStdString();
        }
    }
}

// Only "CharSet" and "Encoding" of the set-up file count: its server and
// sender would otherwise send the messages elsewhere.
INSTANTIATE_TEST_SUITE_P(
    Encodings, EmailEncodingTest,
    ::testing::Values(EncodingCase{"DefaultMime", "", "mime", "us-ascii"},
                      EncodingCase{"UUCodeLatin1",
                                   "[Setup]\r\nServer=mail.invalid:2525\r\nEMail Address=other@else.example\r\n"
                                   "Name=Someone Else\r\nCharSet=1\r\nEncoding=1\r\n",
                                   "uu", "iso-8859-1"},
                      EncodingCase{"UnknownValuesAreDefaults", "[setup]\r\ncharset=7\r\nencoding=-1\r\n", "mime",
                                   "us-ascii"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

// Which subject, recipient and script a message gets.
TEST_F(EmailPathTest, SubjectRecipientAndScriptChoice) {
    startServer();
    // Wanted attachments whose fields are empty are left out without an error.
    engine().emailAttachGif = engine().emailAttachIco = engine().emailAttachScreen = engine().emailAttachOther = true;
    const QString longText(300, QLatin1Char('s'));
    const struct {
        const char* name;
        bool isNew;
        bool isCopy;
        QString subject;
        QString subjectUpdate;
        QString expected;
    } cases[] = {
        {"new", true, false, QStringLiteral("New %COMPNAME%"), QStringLiteral("Upd"),
         QStringLiteral("New Acme Software")},
        {"update", false, false, QStringLiteral("New"), QStringLiteral("Update %COMPNAME%"),
         QStringLiteral("Update Acme Software")},
        {"update falls back", false, false, QStringLiteral("Plain"), QString(), QStringLiteral("Plain")},
        {"blank update subject", false, false, QStringLiteral("Plain"), QStringLiteral("   "),
         QStringLiteral("Submission")},
        {"empty", true, false, QString(), QStringLiteral("x"), QStringLiteral("Submission")},
        {"empty copy", true, true, QString(), QString(), QStringLiteral("Submission (") + Site + QLatin1Char(')')},
        {"leading blanks", true, false, QStringLiteral("   Hello %COMPNAME%"), QString(),
         QStringLiteral("Hello Acme Software")},
        {"unknown variable", true, false, QStringLiteral(" Hi %NOSUCH% %COMPNAME%"), QString(),
         QStringLiteral("Hi %NOSUCH% %COMPNAME%")},
        {"long", true, false, longText, QString(), longText.left(255)},
        {"long copy", true, true, longText.left(250), QString(),
         (longText.left(250) + QStringLiteral(" (") + Site + QLatin1Char(')')).left(255)},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine().emailSubject = c.subject;
        engine().emailSubjectUpdate = c.subjectUpdate;
        host->clear();
        ASSERT_TRUE(path->SubmitByEmail(c.isNew, 2, c.isCopy)) << host->log.join(QLatin1Char('|')).toStdString();
        ASSERT_EQ(stored().size(), ++n);
        const DecodedMail mail = message(n);
        EXPECT_EQ(mail.field("subject"), c.expected);
        EXPECT_EQ(mail.field("to_address"), c.isCopy  ? Contact
                                            : c.isNew ? SiteAddress
                                                      : QStringLiteral("updates@depot.example"));
        EXPECT_TRUE(mail.text.startsWith(c.isNew ? QStringLiteral("Company: Acme Software\nThanks\n")
                                                 : QStringLiteral("Update from Acme Software\n")));
        EXPECT_TRUE(mail.attachments.isEmpty());
    }
}

// A script that names a variable the expander does not know goes out as it
// is written, leading blanks included, and the site succeeds.
TEST_F(EmailPathTest, UnknownVariableSendsScriptUnexpanded) {
    startServer();
    engine().emailNewScript = QStringLiteral("   Dear %NOSUCHVAR%,\r\nfrom %COMPNAME%\r\n");
    EXPECT_TRUE(path->SubmitByEmail(true, 2, false));
    EXPECT_EQ(host->log, sentLines(Site + QStringLiteral(" E-Mailed Information.")));
    ASSERT_EQ(stored().size(), 1);
    EXPECT_TRUE(message(1).text.startsWith(QStringLiteral("   Dear %NOSUCHVAR%,\nfrom %COMPNAME%\n\n\n\n\n")));
}

// An empty script (or one of blanks) fails the site before any connection.
TEST_F(EmailPathTest, EmptyScriptFailsWithoutConnecting) {
    startServer();
    for (const QString& script : {QString(), QStringLiteral("    ")}) {
        SCOPED_TRACE(script.size());
        host->clear();
        engine().emailNewScript = script;
        EXPECT_FALSE(path->SubmitByEmail(true, 2, false));
        EXPECT_EQ(host->log, (QStringList{QStringLiteral("No Engine Script For EMAIL Post For: ") + Site,
                                          QStringLiteral("Unable to post EMAIL to: ") + Site,
                                          Site + QStringLiteral(" EMail ERROR!!!")}));
        EXPECT_TRUE(host->pageLines().isEmpty());
        EXPECT_FALSE(path->sending());
    }
    EXPECT_TRUE(stored().isEmpty());
}

// A recipient the server refuses fails the message, site's or copy's.
TEST_F(EmailPathTest, RejectedRecipientFails) {
    startServer({QStringLiteral("--reject"), SiteAddress, QStringLiteral("--reject"), Contact});
    for (const bool copy : {false, true}) {
        SCOPED_TRACE(copy);
        host->clear();
        EXPECT_FALSE(path->SubmitByEmail(true, 2, copy));
        EXPECT_EQ(host->log,
                  (QStringList{QStringLiteral("Opening SMTP Connection"), QStringLiteral("Preparing Message"),
                               QStringLiteral("ERROR -> Address Rejected By Server"),
                               QStringLiteral("Closing SMTP Connection"),
                               (copy ? Contact : Site) + QStringLiteral(" EMail ERROR!!!")}));
        EXPECT_TRUE(host->pageLines().contains(QStringLiteral("ERROR -> Address Rejected By Server")));
        EXPECT_EQ(host->mailStatus.last(), QStringLiteral("Mail Send Error"));
    }
    EXPECT_TRUE(stored().isEmpty());
}

// No server listening: the client's error fails the site.
TEST_F(EmailPathTest, ServerDownFails) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    path->setMailSetup(QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("jane@acme.example"),
                       QStringLiteral("Jane Author"));

    EXPECT_FALSE(path->SubmitByEmail(true, 2, false));
    EXPECT_EQ(host->log, (QStringList{QStringLiteral("Opening SMTP Connection"), QStringLiteral("Preparing Message"),
                                      QStringLiteral("SMTP Error"), Site + QStringLiteral(" EMail ERROR!!!")}));
    const QStringList pages = host->pageLines();
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[2].startsWith(QLatin1String("ERROR -> "))) << pages[2].toStdString();
    EXPECT_GT(pages[2].size(), 9);
}

// Skip before the send gives up silently; Skip during a stalled send cancels
// it at once and the message counts as not sent.
TEST_F(EmailPathTest, SkipBeforeAndDuringSend) {
    startServer({QStringLiteral("--stall-on"), QStringLiteral("CONTENT"), QStringLiteral("--stall-seconds"),
                 QStringLiteral("60")});
    host->skip = true;
    EXPECT_FALSE(path->SubmitByEmail(true, 2, false));
    EXPECT_TRUE(host->log.isEmpty());
    EXPECT_TRUE(host->pageLines().isEmpty());
    host->skip = false;

    bool sendingWhenSkipped = false;
    QTimer::singleShot(700, main(), [&] {
        sendingWhenSkipped = path->sending();
        host->skip = true;
        path->cancel();
    });
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(path->SubmitByEmail(true, 2, false));
    EXPECT_LT(timer.elapsed(), 15000);
    EXPECT_TRUE(sendingWhenSkipped);
    EXPECT_FALSE(path->sending());
    EXPECT_TRUE(host->pageLines().contains(QStringLiteral("MailSend Operation Canceled!")));
    EXPECT_EQ(host->log.first(), QStringLiteral("Opening SMTP Connection"));
    EXPECT_EQ(host->log.last(), Site + QStringLiteral(" EMail ERROR!!!"));
    EXPECT_FALSE(host->log.contains(Site + QStringLiteral(" E-Mailed Information.")));
    EXPECT_EQ(host->mailStatus.last(), QStringLiteral("Mail Send Error"));
}

// A run without a mail server shows the mail setup dialog before the message
// is prepared; what is entered there is used and kept.
TEST_F(EmailPathTest, MissingServerShowsSetupDialog) {
    startServer();
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server->port());
    dialogs.clear();
    path->setMailSetup(QString(), QStringLiteral("jane@acme.example"), QStringLiteral("Jane Author"));
    dialogs.onModal = [&](QDialog& form) {
        form.findChild<QLineEdit*>(QStringLiteral("ServerEdit"))->setText(address);
        form.findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        return form.result();
    };
    EXPECT_TRUE(path->SubmitByEmail(true, 2, false));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("modal"));
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("Setup"));
    EXPECT_EQ(path->mailSetup(),
              (MailSetup{address, QStringLiteral("jane@acme.example"), QStringLiteral("Jane Author")}));
    EXPECT_EQ(stored().size(), 1);
}

// Whole runs on the real window: the driver's e-mail step with the site's
// message, its copy, and what a failure or Skip does to both.
class EmailRunTest : public ProgramFixture {
protected:
    void SetUp() override {
        dir.write(QStringLiteral("archive/phototidy.zip"), archive);
        dir.write(QStringLiteral("archive/icon.gif"), gif);
        dir.write(QStringLiteral("companies/companies.dat"), "Acme Software\r\n");
        dir.write(QStringLiteral("companies/Acme Software.dat"),
                  "[COMPANY]\r\nCONAME=Acme Software\r\nCONTACT=Ann Smith\r\nCEMAIL=" + Contact.toLatin1() + "\r\n");
        dir.write(QStringLiteral("data/Acme Software Apps.dat"), "PhotoTidy\r\n");
        dir.write(QStringLiteral("data/PhotoTidy.dat"),
                  "[APPINFO]\r\nNAME=PhotoTidy\r\nFILENAME=phototidy.zip\r\n8CHAR=phototdy\r\nVERSION=2.1\r\n"
                  "PLATFORM=Windows 95\r\nDSTATUS=Author\r\nSTATUS=Shareware\r\nPATH=" +
                      dir.file(QStringLiteral("archive/phototidy.zip")).toUtf8() +
                      "\r\nGIFPATH=" + dir.file(QStringLiteral("archive/icon.gif")).toUtf8() + "\r\n");
    }

    void startServer(const QStringList& options = {}) {
        server = std::make_unique<ServerProcess>();
        ASSERT_TRUE(server->start(QStringLiteral("smtp_server.py"), QStringList{store.path()} + options))
            << server->error().toStdString();
        dir.write(QStringLiteral("settings.dat"),
                  QStringLiteral("[SETTINGS]\r\nSMTP=127.0.0.1:%1\r\nEMAIL=ann@acme.example\r\nNAME=Ann Smith\r\n"
                                 "PROXY=\r\nPORT=80\r\nFTPRetries=0\r\nHTTPTimeOut=10\r\n")
                      .arg(server->port())
                      .toLatin1());
    }

    // An e-mail engine sending its New script to `to`, with a copy and both attachments.
    void emailEngine(const QString& name, const QString& to) {
        sites << name;
        dir.write(QStringLiteral("sites/") + name + QStringLiteral(".ini"),
                  (QStringLiteral("[SETTINGS]\r\nUSE_EMAIL=1\r\nEMAIL_SEND_COPY=1\r\nEMAIL_ATTACH_APPLICATION=1\r\n"
                                  "EMAIL_ATTACH_GIF=1\r\nEMAIL_TONAME=") +
                   to + QStringLiteral("\r\nEMAIL_SUBJECT=%APPNAME% %APPVERSION%\r\n"))
                      .toLatin1());
        dir.write(QStringLiteral("sites/") + name + QStringLiteral(" EMAIL_NEW.scp"), "Name: %APPNAME%\r\n");
    }

    // Starts the program with the given selection lines (site|submit|cat1|cat2|last post|post).
    bool open(const QStringList& selection) {
        dir.write(QStringLiteral("sites/Sites.dat"),
                  (sites.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
        QString lines;
        for (const QString& line : selection)
            lines += QString(line).replace(QLatin1Char('|'), TReportsFrm::EntrySeparator) + QStringLiteral("\r\n");
        dir.write(QStringLiteral("data/PhotoTidy_SITES.dat"), platform::text::toCp1252(lines));
        TMainFrm* w = start();
        w->setActivePage(w->SubmitSheet);
        if (w->AppInfoSheet->appName().isEmpty())
            showProfilesByHand(*w);
        w->model().AppSaved = w->model().CompanySaved = w->model().EngineSaved = true;
        dialogs.clear();
        dialogs.onModal = [](QDialog& form) {
            return form.objectName() == QLatin1String("SubmissionVerifyFrm") ? int(QDialog::Accepted)
                                                                             : int(QDialog::Rejected);
        };
        return !w->AppInfoSheet->appName().isEmpty() && w->SitesSheet->rowCount() == selection.size();
    }

    // While the profile pages do not load the files written above, the
    // fields a run reads are filled with the same values here.
    void showProfilesByHand(TMainFrm& w) {
        w.AppInfoSheet->AppName->addItem(QStringLiteral("PhotoTidy"));
        w.AppInfoSheet->AppName->setCurrentRow(0);
        setField(w, "char8name", QStringLiteral("phototdy"));
        setField(w, "platforms", QStringLiteral("Windows 95"));
        setField(w, "diststatus", QStringLiteral("Author"));
        setField(w, "status", QStringLiteral("Shareware"));
        setField(w, "version", QStringLiteral("2.1"));
        setField(w, "localpath", dir.file(QStringLiteral("archive/phototidy.zip")));
        setField(w, "GifFileEdit", dir.file(QStringLiteral("archive/icon.gif")));
        setField(w, "conmail", Contact);
        w.SitesSheet->BuildSiteGrid();
    }

    TSubmitPage& page() const { return *main()->SubmitSheet; }
    QStringList runLog() const {
        QStringList lines;
        for (int i = 0; i < page().log->count(); ++i)
            lines << page().log->item(i)->text();
        return lines;
    }
    QString cell(int row, int column) const { return main()->SitesSheet->cell(row, column); }
    QStringList pageTexts(const QString& site) const {
        const QString file = page().reports().RunReportDir + QLatin1Char('/') + site + QStringLiteral(" _EMAIL.htm");
        if (!QFileInfo::exists(file))
            return {QStringLiteral("<no page>")};
        QStringList texts;
        const QString start = QStringLiteral("] - ");
        for (const QString& line : platform::text::readLines(file))
            if (line.startsWith(QLatin1String("<p><small>")) && line.contains(start))
                texts << line.mid(line.indexOf(start) + start.size())
                             .chopped(QStringLiteral("</font></small></p>").size());
        return texts;
    }
    QStringList stored() const {
        return QDir(store.path()).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    }

    const QByteArray archive = bytes(40000, 7);
    const QByteArray gif = bytes(900, 8);
    QStringList sites;
    QTemporaryDir store;
    std::unique_ptr<ServerProcess> server;
};

TEST_F(EmailRunTest, MessageAndCopyGoOutAndARejectedSiteGetsNoCopy) {
    startServer({QStringLiteral("--reject"), QStringLiteral("refuse@gamma.example")});
    emailEngine(QStringLiteral("Alpha"), QStringLiteral("submit@alpha.example"));
    emailEngine(QStringLiteral("Beta"), QStringLiteral("submit@beta.example")); // no update recipient
    emailEngine(QStringLiteral("Gamma"), QStringLiteral("refuse@gamma.example"));
    ASSERT_TRUE(open({QStringLiteral("Alpha|New|N/A|N/A|Unknown|Y"), QStringLiteral("Beta|Update|N/A|N/A|Unknown|Y"),
                      QStringLiteral("Gamma|New|N/A|N/A|Unknown|Y")}));
    QTest::mouseClick(page().submitBtn, Qt::LeftButton);

    const QStringList sent{QStringLiteral("Opening SMTP Connection"), QStringLiteral("Preparing Message"),
                           QStringLiteral("Sending Message"), QStringLiteral("Mail Sent"),
                           QStringLiteral("Closing SMTP Connection")};
    const QStringList expectedLog =
        sent + QStringList{QStringLiteral("Alpha E-Mailed Information.")} + sent +
        QStringList{Contact + QStringLiteral(" E-Mailed Copy."), QStringLiteral("Opening SMTP Connection"),
                    QStringLiteral("Preparing Message"),         QStringLiteral("ERROR -> Address Rejected By Server"),
                    QStringLiteral("Closing SMTP Connection"),   QStringLiteral("Gamma EMail ERROR!!!")};
    EXPECT_EQ(runLog(), expectedLog);
    const QStringList pages{QStringLiteral("Opening SMTP Connection"), QStringLiteral("Preparing Message"),
                            QStringLiteral("Sending Message"),         QStringLiteral("Mail Sent"),
                            QStringLiteral("Closing Connection"),      QStringLiteral("Connection Closed")};
    EXPECT_EQ(pageTexts(QStringLiteral("Alpha")), pages + pages);
    EXPECT_EQ(pageTexts(QStringLiteral("Beta")), QStringList{QStringLiteral("<no page>")});
    EXPECT_TRUE(pageTexts(QStringLiteral("Gamma")).contains(QStringLiteral("ERROR -> Address Rejected By Server")));

    ASSERT_EQ(stored().size(), 2);
    const DecodedMail message = decodeMailFile(store.filePath(QStringLiteral("1.eml")));
    const DecodedMail copy = decodeMailFile(store.filePath(QStringLiteral("2.eml")));
    EXPECT_EQ(message.field("to_address"), QStringLiteral("submit@alpha.example"));
    EXPECT_EQ(message.field("subject"), QStringLiteral("PhotoTidy 2.1"));
    EXPECT_EQ(message.field("from_name"), QStringLiteral("Ann Smith"));
    EXPECT_TRUE(message.text.startsWith(QStringLiteral("Name: PhotoTidy\n\n\n\n\n") + TEmailPath::FooterLine1));
    ASSERT_EQ(message.attachments.size(), 2);
    EXPECT_TRUE(message.attachments[0].data == archive);
    EXPECT_TRUE(message.attachments[1].data == gif);
    EXPECT_EQ(copy.field("to_address"), Contact);
    EXPECT_EQ(copy.field("subject"), QStringLiteral("PhotoTidy 2.1 (Alpha)"));
    EXPECT_EQ(copy.text, QStringLiteral("Name: PhotoTidy\n"));
    ASSERT_EQ(copy.attachments.size(), 1);
    EXPECT_TRUE(copy.attachments[0].data == gif);

    // Alpha mailed, Beta had nothing to send, Gamma failed.
    const QString today = platform::shortDate(clock.now().date());
    EXPECT_EQ(cell(0, selection::SubmitCol), QStringLiteral("Update"));
    EXPECT_EQ(cell(0, selection::LastPostCol), today);
    EXPECT_EQ(cell(1, selection::LastPostCol), today);
    EXPECT_EQ(cell(2, selection::SubmitCol), QStringLiteral("New"));
    EXPECT_EQ(cell(2, selection::LastPostCol), QStringLiteral("Unknown"));
    EXPECT_EQ(page().reports().SucceededCount, 2);
    EXPECT_EQ(page().reports().FailedCount, 1);
    EXPECT_EQ(page().mailstatus->text(), QStringLiteral("Idle"));
}

// Skip while the server holds the message: the send stops at once, the site
// fails without a copy, and the run goes on.
TEST_F(EmailRunTest, SkipDuringTheSendStopsItAndSendsNoCopy) {
    startServer({QStringLiteral("--stall-on"), QStringLiteral("CONTENT"), QStringLiteral("--stall-seconds"),
                 QStringLiteral("60")});
    emailEngine(QStringLiteral("Alpha"), QStringLiteral("submit@alpha.example"));
    ASSERT_TRUE(open({QStringLiteral("Alpha|New|N/A|N/A|Unknown|Y")}));

    // Skip a second into the send: the message is then with the stalling server.
    auto* poll = new QTimer(main());
    poll->setInterval(50);
    auto since = std::make_shared<QElapsedTimer>();
    bool barShown = false;
    QObject::connect(poll, &QTimer::timeout, main(), [this, poll, since, &barShown] {
        if (!page().emailPath().sending())
            return;
        if (!since->isValid())
            since->start();
        else if (since->elapsed() >= 1000) {
            poll->stop();
            barShown = page().ProgressBar1->isVisible();
            QTest::mouseClick(page().skip, Qt::LeftButton);
        }
    });
    poll->start();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(page().submitBtn, Qt::LeftButton);
    EXPECT_LT(timer.elapsed(), 20000);

    const QStringList log = runLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2),
              (QStringList{QStringLiteral("Alpha EMail ERROR!!!"), QStringLiteral("SKIPPED -> Alpha")}));
    EXPECT_FALSE(log.contains(Contact + QStringLiteral(" E-Mailed Copy.")));
    EXPECT_TRUE(pageTexts(QStringLiteral("Alpha")).contains(QStringLiteral("MailSend Operation Canceled!")));
    EXPECT_EQ(cell(0, selection::SubmitCol), QStringLiteral("New"));
    EXPECT_EQ(page().reports().FailedCount, 1);
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(barShown);
    EXPECT_FALSE(page().ProgressBar1->isVisible());
    EXPECT_FALSE(main()->model().Posting);
}

} // namespace
