// Whole submission runs with FTP sites on the real main window, against the
// real FTP test server (and the HTTP one where a site also posts a form):
// the retries as set, Skip and Cancel inside an upload, the log-off after the
// last attempt, the FTP list and report page, and the booking of each site.
#include "ProgramFixture.h"
#include "RunProfiles.h"
#include "ServerProcess.h"

#include "engines/EngineFiles.h"
#include "platform/TextFile.h"
#include "platform/ZipArchiver.h"
#include "reports/TReportsFrm.h"
#include "FtpScreens.h"
#include "run/SubmitPage.h"
#include "run/TALed.h"
#include "selection/SiteSelection.h"
#include "selection/SitesPage.h"
#include "model/TGWide.h"

#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using Answer = platform::Dialogs::Answer;
using namespace selection;

namespace {

const QString User = QStringLiteral("bob");
const QString Password = QStringLiteral("s3cret-pw");

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray bytes(qsizetype size) {
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + 7) % 256);
    return data;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

int countStarting(const QStringList& lines, const QString& start) {
    int n = 0;
    for (const QString& line : lines)
        n += line.startsWith(start);
    return n;
}

} // namespace

// One company and one application (PhotoTidy, its archive phototidy.exe);
// each test starts the FTP server it needs and writes its engines.
class FtpRunTest : public ProgramFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        archiveData = bytes(60000);
        dir.write(s("archive/phototidy.exe"), archiveData);
        dir.write(s("companies/companies.dat"), "Acme Software\r\n");
        dir.write(s("companies/Acme Software.dat"),
                  "[COMPANY]\r\nCONAME=Acme Software\r\nCONTACT=Ann Smith\r\nCEMAIL=ann@acme.example\r\n");
        dir.write(s("data/Acme Software Apps.dat"), "PhotoTidy\r\n");
        dir.write(s("data/PhotoTidy.dat"),
                  platform::text::toCp1252(s("[APPINFO]\r\nNAME=PhotoTidy\r\nFILENAME=phototidy.exe\r\n"
                                             "8CHAR=phototdy\r\nVERSION=2.1\r\nPLATFORM=Windows 95\r\n"
                                             "DSTATUS=Author\r\nSTATUS=Shareware\r\nPATH=") +
                                           dir.file(s("archive/phototidy.exe")) + s("\r\n")));
        dir.write(s("settings.dat"), "[SETTINGS]\r\nSMTP=127.0.0.1:1\r\nEMAIL=ann@acme.example\r\nNAME=Ann\r\n"
                                     "PROXY=\r\nPORT=80\r\nFTPRetries=0\r\nHTTPTimeOut=10\r\n");
    }

    void TearDown() override {
        if (HasFailure() && program && main())
            std::cerr << "run log:\n"
                      << runLog().join(u'\n').toStdString() << "\nFTP list:\n"
                      << itemsOf(page()->ftplist).join(u'\n').toStdString() << std::endl;
        ProgramFixture::TearDown();
    }

    void startFtp(const QStringList& options = {}) {
        QDir(root.path()).mkpath(s("incoming"));
        ASSERT_TRUE(ftp.start(s("ftp_server.py"), QStringList{root.path(), User, Password} + options))
            << ftp.error().toStdString();
    }
    void startHttp() {
        ASSERT_TRUE(requestLog.isValid());
        ASSERT_TRUE(http.start(s("http_server.py"), {requestLog.filePath(s("requests.log"))}))
            << http.error().toStdString();
    }
    QStringList httpTargets() const {
        QStringList targets;
        QFile file(requestLog.filePath(s("requests.log")));
        if (file.open(QIODevice::ReadOnly))
            while (!file.atEnd())
                if (const QByteArray line = file.readLine().trimmed(); !line.isEmpty())
                    targets << QJsonDocument::fromJson(line).object()[u"target"].toString();
        return targets;
    }

    // An FTP engine on the test server; more: further settings lines.
    void ftpEngine(const QString& name, const QString& more = {}, const QByteArray& script = {}) {
        sites_ << name;
        // The first of two equal keys counts: more goes first.
        const QString settings = s("[SETTINGS]\r\n") + more +
                                 s("USE_FTP_UPLOAD=1\r\nFTP_SERVER=127.0.0.1:%1\r\nLOGIN_NAME=bob\r\n"
                                   "LOGIN_PASSWORD=%2\r\nREMOTE_PATH=incoming/\r\n")
                                     .arg(ftp.port())
                                     .arg(Password);
        dir.write(s("sites/") + name + s(".ini"), platform::text::toCp1252(settings));
        if (!script.isEmpty())
            dir.write(s("sites/") + name + s(" FTP_NEW.scp"), script);
    }
    void httpEngine(const QString& name, const QString& more = {}) {
        sites_ << name;
        dir.write(
            s("sites/") + name + s(".ini"),
            platform::text::toCp1252(
                s("[SETTINGS]\r\nUSE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=http://127.0.0.1:%1/ok\r\n").arg(http.port()) +
                more));
        dir.write(s("sites/") + name + s(" HTTP_NEW.scp"), "a=1");
    }
    QString httpLines() const {
        return s("USE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=http://127.0.0.1:%1/form\r\n").arg(http.port());
    }

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
    void submit() { QTest::mouseClick(page()->submitBtn, Qt::LeftButton); }
    QStringList runLog() const { return itemsOf(page()->log); }

    QString cell(const QString& site, int column) const {
        TSitesPage* sites = main()->SitesSheet;
        for (int r = 0; r < sites->rowCount(); ++r)
            if (sites->cell(r, SiteCol) == site)
                return sites->cell(r, column);
        return s("<no row>");
    }
    QString today() const { return platform::shortDate(clock.now().date()); }

    // The texts of a report page's time-stamped paragraphs.
    QStringList pageTexts(const QString& site, const char* path) const {
        static const QRegularExpression paragraph(
            s("^<p><small><font face=\"Arial\">\\[[^\\]]*\\] - (.*)</font></small></p>$"));
        const QString file =
            page()->reports().RunReportDir + QLatin1Char('/') + site + s(" _") + QLatin1String(path) + s(".htm");
        QStringList texts;
        for (const QString& line : platform::text::readLines(file))
            if (const auto m = paragraph.match(line); m.hasMatch())
                texts << m.captured(1);
        return texts;
    }

    void slowArchive(qsizetype size) {
        archiveData = bytes(size);
        dir.write(s("archive/phototidy.exe"), archiveData);
    }

    // Runs action once an upload is under way (inside the run's wait).
    void whileUploading(std::function<void()> action) {
        auto* poll = new QTimer(main());
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, main(), [this, poll, action] {
            if (!page()->ftpstatus->text().startsWith(s("Bytes Transfered: ")))
                return;
            poll->stop();
            poll->deleteLater();
            action();
        });
        poll->start();
    }

    QTemporaryDir root; // the FTP server's folder
    QTemporaryDir requestLog;
    ServerProcess ftp;
    ServerProcess http;
    QStringList sites_;
    QByteArray archiveData;
};

// Two sites uploaded in one run: the archive as it is with its text file
// beside it, and a zip under the 8+3 name with the text file inside; the
// report page holds the FTP list, the password never shows, and the client
// logs off after each site.
TEST_F(FtpRunTest, SitesAreUploadedReportedAndBooked) {
    startFtp();
    ftpEngine(s("Alpha"), s("ADD_FILE_TO_ZIP=1\r\nFTP_FILENAME=%APPNAME%.TXT\r\n"), "Name: %APPNAME%\r\n");
    ftpEngine(s("Beta"),
              s("USE_ZIP_FILE=1\r\nUSE_8X3_FILENAME=1\r\nINCLUDE_IN_ZIP=1\r\nFTP_FILENAME=%APPNAME%.TXT\r\n"),
              "Name: %APPNAME%\r\n");
    open();
    submit();

    EXPECT_EQ(runLog(), (QStringList{s("Uploaded incoming/phototidy.exe to Alpha"),
                                     s("Uploaded PhotoTidy.TXT to Alpha"), s("Uploaded phototdy.zip to Beta")}));
    EXPECT_EQ(readAll(root.filePath(s("incoming/phototidy.exe"))), archiveData);
    EXPECT_EQ(readAll(root.filePath(s("incoming/PhotoTidy.TXT"))), QByteArray("Name: PhotoTidy\r\n"));
    QTemporaryDir unpacked;
    platform::ZipArchiver zip;
    ASSERT_TRUE(zip.extractAll(root.filePath(s("incoming/phototdy.zip")), unpacked.path()).ok);
    EXPECT_EQ(QDir(unpacked.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{s("PhotoTidy.TXT"), s("phototidy.exe")}));
    EXPECT_EQ(readAll(unpacked.filePath(s("phototidy.exe"))), archiveData);

    for (const char* site : {"Alpha", "Beta"}) {
        SCOPED_TRACE(site);
        EXPECT_EQ(cell(s(site), SubmitCol), s("Update"));
        EXPECT_EQ(cell(s(site), LastPostCol), today());
        const QStringList texts = pageTexts(s(site), "FTP");
        EXPECT_EQ(countStarting(texts, s("CLIENT: USER bob")), 1);
        EXPECT_TRUE(texts.contains(s("CLIENT: PASS ****")));
        EXPECT_TRUE(texts.contains(s("TRANSFER END.")));
        for (const QString& line : texts)
            EXPECT_FALSE(line.contains(Password)) << line.toStdString();
    }
    // The page got the list as it stood after the last attempt; the log-off
    // that follows it is still seen in the list.
    const QStringList list = itemsOf(page()->ftplist);
    const QStringList betaPage = pageTexts(s("Beta"), "FTP");
    ASSERT_LT(betaPage.size(), list.size());
    EXPECT_EQ(list.mid(0, betaPage.size()), betaPage);
    EXPECT_TRUE(list.mid(betaPage.size()).contains(s("CLIENT: QUIT")))
        << list.mid(betaPage.size()).join(u'\n').toStdString();
    EXPECT_FALSE(betaPage.contains(s("CLIENT: QUIT")));
    EXPECT_TRUE(
        pageTexts(s("Beta"), "FTP").contains(s("Adding To Zip File: ") + main()->model().GWide.FilesDir + s("PhotoTidy.TXT")));

    EXPECT_EQ(page()->reports().SucceededCount, 2);
    EXPECT_EQ(page()->ftpstatus->text(), s("Idle"));
    EXPECT_FALSE(page()->ftpled->isOn());
}

// A refused log-on is tried 1 + "FTPRetries" times, each with a fresh log-on.
TEST_F(FtpRunTest, RefusedLogOnIsRetriedAsSet) {
    startFtp();
    ftpEngine(s("Locked"), s("LOGIN_PASSWORD=wrong\r\n"));
    open();
    for (const int retries : {0, 2, 3}) {
        SCOPED_TRACE(retries);
        main()->model().Settings.FTPRetries = retries;
        submit();
        const QStringList texts = pageTexts(s("Locked"), "FTP");
        EXPECT_EQ(countStarting(texts, s("EXCEPTION: ")), 1 + retries);
        EXPECT_EQ(countStarting(texts, s("CLIENT: USER bob")), 1 + retries);
        EXPECT_EQ(page()->reports().FailedCount, 1);
        EXPECT_EQ(cell(s("Locked"), SubmitCol), s("New"));
        EXPECT_EQ(cell(s("Locked"), LastPostCol), s("Unknown"));
        EXPECT_TRUE(runLog().isEmpty());
    }
}

// A 421 reply to the upload fails the attempt; a retry then succeeds.
TEST_F(FtpRunTest, Reply421FailsTheAttemptAndARetryRecovers) {
    startFtp({s("--refuse-stor"), s("1")});
    ftpEngine(s("Flaky"));
    open();
    main()->model().Settings.FTPRetries = 1;
    submit();
    const QStringList texts = pageTexts(s("Flaky"), "FTP");
    const QString event = s("ERR Event: 421Service not available, closing control connection.");
    ASSERT_TRUE(texts.contains(event));
    EXPECT_TRUE(texts.mid(texts.indexOf(event)).contains(s("ERROR SENDING FILE -> incoming/phototidy.exe")));
    const QStringList log = runLog();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(s("Flaky -> FTP error: 421"))) << log[0].toStdString();
    EXPECT_EQ(log[1], s("Uploaded incoming/phototidy.exe to Flaky"));
    EXPECT_EQ(readAll(root.filePath(s("incoming/phototidy.exe"))), archiveData);
    EXPECT_EQ(cell(s("Flaky"), SubmitCol), s("Update"));
}

// A site whose FTP upload fails fails, even when its HTTP post succeeds.
TEST_F(FtpRunTest, FtpFailureThenHttpSuccessBooksTheSiteFailed) {
    startFtp();
    startHttp();
    ftpEngine(s("Mixed"), s("LOGIN_PASSWORD=wrong\r\n") + httpLines());
    dir.write(s("sites/Mixed HTTP_NEW.scp"), "a=1");
    open();
    submit();
    EXPECT_EQ(runLog(), QStringList{s("Completed HTTP Post to: Mixed")});
    EXPECT_EQ(httpTargets(), QStringList{s("/form")});
    EXPECT_EQ(countStarting(pageTexts(s("Mixed"), "FTP"), s("EXCEPTION: ")), 1);
    EXPECT_EQ(page()->reports().FailedCount, 1);
    EXPECT_EQ(page()->reports().SucceededCount, 0);
    EXPECT_EQ(cell(s("Mixed"), SubmitCol), s("New"));
    EXPECT_EQ(cell(s("Mixed"), LastPostCol), s("Unknown"));
}

// Skip inside a slow upload ends it: no further attempt, nor the site's
// HTTP post; the next site goes on.
TEST_F(FtpRunTest, SkipDuringASlowUploadMakesNoFurtherAttempt) {
    // The client hands the first megabytes to the system at once; the rest
    // goes at the server's pace.
    slowArchive(8 << 20);
    startFtp({s("--read-limit"), s("1000000")});
    startHttp();
    ftpEngine(s("A Slow"), httpLines());
    dir.write(s("sites/A Slow HTTP_NEW.scp"), "a=1");
    httpEngine(s("B Next"));
    open();
    main()->model().Settings.FTPRetries = 3;
    whileUploading([this] { QTest::mouseClick(page()->skip, Qt::LeftButton); });
    QElapsedTimer elapsed;
    elapsed.start();
    submit();
    EXPECT_LT(elapsed.elapsed(), 4000); // one whole attempt takes eight seconds

    const QStringList texts = pageTexts(s("A Slow"), "FTP");
    EXPECT_EQ(countStarting(texts, s("CLIENT: USER bob")), 1);
    EXPECT_TRUE(texts.contains(s("ERROR SENDING FILE -> incoming/phototidy.exe")));
    const QStringList log = runLog();
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].startsWith(s("A Slow -> FTP error: "))) << log[0].toStdString();
    EXPECT_EQ(log.mid(1), (QStringList{s("SKIPPED -> A Slow"), s("Completed HTTP Post to: B Next")}));
    EXPECT_EQ(httpTargets(), QStringList{s("/ok")});
    EXPECT_EQ(cell(s("A Slow"), SubmitCol), s("New"));
    EXPECT_EQ(cell(s("B Next"), SubmitCol), s("Update"));
}

// Cancel inside an upload stops it, yet the attempts left still run; the run
// then ends before the site's HTTP post and the next site.
TEST_F(FtpRunTest, CancelDuringAnUploadLeavesTheRemainingAttempts) {
    slowArchive(8 << 20);
    startFtp({s("--read-limit"), s("2000000")});
    startHttp();
    ftpEngine(s("A Slow"), httpLines());
    dir.write(s("sites/A Slow HTTP_NEW.scp"), "a=1");
    httpEngine(s("B Next"));
    open();
    main()->model().Settings.FTPRetries = 1;
    dialogs.answers.enqueue(Answer::Yes);
    whileUploading([this] { QTest::mouseClick(page()->cancel, Qt::LeftButton); });
    submit();

    EXPECT_EQ(dialogs.calls[1].text, s("Sure you want to cancel all posts?"));
    const QStringList texts = pageTexts(s("A Slow"), "FTP");
    EXPECT_EQ(countStarting(texts, s("CLIENT: USER bob")), 2);
    const QStringList log = runLog();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(s("A Slow -> FTP error: "))) << log[0].toStdString();
    EXPECT_EQ(log[1], s("Uploaded incoming/phototidy.exe to A Slow"));
    EXPECT_EQ(readAll(root.filePath(s("incoming/phototidy.exe"))), archiveData);
    EXPECT_TRUE(httpTargets().isEmpty());
    // Counted as succeeded, but its cells are left as they were.
    EXPECT_EQ(page()->reports().SucceededCount, 1);
    EXPECT_EQ(cell(s("A Slow"), SubmitCol), s("New"));
    EXPECT_FALSE(main()->model().Posting);
}

// The sample upload of the screenshot tool leaves a real FTP list and run log
// on the page when it saves, and puts everything back afterwards.
TEST_F(FtpRunTest, ScreenshotUploadFillsThePageWhileSaving) {
    startFtp();
    ftpEngine(s("Alpha"));
    open();
    const SiteEngine before = main()->model().GWide.EngBuild->Engine;
    const QString localPath = main()->findChild<QLineEdit*>(s("localpath"))->text();
    QStringList list;
    QStringList log;
    QString saved;
    renderSubmitAfterFtpUpload(*main(), s("127.0.0.1:%1").arg(ftp.port()), User, Password,
                               [&](QWidget& widget, const QString& name) {
                                   EXPECT_EQ(&widget, main());
                                   saved = name;
                                   list = itemsOf(page()->ftplist);
                                   log = runLog();
                               });
    EXPECT_EQ(saved, s("page-submit-ftp"));
    EXPECT_TRUE(list.contains(s("Sending File -> incoming/phototdy.zip")));
    EXPECT_TRUE(list.contains(s("CLIENT: QUIT")));
    EXPECT_EQ(log.size(), 2) << log.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(root.filePath(s("incoming/phototdy.zip"))));
    EXPECT_TRUE(QFile::exists(root.filePath(s("incoming/PhotoTidy.TXT"))));
    EXPECT_EQ(main()->model().GWide.EngBuild->Engine, before);
    EXPECT_EQ(main()->findChild<QLineEdit*>(s("localpath"))->text(), localPath);
    EXPECT_TRUE(main()->model().AppSaved);
    EXPECT_EQ(page()->ftplist->count(), 0);
}
