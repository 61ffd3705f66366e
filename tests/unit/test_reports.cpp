// The run report writer: its pages byte for byte against expected files, the
// run folders, the script ban in every page and the save errors.
#include "TempProgramDir.h"

#include "platform/Clock.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "reports/ReportPictures.h"
#include "reports/TReportsFrm.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

namespace {

const QString Site = QStringLiteral("Caf\u00e9 & <Soft>"); // HTML-special and non-ASCII, stands unescaped

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList subfolders(const QString& path) {
    return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// A program folder with its reports and images folders and a writer on a
// fixed clock.
struct ReportRun {
    explicit ReportRun(const QDateTime& start) : clock(start), writer(reportsDir(), imagesDir(), clock) {
        QDir().mkpath(reportsDir());
        QDir().mkpath(imagesDir());
    }
    QString reportsDir() const { return home.path() + QStringLiteral("reports/"); }
    QString imagesDir() const { return home.path() + QStringLiteral("images/"); }

    // The expected file with its placeholders filled in: the program folder,
    // the run date and the times of the run's three moments.
    QByteArray expected(const QString& fixture, const QMap<QString, QDateTime>& times) const {
        QByteArray bytes = readBytes(QStringLiteral(POSTRIX_TEST_FIXTURES "/reports/") + fixture);
        EXPECT_FALSE(bytes.isEmpty()) << qPrintable(fixture);
        bytes.replace("@HOME@", platform::text::toCp1252(home.path()));
        bytes.replace("@DATE@", platform::text::toCp1252(platform::shortDate(times.first().date())));
        for (auto it = times.begin(); it != times.end(); ++it)
            bytes.replace(it.key().toLatin1(), platform::text::toCp1252(platform::longTime(it.value().time())));
        return bytes;
    }

    TempProgramDir home;
    platform::FixedClock clock;
    TReportsFrm writer;
};

void expectSameFile(const QString& actualPath, const QByteArray& expected) {
    const QByteArray actual = readBytes(actualPath);
    EXPECT_EQ(actual.toStdString(), expected.toStdString()) << qPrintable(actualPath);
}

} // namespace

TEST(ReportWriter, SiteOnAllThreePathsGivesThreePagesLogAndSummary) {
    const QDateTime t0(QDate(1998, 6, 12), QTime(14, 30, 5, 123));
    const QDateTime t1 = t0.addSecs(3);
    const QDateTime t2 = t1.addSecs(4);
    ReportRun run(t0);
    TReportsFrm& w = run.writer;

    w.BeginRun(QStringLiteral("Zip Tool"));
    const QString runDir = run.reportsDir() + QStringLiteral("Zip Tool/1998-06-12-14-30-05-123");
    EXPECT_EQ(w.RunReportDir, runDir);
    EXPECT_EQ(w.MainReportFile, runDir + QStringLiteral("/MainReport.htm"));
    EXPECT_EQ(w.MainReportUrl, QStringLiteral("file://") + runDir + QStringLiteral("/MainReport.htm"));

    w.CurrentSite = Site;
    w.BeginPage(QStringLiteral("FTP"));
    w.AddPageLine(QStringLiteral("USER upload"));
    w.AddPageLine(QStringLiteral("230 Logged on"));
    // Only the HTTP page takes the response.
    const QStringList response = {QStringLiteral("<h3>Thanks</h3>\r\n<p>Received"),
                                  QStringLiteral(" <script>alert(1)</script>\n</p>")};
    w.EndPage(QStringLiteral("FTP"), Site, response);

    run.clock.set(t1);
    w.BeginPage(QStringLiteral("HTTP"));
    w.AddPageLine(QStringLiteral("Post Data:"));
    w.AddPageLine(QStringLiteral("name=Zip%20Tool"));
    w.EndPage(QStringLiteral("HTTP"), Site, response);
    w.BeginPage(QStringLiteral("EMAIL"));
    w.AddPageLine(QStringLiteral("Mail Sent"));
    w.EndPage(QStringLiteral("EMAIL"), Site, response);
    w.SucceededCount += 1;

    run.clock.set(t2);
    w.FinishRun({QStringLiteral("Uploaded ziptool.zip to ") + Site, Site + QStringLiteral(" E-Mailed Information.")});

    const QMap<QString, QDateTime> times = {
        {QStringLiteral("@T0@"), t0}, {QStringLiteral("@T1@"), t1}, {QStringLiteral("@T2@"), t2}};
    for (const QString& path : {QStringLiteral("FTP"), QStringLiteral("HTTP"), QStringLiteral("EMAIL")})
        expectSameFile(runDir + QLatin1Char('/') + Site + QStringLiteral(" _") + path + QStringLiteral(".htm"),
                       run.expected(QStringLiteral("three_paths/site_") + path + QStringLiteral(".htm"), times));
    expectSameFile(w.LogReportFile, run.expected(QStringLiteral("three_paths/LogReport.htm"), times));
    expectSameFile(w.MainReportFile, run.expected(QStringLiteral("three_paths/MainReport.htm"), times));
    EXPECT_EQ(QDir(runDir).entryList(QDir::Files).size(), 5);
    EXPECT_EQ(w.FinalSubsList.size(), 3);
    EXPECT_TRUE(w.FinalSubsList.value(1).startsWith(Site + QStringLiteral(" HTTP\u00b1file://")));
}

TEST(ReportWriter, RunWithNoSiteShowsZeroCountsAndTheLogLines) {
    // 7 ms: the stamp's millisecond takes one leading zero only.
    const QDateTime t0(QDate(1998, 6, 12), QTime(9, 5, 3, 7));
    const QDateTime t2 = t0.addSecs(2);
    ReportRun run(t0);
    run.writer.BeginRun(QStringLiteral("Zip Tool"));
    run.clock.set(t2);
    run.writer.FinishRun({QStringLiteral("Opening SMTP Connection"), QStringLiteral("SMTP Error")});

    const QString runDir = run.reportsDir() + QStringLiteral("Zip Tool/1998-06-12-09-05-03-07");
    const QMap<QString, QDateTime> times = {{QStringLiteral("@T0@"), t0}, {QStringLiteral("@T2@"), t2}};
    expectSameFile(runDir + QStringLiteral("/LogReport.htm"),
                   run.expected(QStringLiteral("no_site/LogReport.htm"), times));
    expectSameFile(runDir + QStringLiteral("/MainReport.htm"),
                   run.expected(QStringLiteral("no_site/MainReport.htm"), times));
    EXPECT_EQ(QDir(runDir).entryList(QDir::Files).size(), 2);
}

TEST(ReportWriter, EveryPageForbidsScriptsButLetsPicturesAndStylesLoad) {
    ReportRun run(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
    TReportsFrm& w = run.writer;
    w.BeginRun(QStringLiteral("Zip Tool"));
    w.CurrentSite = QStringLiteral("FileMeadow");
    w.BeginPage(QStringLiteral("HTTP"));
    w.EndPage(QStringLiteral("HTTP"), w.CurrentSite, {QStringLiteral("<script>x()</script>")});
    w.FinishRun({});

    const QRegularExpression policy(
        QStringLiteral("^<meta http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\">$"));
    const QStringList pages = QDir(w.RunReportDir).entryList(QDir::Files);
    ASSERT_EQ(pages.size(), 3);
    for (const QString& page : pages) {
        const QStringList lines = platform::text::readLines(w.RunReportDir + QLatin1Char('/') + page);
        const qsizetype headEnd = lines.indexOf(QStringLiteral("</head>"));
        ASSERT_GT(headEnd, 0) << qPrintable(page);
        const QStringList head = lines.mid(0, headEnd);
        const QStringList policies = head.filter(policy);
        ASSERT_EQ(policies.size(), 1) << qPrintable(page);
        const QString content = policy.match(policies.first()).captured(1);
        EXPECT_TRUE(content.contains(QStringLiteral("script-src 'none'"))) << qPrintable(page);
        for (const char* loads : {"default-src", "img-src", "style-src"})
            EXPECT_FALSE(content.contains(QLatin1String(loads))) << qPrintable(page);
    }
}

TEST(ReportWriter, TwoRunsInOneSecondGetTwoFolders) {
    const struct {
        qint64 msLater;
        const char* secondStamp;
    } cases[] = {
        {7, "2024-03-01-08-00-05-130"},
        // Stamped alike: the second run must not write into the first one's folder.
        {0, "2024-03-01-08-00-05-124"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.msLater);
        ReportRun run(QDateTime(QDate(2024, 3, 1), QTime(8, 0, 5, 123)));
        TReportsFrm& w = run.writer;
        w.BeginRun(QStringLiteral("Zip Tool"));
        w.CurrentSite = QStringLiteral("FileMeadow");
        w.BeginPage(QStringLiteral("EMAIL"));
        w.EndPage(QStringLiteral("EMAIL"), w.CurrentSite);
        w.SucceededCount = 1;
        w.FinishRun({QStringLiteral("first run")});
        const QString firstSummary = w.MainReportFile;
        const QByteArray firstBytes = readBytes(firstSummary);

        run.clock.advanceMs(c.msLater);
        w.BeginRun(QStringLiteral("Zip Tool"));
        EXPECT_EQ(w.SucceededCount, 0);
        EXPECT_TRUE(w.FinalSubsList.isEmpty());
        w.FinishRun({QStringLiteral("second run")});

        EXPECT_EQ(subfolders(run.reportsDir() + QStringLiteral("Zip Tool")),
                  QStringList({QStringLiteral("2024-03-01-08-00-05-123"), QString::fromLatin1(c.secondStamp)}));
        EXPECT_EQ(readBytes(firstSummary), firstBytes);
        EXPECT_TRUE(readBytes(w.MainReportFile).contains("<font face=\"Arial\">0</font>"));
    }
}

TEST(ReportWriter, PageThatCannotBeSavedRaisesCannotCreateFile) {
    enum class Step { SitePage, LogPage };
    const struct {
        const char* name;
        Step step;
        const char* site;
        bool removeRunFolder;
        const char* expectedFile; // below the run folder
    } cases[] = {
        {"run folder gone", Step::SitePage, "FileMeadow", true, "FileMeadow _FTP.htm"},
        {"site name with a folder in it", Step::SitePage, "Files/Meadow", false, "Files/Meadow _FTP.htm"},
        {"log page of a run folder gone", Step::LogPage, "", true, "LogReport.htm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportRun run(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
        TReportsFrm& w = run.writer;
        w.BeginRun(QStringLiteral("Zip Tool"));
        if (c.removeRunFolder) {
            ASSERT_TRUE(QDir(w.RunReportDir).removeRecursively());
        }
        const QString expected = QStringLiteral("Cannot create file ") + w.RunReportDir + QLatin1Char('/') +
                                 QString::fromUtf8(c.expectedFile);
        try {
            if (c.step == Step::SitePage) {
                w.BeginPage(QStringLiteral("FTP"));
                w.EndPage(QStringLiteral("FTP"), QString::fromUtf8(c.site));
            } else {
                w.FinishRun({});
            }
            ADD_FAILURE() << "no error";
        } catch (const platform::FileError& error) {
            EXPECT_EQ(error.message(), expected);
        }
    }
}

TEST(ReportWriter, MissingReportsFolderIsNoErrorUntilAPageIsSaved) {
    ReportRun run(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
    ASSERT_TRUE(QDir(run.reportsDir()).removeRecursively());
    EXPECT_NO_THROW(run.writer.BeginRun(QStringLiteral("Zip Tool")));
    EXPECT_THROW(run.writer.FinishRun({}), platform::FileError);
}

TEST(ReportFileLink, PathStandsAsItIsSaveWhatWouldEndTheLink) {
    const struct {
        const char* path;
        const char* link;
    } cases[] = {
        {"/home/ann/reports/Zip Tool/MainReport.htm", "file:///home/ann/reports/Zip Tool/MainReport.htm"},
        {"/r/C# Tool/Caf\u00e9 & <Soft> _HTTP.htm", "file:///r/C%23 Tool/Caf\u00e9 & <Soft> _HTTP.htm"},
        {"/r/What?/100%/say \"hi\".htm", "file:///r/What%3F/100%25/say %22hi%22.htm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportFileLink(QString::fromUtf8(c.path)), QString::fromUtf8(c.link));
}

TEST(ReportPictures, WrittenWhenMissingAndNeverOverwritten) {
    TempProgramDir home;
    const QString images = home.path() + QStringLiteral("images/");
    QDir().mkpath(images);
    home.write(QStringLiteral("images/back.jpg"), "the user's own picture");

    reports::writeMissingPictures(images);
    const QImage logo(images + QStringLiteral("pxsr.jpg"));
    EXPECT_EQ(logo.size(), QSize(180, 60));
    EXPECT_EQ(home.read(QStringLiteral("images/back.jpg")), QByteArray("the user's own picture"));

    QFile::remove(images + QStringLiteral("back.jpg"));
    reports::writeMissingPictures(images);
    EXPECT_FALSE(QImage(images + QStringLiteral("back.jpg")).isNull());
}
