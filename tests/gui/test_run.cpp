// Whole submission runs on the real main window against the HTTP test
// server: what each site is sent, the lines of the run log and the report
// pages, the booking of the Sites grid, Skip, Cancel and the time-out inside
// a hanging request, and the refusals before a run starts.
#include "ProgramFixture.h"
#include "RunProfiles.h"
#include "ServerProcess.h"

#include "platform/HttpClient.h"
#include "platform/TextFile.h"
#include "reports/TReportsFrm.h"
#include "run/SubmitPage.h"
#include "run/TALed.h"
#include "selection/SiteSelection.h"
#include "selection/SitesPage.h"
#include "shell/TSettingsForm.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <map>

// Readable failures.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using Answer = platform::Dialogs::Answer;
using namespace selection;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QStringList itemsOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace

// One company, one application (PhotoTidy, Windows 95 shareware) and the
// engines each test writes; the program loads them at start-up.
class RunTest : public ProgramFixture {
protected:
    static void SetUpTestSuite() {
        logDir_ = new QTemporaryDir;
        server_ = new ServerProcess;
        ASSERT_TRUE(server_->start(s("http_server.py"), {logPath()})) << server_->error().toStdString();
    }
    static void TearDownTestSuite() {
        delete server_;
        delete logDir_;
    }

    void SetUp() override {
        QFile::remove(logPath());
        dir.write(s("archive/phototidy.exe"), "MZ archive");
        dir.write(s("companies/companies.dat"), "Acme Software\r\n");
        dir.write(s("companies/Acme Software.dat"),
                  "[COMPANY]\r\nCONAME=Acme Software\r\nCONTACT=Ann Smith\r\nCEMAIL=ann@acme.example\r\n");
        dir.write(s("data/Acme Software Apps.dat"), "PhotoTidy\r\n");
        writeProfile();
        writeSettings();
    }

    static QString logPath() { return logDir_->filePath(s("requests.log")); }
    static QString url(const QString& path) { return s("http://127.0.0.1:%1%2").arg(server_->port()).arg(path); }

    // The application profile; a key given in changes replaces the default
    // (an empty value leaves the field empty).
    void writeProfile(const std::map<QString, QString>& changes = {}) {
        std::map<QString, QString> keys{{s("FILENAME"), s("phototidy.exe")},
                                        {s("8CHAR"), s("phototdy")},
                                        {s("VERSION"), s("2.1")},
                                        {s("PLATFORM"), s("Windows 95")},
                                        {s("DSTATUS"), s("Author")},
                                        {s("STATUS"), s("Shareware")},
                                        {s("PATH"), dir.file(s("archive/phototidy.exe"))},
                                        {s("SHORTDESC"), s("Tidies photo folders")}};
        for (const auto& [key, value] : changes)
            keys[key] = value;
        QString text = s("[APPINFO]\r\nNAME=PhotoTidy\r\n");
        for (const auto& [key, value] : keys)
            text += key + QLatin1Char('=') + value + s("\r\n");
        dir.write(s("data/PhotoTidy.dat"), platform::text::toCp1252(text));
    }

    void writeSettings(const QString& smtp = s("127.0.0.1:1"), const QString& port = s("80"), int timeOut = 10) {
        dir.write(s("settings.dat"), platform::text::toCp1252(s("[SETTINGS]\r\nSMTP=%1\r\nEMAIL=ann@acme.example\r\n"
                                                                "NAME=Ann\r\nPROXY=\r\nPORT=%2\r\nFTPRetries=0\r\n"
                                                                "HTTPTimeOut=%3\r\n")
                                                                  .arg(smtp, port)
                                                                  .arg(timeOut)));
    }

    // An engine: settings lines after [SETTINGS], and its two HTTP scripts.
    void engine(const QString& name, const QString& settings, const QByteArray& newScript = {},
                const QByteArray& updateScript = {}) {
        sites_ << name;
        dir.write(s("sites/") + name + s(".ini"), platform::text::toCp1252(s("[SETTINGS]\r\n") + settings));
        if (!newScript.isNull())
            dir.write(s("sites/") + name + s(" HTTP_NEW.scp"), newScript);
        if (!updateScript.isNull())
            dir.write(s("sites/") + name + s(" HTTP_UPDATE.scp"), updateScript);
    }
    // An HTTP engine posting (or getting) to a path of the test server.
    void httpEngine(const QString& name, const QString& path, const QByteArray& newScript = "a=1",
                    const QString& more = {}) {
        engine(name, s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=") + url(path) + s("\r\n") + more, newScript);
    }
    // Saved selection lines: site, submit, category 1, category 2, last post, post.
    void selectionLines(const QStringList& lines) {
        QString text;
        for (const QString& line : lines)
            text += QString(line).replace(u'|', FieldSeparator) + s("\r\n");
        dir.write(s("data/PhotoTidy_SITES.dat"), platform::text::toCp1252(text));
    }

    // Starts the program on the prepared folder and shows the Submit page.
    TMainFrm* open() {
        QString list;
        for (const QString& site : sites_)
            list += site + s("\r\n");
        dir.write(s("sites/Sites.dat"), platform::text::toCp1252(list));
        TMainFrm* w = start();
        run_test::showProfilesByHand(*w, dir.path());
        w->setActivePage(w->SubmitSheet);
        w->model().AppSaved = w->model().CompanySaved = w->model().EngineSaved = true;
        dialogs.clear();
        dialogs.onModal = [](QDialog& form) {
            return form.objectName() == s("SubmissionVerifyFrm") ? int(QDialog::Accepted) : int(QDialog::Rejected);
        };
        return w;
    }

    TSubmitPage* page() const { return main()->SubmitSheet; }
    TSitesPage* sites() const { return main()->SitesSheet; }

    void submit() { QTest::mouseClick(page()->submitBtn, Qt::LeftButton); }

    QStringList runLog() const { return itemsOf(page()->log); }

    // Row cells by site name.
    QString cell(const QString& site, int column) const {
        for (int r = 0; r < sites()->rowCount(); ++r)
            if (sites()->cell(r, SiteCol) == site)
                return sites()->cell(r, column);
        return s("<no row>");
    }

    QString runFolder() const { return page()->reports().RunReportDir; }
    QStringList reportFile(const QString& name) const {
        const QString path = runFolder() + QLatin1Char('/') + name;
        return QFileInfo::exists(path) ? platform::text::readLines(path) : QStringList{s("<missing ") + name + s(">")};
    }
    // The texts of a page's time-stamped paragraphs, in order.
    QStringList pageTexts(const QString& site, const char* path) const {
        static const QRegularExpression paragraph(
            s("^<p><small><font face=\"Arial\">\\[[^\\]]*\\] - (.*)</font></small></p>$"));
        QStringList texts;
        for (const QString& line : reportFile(site + s(" _") + QLatin1String(path) + s(".htm"))) {
            const auto match = paragraph.match(line);
            if (match.hasMatch())
                texts << match.captured(1);
        }
        return texts;
    }
    bool pageExists(const QString& site, const char* path) const {
        return QFileInfo::exists(runFolder() + QLatin1Char('/') + site + s(" _") + QLatin1String(path) + s(".htm"));
    }

    static QList<QJsonObject> requests() {
        QList<QJsonObject> list;
        QFile file(logPath());
        if (file.open(QIODevice::ReadOnly))
            while (!file.atEnd()) {
                const QByteArray line = file.readLine().trimmed();
                if (!line.isEmpty())
                    list << QJsonDocument::fromJson(line).object();
            }
        return list;
    }
    static QStringList targets() {
        QStringList list;
        for (const QJsonObject& r : requests())
            list << r[u"method"].toString() + QLatin1Char(' ') + r[u"target"].toString();
        return list;
    }

    // Runs action once the HTTP client waits for an answer (the run is then
    // inside the request, where Skip and Cancel act).
    void whileWaiting(std::function<void()> action) {
        auto* poll = new QTimer(main());
        auto since = std::make_shared<QElapsedTimer>();
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, main(), [this, poll, since, action] {
            if (main()->model().HTTP1->action() == platform::HttpClient::Action::Idle) {
                since->invalidate();
                return;
            }
            if (!since->isValid())
                since->start();
            else if (since->elapsed() >= 200) {
                poll->stop();
                poll->deleteLater();
                action();
            }
        });
        poll->start();
    }

    QString today() const { return platform::shortDate(clock.now().date()); }

    QStringList sites_;
    static ServerProcess* server_;
    static QTemporaryDir* logDir_;
};

ServerProcess* RunTest::server_ = nullptr;
QTemporaryDir* RunTest::logDir_ = nullptr;

TEST_F(RunTest, PostAndGetSendTheScriptsAsTheEnginesWriteThem) {
    dir.write(s("cat/Alpha Cat1.cat"), "11\">Utilities\r\n12\">Graphics\r\n");
    engine(s("Alpha"),
           s("USE_CAT1=1\r\nUSE_HTTP_POST=1\r\nHTTP_POST_TYPE=1\r\nHTTP_NEW_SCRIPT_URL=  ") +
               url(s("/form/%APPNAME%?x=1")) + s("\r\n"),
           "  name=%APPNAME% ver=%APPVERSION%\r\ncat=%SITECAT1%");
    engine(s("Beta"), s("USE_HTTP_POST=1\r\nHTTP_POST_TYPE=2\r\nHTTP_NEW_SCRIPT_URL=") + url(s("/get?")) + s("\r\n"),
           "a=1\r\nb=2 c");
    selectionLines({s("Alpha|New|Graphics|N/A|Unknown|Y")});
    open();
    submit();

    const QList<QJsonObject> sent = requests();
    ASSERT_EQ(sent.size(), 2) << targets().join(u'\n').toStdString();
    EXPECT_EQ(sent[0][u"method"].toString(), s("POST"));
    EXPECT_EQ(sent[0][u"target"].toString(), s("/form/PhotoTidy?x=1"));
    EXPECT_EQ(sent[0][u"body"].toString(), s("name=PhotoTidy%20ver=2.1\r\ncat=12"));
    const QJsonObject headers = sent[0][u"headers"].toObject();
    EXPECT_EQ(headers[u"content-type"].toString(), s("application/x-www-form-urlencoded"));
    EXPECT_EQ(headers[u"user-agent"].toString(), s("devSoft's ipwHTTP Component V1.0"));
    EXPECT_EQ(sent[1][u"method"].toString(), s("GET"));
    EXPECT_EQ(sent[1][u"target"].toString(), s("/get?a=1%20b=2%20c"));
    EXPECT_TRUE(sent[1][u"body"].toString().isEmpty());

    EXPECT_EQ(runLog(), (QStringList{s("Completed HTTP Post to: Alpha"), s("Completed HTTP Post to: Beta")}));
    EXPECT_EQ(
        pageTexts(s("Alpha"), "HTTP"),
        (QStringList{s("Post Data:"), s("Connected to: 127.0.0.1[0 - OK]"), s("Start Transfer: 127.0.0.1"),
                     s("Transfered: 26bytes"), s("End Transfer: 127.0.0.1"), s("Disconnected: 127.0.0.1[0 - OK]")}));
    // The form data paragraph follows "Post Data:" and keeps the script's
    // CR LF, so it spans two lines of the file.
    const QStringList alpha = reportFile(s("Alpha _HTTP.htm"));
    const qsizetype data = alpha.indexOf(QRegularExpression(s(".*\\] - name=PhotoTidy%20ver=2.1$")));
    ASSERT_GE(data, 1) << alpha.join(u'\n').toStdString();
    EXPECT_TRUE(alpha[data - 1].contains(s("] - Post Data:<")));
    EXPECT_EQ(alpha[data + 1], s("cat=12</font></small></p>"));
    // The answer follows the paragraphs, as the server sent it, before the footer.
    EXPECT_EQ(alpha.indexOf(s("hello from the test server")), alpha.indexOf(s(" ")) - 1);
    const QStringList beta = reportFile(s("Beta _HTTP.htm"));
    const qsizetype betaData = beta.indexOf(QRegularExpression(s(".*\\] - Post Data:</font></small></p>$")));
    ASSERT_GE(betaData, 0);
    EXPECT_TRUE(beta[betaData + 1].endsWith(s("] - a=1"))) << beta[betaData + 1].toStdString();
    EXPECT_EQ(beta[betaData + 2], s("b=2%20c</font></small></p>"));

    for (const char* site : {"Alpha", "Beta"}) {
        EXPECT_EQ(cell(s(site), SubmitCol), s("Update")) << site;
        EXPECT_EQ(cell(s(site), LastPostCol), today()) << site;
    }
    const QByteArray saved = dir.read(s("data/PhotoTidy_SITES.dat"));
    EXPECT_TRUE(saved.contains(platform::text::toCp1252(s("Alpha±Update±Graphics±N/A±") + today() + s("±Y"))))
        << saved.toStdString();

    const QStringList summary = reportFile(s("MainReport.htm"));
    EXPECT_TRUE(summary.contains(s("    <td width=\"243\"><small><font face=\"Arial\">2</font></small></td>")));
    EXPECT_TRUE(summary.contains(s("    <td width=\"243\"><small><font face=\"Arial\">0</font></small></td>")));
    EXPECT_EQ(page()->reports().SucceededCount, 2);
    EXPECT_EQ(page()->reports().FailedCount, 0);
    QStringList labels;
    for (const QString& entry : page()->reports().FinalSubsList)
        labels << entry.section(TReportsFrm::EntrySeparator, 0, 0);
    EXPECT_EQ(labels, (QStringList{s("Alpha HTTP"), s("Beta HTTP")}));
    QStringList logPage;
    static const QRegularExpression logLine(
        s("^<p><small><font face=\"Arial\">\\[[^\\]]*\\] - (.*)</font></small></p>$"));
    for (const QString& line : reportFile(s("LogReport.htm")))
        if (const auto m = logLine.match(line); m.hasMatch())
            logPage << m.captured(1);
    EXPECT_EQ(logPage, runLog());

    // Back to idle, and the question at the end.
    EXPECT_FALSE(main()->model().Posting);
    EXPECT_TRUE(page()->submitBtn->isEnabled());
    EXPECT_FALSE(page()->skip->isEnabled());
    EXPECT_FALSE(page()->cancel->isEnabled());
    EXPECT_TRUE(main()->filepd->menuAction()->isEnabled());
    EXPECT_EQ(page()->httpstatus->text(), s("Idle"));
    EXPECT_TRUE(page()->currentsite->text().isEmpty());
    EXPECT_FALSE(page()->httpled->isOn());
    ASSERT_FALSE(dialogs.calls.isEmpty());
    EXPECT_EQ(dialogs.calls.last().kind, s("yesNo"));
    EXPECT_EQ(dialogs.calls.last().text, s("Submission Process Done. View Report?"));
    EXPECT_TRUE(dialogs.calls.last().beepBefore);
}

// One run over sites that each end another way. Engines run in name order.
TEST_F(RunTest, EachSiteIsBookedFromWhatItsPathReported) {
    struct Case {
        const char* site;
        bool booked;      // succeeded: Submit "Update", Last Post today; else both untouched
        bool clientError; // an error of the client: its "ERROR: " line, then "Posting Error - " with its text
        QStringList log;  // otherwise: the run log lines of the site
    };
    const QList<Case> cases{
        {"A Found", true, false, {}},
        {"B Moved", true, false, {}},
        {"C DocFound", true, false, {}},
        {"D Elsewhere",
         false,
         false,
         {s("ERROR: 127.0.0.1[151 - 151: 302 Elsewhere]"), s("Posting Error - 151: 302 Elsewhere(D Elsewhere)")}},
        {"E Missing",
         false,
         false,
         {s("ERROR: 127.0.0.1[151 - 151: 404 Not Found]"), s("Posting Error - 151: 404 Not Found(E Missing)")}},
        {"F Garbage", false, true, {}},
        {"G Drop", false, true, {}},
        {"H Refused", false, true, {}},
        {"I Blank",
         false,
         false,
         {s("No Engine Script For HTTP Post For: I Blank"), s("Unable to post HTTP to: I Blank")}},
        {"J BadVar", false, false, {s("Unable to post HTTP to: J BadVar")}},
        {"K Coded", false, false, {}},
        {"L NoPath", true, false, {}},
        {"M SpacesUrl", true, false, {}},
        {"N Renew", true, false, {s("Completed HTTP Post to: N Renew")}},
        {"O NotPosted", false, false, {}},
    };
    httpEngine(s("A Found"), s("/redirect/Found"));
    httpEngine(s("B Moved"), s("/redirect/Moved Temporarily"));
    httpEngine(s("C DocFound"), s("/redirect/Document Found"));
    httpEngine(s("D Elsewhere"), s("/redirect/Elsewhere"));
    httpEngine(s("E Missing"), s("/status/404"));
    httpEngine(s("F Garbage"), s("/garbage"));
    httpEngine(s("G Drop"), s("/drop"));
    engine(s("H Refused"), s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=http://127.0.0.1:1/never\r\n"), "a=1");
    httpEngine(s("I Blank"), s("/blank"), "    ");
    httpEngine(s("J BadVar"), s("/badvar"), "a=%NOSUCHTHING%");
    engine(s("K Coded"), s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=") + url(s("/coded")) + s("\r\n"), "a=1",
           "HARDCODED->FILEMINE");
    engine(s("L NoPath"), {});
    engine(s("M SpacesUrl"), s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=   \r\n"), "a=1");
    engine(s("N Renew"),
           s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=") + url(s("/form/new")) + s("\r\nHTTP_UPDATE_SCRIPT_URL=") +
               url(s("/form/update")) + s("\r\n"),
           "n=1", "u=1");
    httpEngine(s("O NotPosted"), s("/notposted"));
    selectionLines({s("N Renew|Update|N/A|N/A|1/2/98|Y"), s("O NotPosted|New|N/A|N/A|Unknown|N")});
    open();
    submit();

    const QStringList sent = targets();
    EXPECT_EQ(sent.filter(s("/redirect/")).size(), 4);
    for (const char* path : {"/blank", "/badvar", "/coded", "/notposted", "/form/new"})
        EXPECT_FALSE(sent.join(u' ').contains(QLatin1String(path))) << path;
    ASSERT_TRUE(sent.contains(s("POST /form/update")));
    EXPECT_EQ(requests().last()[u"body"].toString(), s("u=1"));

    static const QRegularExpression errorLine(s("^ERROR: 127\\.0\\.0\\.1\\[(\\d+) - (.+)\\]$"));
    const QStringList log = runLog();
    qsizetype at = 0;
    for (const Case& c : cases) {
        const QString site = s(c.site);
        SCOPED_TRACE(c.site);
        if (c.clientError) {
            ASSERT_LT(at + 1, log.size());
            const auto error = errorLine.match(log[at]);
            ASSERT_TRUE(error.hasMatch()) << log[at].toStdString();
            EXPECT_NE(error.captured(1), s("151"));
            EXPECT_EQ(log[at + 1],
                      s("Posting Error - ") + error.captured(2) + QLatin1Char('(') + site + QLatin1Char(')'));
            at += 2;
        } else {
            EXPECT_EQ(log.mid(at, c.log.size()), c.log);
            at += c.log.size();
        }
        EXPECT_EQ(cell(site, SubmitCol), c.booked || site == s("N Renew") ? s("Update") : s("New"));
        EXPECT_EQ(cell(site, LastPostCol), c.booked ? today() : s("Unknown"));
    }
    EXPECT_EQ(at, log.size()) << log.join(u'\n').toStdString();

    // A failure before any answer leaves the page without response text,
    // never with the text the site before received.
    EXPECT_TRUE(reportFile(s("G Drop _HTTP.htm")).join(u'\n').contains(s("xxxxxxxxxx")));
    EXPECT_FALSE(reportFile(s("H Refused _HTTP.htm")).join(u'\n').contains(s("xxxxxxxxxx")));
    EXPECT_TRUE(reportFile(s("E Missing _HTTP.htm")).contains(s("status")));
    EXPECT_TRUE(pageTexts(s("E Missing"), "HTTP").endsWith(s("Posting Error - 151: 404 Not Found(E Missing)")));
    EXPECT_TRUE(pageTexts(s("E Missing"), "HTTP").contains(s("ERROR: 127.0.0.1[151 - 151: 404 Not Found]")));
    EXPECT_FALSE(pageTexts(s("A Found"), "HTTP").join(u' ').contains(s("ERROR")));
    EXPECT_TRUE(pageTexts(s("A Found"), "HTTP").contains(s("End Transfer: 127.0.0.1")));
    EXPECT_EQ(pageTexts(s("I Blank"), "HTTP"), QStringList{s("No Engine Script For HTTP Post For: I Blank")});
    EXPECT_EQ(pageTexts(s("J BadVar"), "HTTP"), QStringList{s("SCRIPT ERROR FOR J BadVar")});
    EXPECT_TRUE(pageExists(s("K Coded"), "HTTP"));
    EXPECT_TRUE(pageTexts(s("K Coded"), "HTTP").isEmpty());
    for (const char* site : {"L NoPath", "M SpacesUrl", "O NotPosted"})
        EXPECT_FALSE(pageExists(s(site), "HTTP")) << site;

    EXPECT_EQ(page()->reports().SucceededCount, 6);
    EXPECT_EQ(page()->reports().FailedCount, 8);
    EXPECT_EQ(page()->sitesProcessed(), 14);
}

TEST_F(RunTest, HangingServerTimesOutAfterTheSetSeconds) {
    httpEngine(s("Slow"), s("/hang?s=40"));
    open();
    EXPECT_EQ(main()->model().HTTPTimer->interval(), 10000);
    QElapsedTimer elapsed;
    elapsed.start();
    submit();
    const qint64 ms = elapsed.elapsed();
    EXPECT_GE(ms, 9990);
    EXPECT_LT(ms, 20000);
    EXPECT_EQ(runLog(), QStringList{s("Posting Error - TIMED OUT!(Slow)")});
    EXPECT_TRUE(pageTexts(s("Slow"), "HTTP").endsWith(s("Posting Error - TIMED OUT!(Slow)")));
    EXPECT_EQ(cell(s("Slow"), SubmitCol), s("New"));
    EXPECT_FALSE(main()->model().HTTPTimer->isActive());
    EXPECT_EQ(main()->model().HTTP1->action(), platform::HttpClient::Action::Idle);
}

TEST_F(RunTest, SkipEndsTheHangingRequestAndTheSiteButNotTheRun) {
    engine(s("Hang"),
           s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=") + url(s("/hang?s=40")) +
               s("\r\nUSE_EMAIL=1\r\nEMAIL_TONAME=new@hang.example\r\n"),
           "a=1");
    httpEngine(s("Next"), s("/ok"));
    open();

    bool checked = false;
    whileWaiting([&] {
        checked = true;
        // The page while the run waits inside the request.
        EXPECT_TRUE(main()->model().Posting);
        EXPECT_FALSE(page()->submitBtn->isEnabled());
        EXPECT_FALSE(page()->ViewReport->isEnabled());
        EXPECT_FALSE(page()->print->isEnabled());
        EXPECT_FALSE(page()->exitb->isEnabled());
        EXPECT_TRUE(page()->skip->isEnabled());
        EXPECT_TRUE(page()->cancel->isEnabled());
        EXPECT_FALSE(main()->filepd->menuAction()->isEnabled());
        EXPECT_FALSE(main()->Mnu_Help->menuAction()->isEnabled());
        EXPECT_FALSE(main()->Mnu_Reports->isEnabled());
        EXPECT_EQ(page()->currentsite->text(), s("Hang"));
        EXPECT_EQ(page()->httpstatus->text(), s("HTTP Posting: Hang"));
        EXPECT_TRUE(page()->httpled->isOn() && page()->httpled->isBlinking());
        EXPECT_FALSE(page()->ftpled->isOn() || page()->mailled->isOn());
        EXPECT_EQ(page()->sitesToPost(), 2);
        EXPECT_TRUE(main()->model().HTTPTimer->isActive());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        // The tab veto.
        dialogs.clear();
        main()->PageControl1->setCurrentIndex(0);
        EXPECT_EQ(main()->activePage(), page());
        EXPECT_EQ(dialogs.texts(), QStringList{s("Tab Change Not Allowed While Posting!")});
        // Nor does the window close.
        EXPECT_FALSE(main()->close());
        EXPECT_TRUE(main()->isVisible());
        QTest::mouseClick(page()->skip, Qt::LeftButton);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    submit();
    EXPECT_LT(elapsed.elapsed(), 8000);
    EXPECT_TRUE(checked);

    EXPECT_EQ(runLog(),
              (QStringList{s("ERROR: 127.0.0.1[42 - Request stopped]"), s("Posting Error - Request stopped(Hang)"),
                           s("SKIPPED -> Hang"), s("Completed HTTP Post to: Next")}));
    EXPECT_FALSE(pageExists(s("Hang"), "EMAIL"));
    EXPECT_EQ(cell(s("Hang"), SubmitCol), s("New"));
    EXPECT_EQ(cell(s("Next"), SubmitCol), s("Update"));
    EXPECT_EQ(page()->reports().FailedCount, 1);
    EXPECT_EQ(page()->reports().SucceededCount, 1);
    EXPECT_FALSE(main()->model().Posting);
    EXPECT_TRUE(main()->filepd->menuAction()->isEnabled());
    EXPECT_EQ(page()->sitesToPost(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(RunTest, CancelStopsTheRequestAndEndsTheRunAtTheNextCheckPoint) {
    httpEngine(s("Hang"), s("/hang?s=40"));
    httpEngine(s("Later"), s("/later"));
    open();
    dialogs.answers.enqueue(Answer::Yes);
    whileWaiting([&] { QTest::mouseClick(page()->cancel, Qt::LeftButton); });
    submit();

    EXPECT_EQ(targets(), QStringList{s("POST /hang?s=40")});
    EXPECT_EQ(dialogs.kinds(), (QStringList{s("modal"), s("yesNo"), s("yesNo")}));
    EXPECT_EQ(dialogs.calls[1].text, s("Sure you want to cancel all posts?"));
    EXPECT_TRUE(dialogs.calls[1].beepBefore);
    EXPECT_EQ(dialogs.calls[2].text, s("Submission Process Done. View Report?"));
    EXPECT_EQ(runLog(),
              (QStringList{s("ERROR: 127.0.0.1[42 - Request stopped]"), s("Posting Error - Request stopped(Hang)")}));
    // Counted, but its cells are untouched and it was not "processed".
    EXPECT_EQ(page()->reports().FailedCount, 1);
    EXPECT_EQ(page()->sitesProcessed(), 0);
    EXPECT_EQ(cell(s("Hang"), SubmitCol), s("New"));
    EXPECT_EQ(cell(s("Hang"), LastPostCol), s("Unknown"));
    EXPECT_FALSE(pageExists(s("Later"), "HTTP"));
    EXPECT_TRUE(reportFile(s("MainReport.htm")).join(u'\n').contains(s("Hang HTTP")));
    EXPECT_TRUE(QFileInfo::exists(runFolder() + s("/LogReport.htm")));
    EXPECT_TRUE(dir.exists(s("data/PhotoTidy_SITES.dat")));
    EXPECT_FALSE(main()->model().Posting);
}

// Every refusal before a run: its message, no request, and both lists
// emptied all the same.
TEST_F(RunTest, RefusalsBeforeTheRunLeaveEmptyListsAndSendNothing) {
    struct Case {
        const char* name;
        std::map<QString, QString> profile;
        const char* kind;
        const char* message;
    };
    const QString nowhere = dir.file(s("archive/none.gif"));
    const QList<Case> cases{
        {"no application", {}, "message", "You have not selected an app to submit."},
        {"8char", {{s("8CHAR"), {}}}, "message", "The 8 Character Filename for this app is blank."},
        {"platform", {{s("PLATFORM"), {}}}, "message", "You have not selected the platform for this application"},
        {"submitter", {{s("DSTATUS"), {}}}, "message", "You have not selected the distribution for this application"},
        {"status", {{s("STATUS"), {}}}, "message", "You have not selected the status for this application"},
        {"archive",
         {{s("PATH"), dir.file(s("archive/gone.exe"))}},
         "message",
         "You have selected an invalid local path for this application's file."},
        {"archive is a folder",
         {{s("PATH"), dir.file(s("archive"))}},
         "message",
         "You have selected an invalid local path for this application's file."},
        {"ico", {{s("ICOPATH"), nowhere}}, "message", "You have selected an invalid path for the Ico file."},
        {"gif", {{s("GIFPATH"), nowhere}}, "message", "You have selected an invalid path for the Gif file."},
        {"shot",
         {{s("SCREENPATH"), nowhere}},
         "message",
         "You have selected an invalid path for the Screen Shot file."},
        {"other", {{s("OTHERPATH"), nowhere}}, "message", "You have selected an invalid path for the \"Other\" file."},
        {"nothing to post", {}, "errorMessage", "You do not have any sites set to post!"},
        {"category not set",
         {},
         "errorMessage",
         "You have a site set to post against that needs a category set. Please set before posting!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        sites_.clear();
        QFile::remove(logPath());
        writeProfile(c.profile);
        dir.write(s("data/Acme Software Apps.dat"), c.name == std::string("no application") ? "" : "PhotoTidy\r\n");
        httpEngine(s("Alpha"), s("/alpha"), "a=1", s("USE_CAT2=1\r\n"));
        selectionLines({c.name == std::string("nothing to post")    ? s("Alpha|New|N/A|Games|Unknown|N")
                        : c.name == std::string("category not set") ? s("Alpha|New|N/A|NOT SET!|Unknown|Y")
                                                                    : s("Alpha|New|N/A|Games|Unknown|Y")});
        open();
        page()->AddLogLine(s("old log line"));
        page()->AddFtpLine(s("old ftp line"));
        submit();
        ASSERT_EQ(dialogs.calls.size(), 1) << dialogs.texts().join(u'\n').toStdString();
        EXPECT_EQ(dialogs.calls[0].kind, s(c.kind));
        EXPECT_EQ(dialogs.calls[0].text, s(c.message));
        EXPECT_TRUE(dialogs.calls[0].beepBefore);
        EXPECT_EQ(page()->log->count(), 0);
        EXPECT_EQ(page()->ftplist->count(), 0);
        EXPECT_TRUE(requests().isEmpty());
        EXPECT_FALSE(main()->model().Posting);
        EXPECT_TRUE(page()->submitBtn->isEnabled());
    }
}

TEST_F(RunTest, SavePromptsComeInOrderAndCancelOrARejectedVerificationStartsNothing) {
    httpEngine(s("Alpha"), s("/alpha"));
    open();
    // Cancel at the second prompt.
    main()->model().AppSaved = main()->model().CompanySaved = main()->model().EngineSaved = false;
    for (Answer a : {Answer::No, Answer::Cancel})
        dialogs.answers.enqueue(a);
    page()->AddLogLine(s("old"));
    submit();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{s("Would you like to save PhotoTidy?"), s("Would you like to save Changed Company Info?")}));
    EXPECT_EQ(dialogs.kinds(), (QStringList{s("yesNoCancel"), s("yesNoCancel")}));
    EXPECT_TRUE(dialogs.calls[0].beepBefore && dialogs.calls[1].beepBefore);
    EXPECT_EQ(page()->log->count(), 0);
    EXPECT_TRUE(requests().isEmpty());

    // All three answered, then the verification rejected.
    dialogs.clear();
    for (int i = 0; i < 3; ++i)
        dialogs.answers.enqueue(Answer::No);
    QString shown;
    dialogs.onModal = [&](QDialog& form) {
        shown = form.findChild<QLabel*>(s("TotalLbl"))->text() + QLatin1Char('/') +
                form.findChild<QLabel*>(s("HTTPLbl"))->text() + QLatin1Char('/') +
                form.findChild<QLabel*>(s("NewLbl"))->text() + QLatin1Char('/') + form.windowTitle();
        return int(QDialog::Rejected);
    };
    submit();
    EXPECT_EQ(dialogs.texts(),
              (QStringList{s("Would you like to save PhotoTidy?"), s("Would you like to save Changed Company Info?"),
                           s("Would you like to save Added/Changed Engine Info?"), s("SubmissionVerifyFrm")}));
    EXPECT_EQ(shown, s("1/1/1/Submission Verification:"));
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_FALSE(main()->model().Posting);
}

TEST_F(RunTest, MissingMailSettingsBringTheSettingsDialogUntilFilledOrCancelled) {
    writeSettings(QString());
    httpEngine(s("Alpha"), s("/alpha"));
    open();
    // Cancel: the run does not start, and the dialog is not forced on the user again.
    dialogs.onModal = [](QDialog&) { return int(QDialog::Rejected); };
    submit();
    EXPECT_EQ(dialogs.kinds(), QStringList{s("modal")});
    EXPECT_TRUE(requests().isEmpty());

    // OK with the server still empty shows it again; then filled, the run goes on.
    dialogs.clear();
    int settingsShown = 0;
    dialogs.onModal = [&](QDialog& form) {
        if (auto* settings = qobject_cast<TSettingsForm*>(&form)) {
            if (++settingsShown == 2)
                settings->smtpedit->setText(s("127.0.0.1:1"));
            settings->OkBtnClick();
            return int(QDialog::Accepted);
        }
        return int(QDialog::Accepted);
    };
    submit();
    EXPECT_EQ(settingsShown, 2);
    EXPECT_EQ(main()->model().Settings.SMTP, s("127.0.0.1:1"));
    EXPECT_EQ(targets(), QStringList{s("POST /alpha")});
}

TEST_F(RunTest, PortThatIsNoNumberStopsWithTheConversionErrorBeforeAnyCheck) {
    writeSettings(s("127.0.0.1:1"), s("8o8o"));
    writeProfile({{s("8CHAR"), {}}});
    httpEngine(s("Alpha"), s("/alpha"));
    open();
    submit();
    EXPECT_EQ(dialogs.kinds(), QStringList{s("exception")});
    EXPECT_EQ(dialogs.texts(), QStringList{s("'8o8o' is not a valid integer value")});
    EXPECT_FALSE(main()->model().Posting);
    EXPECT_TRUE(requests().isEmpty());
}

TEST_F(RunTest, PrintViewReportsAndExitButtons) {
    httpEngine(s("Alpha"), s("/alpha"));
    open();
    QTest::mouseClick(page()->print, Qt::LeftButton);
    QTest::mouseClick(page()->ViewReport, Qt::LeftButton);
    EXPECT_EQ(dialogs.kinds(), (QStringList{s("message"), s("message")}));
    EXPECT_EQ(dialogs.texts(), (QStringList{s("You do not have a log to print."), s("No Reports Found")}));
    EXPECT_TRUE(dialogs.calls[0].beepBefore);

    submit();
    dialogs.clear();
    QTest::mouseClick(page()->print, Qt::LeftButton);
    EXPECT_EQ(dialogs.kinds(), QStringList{s("print")});
    EXPECT_EQ(dialogs.printed, runLog());
    EXPECT_EQ(dialogs.printed, QStringList{s("Completed HTTP Post to: Alpha")});
    // With a run on disk the report browser opens.
    dialogs.clear();
    QTest::mouseClick(page()->ViewReport, Qt::LeftButton);
    EXPECT_EQ(dialogs.kinds(), QStringList{s("modal")});

    QTest::mouseClick(page()->exitb, Qt::LeftButton);
    EXPECT_FALSE(main()->isVisible());
}

TEST_F(RunTest, LongDescriptionIsWrappedBeforeTheScriptsSeeIt) {
    const QByteArray words = "one two three four five six seven eight nine ten eleven twelve thirteen fourteen";
    dir.write(s("data/PhotoTidy.lds"), words + "\r\n");
    httpEngine(s("Alpha"), s("/alpha"), "d=%APPLONGDESC%");
    open();
    submit();
    ASSERT_EQ(requests().size(), 1);
    const QString body = requests()[0][u"body"].toString();
    // 72 columns: the first line ends with the blank after "thirteen".
    EXPECT_EQ(body, s("d=one%20two%20three%20four%20five%20six%20seven%20eight%20nine%20ten%20eleven%20twelve%20"
                      "thirteen%20\r\nfourteen"));
    EXPECT_FALSE(main()->model().AppSaved);
}

TEST_F(RunTest, PathsOfASiteRunInOrderAndTheCopyFollowsASentMessage) {
    QTemporaryDir store;
    ServerProcess smtp;
    ASSERT_TRUE(smtp.start(s("smtp_server.py"), {store.path()})) << smtp.error().toStdString();
    writeSettings(s("127.0.0.1:%1").arg(smtp.port()));
    engine(s("Mail"),
           s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=") + url(s("/mail")) +
               s("\r\nUSE_EMAIL=1\r\nEMAIL_SEND_COPY=1\r\nEMAIL_TONAME=site@mail.example\r\n"
                 "EMAIL_SUBJECT=New %APPNAME%\r\n"),
           "a=1");
    dir.write(s("sites/Mail EMAIL_NEW.scp"), "Please list %APPNAME%.\r\n");
    // An update row whose engine has a recipient for new submissions only.
    engine(s("Quiet"), s("USE_EMAIL=1\r\nEMAIL_TONAME=new@quiet.example\r\n"));
    dir.write(s("sites/Quiet EMAIL_UPDATE.scp"), "Updated.\r\n");
    selectionLines({s("Quiet|Update|N/A|N/A|Unknown|Y")});
    open();
    submit();

    QStringList recipients;
    for (const QFileInfo& file : QDir(store.path()).entryInfoList({s("*.json")}, QDir::Files, QDir::Name)) {
        QFile f(file.filePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QJsonObject envelope = QJsonDocument::fromJson(f.readAll()).object();
        for (const QJsonValue& to : envelope[u"rcpt_tos"].toArray())
            recipients << to.toString();
    }
    EXPECT_EQ(recipients, (QStringList{s("site@mail.example"), s("ann@acme.example")}));
    const QStringList log = runLog();
    const qsizetype posted = log.indexOf(s("Completed HTTP Post to: Mail"));
    const qsizetype mailed = log.indexOf(s("Mail E-Mailed Information."));
    const qsizetype copied = log.indexOf(s("ann@acme.example E-Mailed Copy."));
    EXPECT_TRUE(posted >= 0 && posted < mailed && mailed < copied) << log.join(u'\n').toStdString();
    QStringList labels;
    for (const QString& entry : page()->reports().FinalSubsList)
        labels << entry.section(TReportsFrm::EntrySeparator, 0, 0);
    EXPECT_EQ(labels, (QStringList{s("Mail HTTP"), s("Mail EMAIL")}));
    EXPECT_EQ(cell(s("Mail"), SubmitCol), s("Update"));
    EXPECT_EQ(cell(s("Quiet"), LastPostCol), today());
    EXPECT_EQ(page()->reports().SucceededCount, 2);
}

TEST_F(RunTest, HugeAnswerComesInBlocksWhileTheWindowStaysLive) {
    const int size = 40'000'000;
    httpEngine(s("Huge"), s("/huge?size=%1").arg(size));
    httpEngine(s("Next"), s("/ok"));
    open();
    // The longest time between two turns of a 10 ms timer while an answer comes in.
    QElapsedTimer clockOfTicks;
    qint64 lastTick = -1, longestGap = 0;
    int ticks = 0;
    QObject::connect(main()->model().HTTP1, &platform::HttpClient::connected, [&] { lastTick = clockOfTicks.elapsed(); });
    QObject::connect(main()->model().HTTP1, &platform::HttpClient::endTransfer, [&] {
        longestGap = qMax(longestGap, clockOfTicks.elapsed() - lastTick);
        lastTick = -1;
    });
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (lastTick < 0)
            return;
        const qint64 now = clockOfTicks.elapsed();
        longestGap = qMax(longestGap, now - lastTick);
        lastTick = now;
        ++ticks;
    });
    clockOfTicks.start();
    ticker.start();
    submit();

    EXPECT_EQ(runLog(), (QStringList{s("Completed HTTP Post to: Huge"), s("Completed HTTP Post to: Next")}));
    const QStringList transfers = pageTexts(s("Huge"), "HTTP").filter(s("Transfered: "));
    EXPECT_GT(transfers.size(), 10);
    EXPECT_EQ(transfers.last(), s("Transfered: %1bytes").arg(size));
    EXPECT_GE(QFileInfo(runFolder() + s("/Huge _HTTP.htm")).size(), size);
    EXPECT_GT(ticks, 3);
    EXPECT_LT(longestGap, 250);
}

TEST_F(RunTest, PageHasEveryControlNamedCaptionedAndWithinThePage) {
    open();
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        bool enabled;
    } buttons[] = {
        {"submitBtn", "Save/Submit", "Saves the current app and submits it to all sites marked to post.", true},
        {"skip", "Skip",
         "Instructs Postrix to stop posting to this site and go to the next one.  This may take a while depending "
         "on Postrix's current state.",
         false},
        {"cancel", "Cancel",
         "Instructs Postrix to Cancel this entire submission run.  This can take some time depending on Postrix's "
         "current state.",
         false},
        {"ViewReport", "View Reports", "View Submission reports with your default web browser.", true},
        {"print", "Print Log", "Print the current log to your printer.", true},
        {"exitb", "Exit", "Close Postrix.", true},
    };
    const QRect area = page()->rect();
    for (const auto& b : buttons) {
        auto* button = page()->findChild<QPushButton*>(QLatin1String(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), s(b.caption));
        EXPECT_EQ(button->toolTip(), s(b.hint));
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        EXPECT_GT(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8) << b.name;
    }
    for (const char* name : {"currentsite",    "httpstatus",
                             "httpbytes",      "mailstatus",
                             "ftpstatus",      "ftpled",
                             "httpled",        "mailled",
                             "SitesToPostdgt", "SitesProcesseddgt",
                             "PostStatus",     "ProgressBar1",
                             "ftplist",        "log",
                             "submitBtn",      "skip",
                             "cancel",         "ViewReport",
                             "print",          "exitb"}) {
        QWidget* control = page()->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(area.contains(control->geometry())) << name;
    }
    EXPECT_FALSE(page()->findChild<QWidget*>(s("xfer"))->isVisibleTo(page()));
    EXPECT_FALSE(page()->ProgressBar1->isVisibleTo(page()));
    QStringList captions;
    for (const QLabel* label : page()->findChildren<QLabel*>())
        if (label->objectName().isEmpty()) {
            captions << label->text();
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
        }
    for (const char* caption : {"Current:", "HTTP Status:", "HTTP Bytes:", "Mail Status:", "FTP Status:", "FTP:",
                                "HTTP:", "EMAIL:", "Total To Post:", "Total Processed:", "Total Progress:", "Log:"})
        EXPECT_TRUE(captions.contains(s(caption))) << caption;
    for (const char* status : {"httpstatus", "mailstatus", "ftpstatus"})
        EXPECT_EQ(page()->findChild<QLabel*>(QLatin1String(status))->text(), s("Idle"));

    // The lamps blink at half-second steps.
    TALed* led = page()->httpled;
    led->setOn(true);
    led->setBlinking(true);
    EXPECT_TRUE(led->isLit());
    QTest::qWait(TALed::BlinkPeriodMs + 150);
    EXPECT_FALSE(led->isLit());
    led->setBlinking(false);
    EXPECT_TRUE(led->isLit());
    led->setOn(false);
    EXPECT_FALSE(led->isLit());
}
