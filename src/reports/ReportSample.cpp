// Writes a sample run report into a program folder, to look at the pages in a
// browser: one site on all three paths, one on HTTP only, a log page and the
// summary. Prints the summary page's path and the first HTTP page's path.
//   postrix_report_sample PROGRAM_FOLDER
#include "platform/Clock.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"
#include "reports/ReportPictures.h"
#include "reports/TReportsFrm.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

// The answer of a site that tries to run a script: the page must show it as
// text and markup only.
const QStringList SampleResponse = {
    QStringLiteral("<h3><font face=\"Arial\" color=\"#008000\">Thank you! Your program has been received.</font></h3>"),
    QStringLiteral("<p><font face=\"Arial\"><small>It will be reviewed within five working days.</small></font></p>"),
    QStringLiteral("<script>document.body.innerHTML = '<h1 style=\"color:red\">SCRIPT RAN</h1>';</script>"),
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    QString home = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!home.endsWith(QLatin1Char('/')))
        home += QLatin1Char('/');
    const QString reportsDir = home + QStringLiteral("reports/");
    const QString imagesDir = home + QStringLiteral("images/");
    platform::files::createDirectory(home);
    platform::files::createDirectory(reportsDir);
    platform::files::createDirectory(imagesDir);
    reports::writeMissingPictures(imagesDir);

    platform::FixedClock clock(QDateTime(QDate(2024, 5, 14), QTime(10, 42, 7, 315)));
    TReportsFrm writer(reportsDir, imagesDir, clock);
    QStringList log;
    try {
        writer.BeginRun(QStringLiteral("Zip Tool"));

        writer.CurrentSite = QStringLiteral("Download Harbor");
        writer.BeginPage(QStringLiteral("FTP"));
        for (const char* line : {"USER upload", "331 Password required", "PASS ****", "230 Logged on",
                                 "STOR ziptool.zip", "226 Transfer complete"})
            writer.AddPageLine(QString::fromLatin1(line));
        clock.advanceMs(2300);
        writer.EndPage(QStringLiteral("FTP"), writer.CurrentSite);
        log << QStringLiteral("Uploaded ziptool.zip to Download Harbor");

        writer.BeginPage(QStringLiteral("HTTP"));
        writer.AddPageLine(QStringLiteral("Connected to: upload.example.net[0 - OK]"));
        writer.AddPageLine(QStringLiteral("Post Data:"));
        writer.AddPageLine(QStringLiteral("name=Zip%20Tool&version=2.1&category=Archivers"));
        writer.AddPageLine(QStringLiteral("Start Transfer: upload.example.net"));
        writer.AddPageLine(QStringLiteral("Transfered: 412bytes"));
        writer.AddPageLine(QStringLiteral("End Transfer: upload.example.net"));
        clock.advanceMs(1200);
        writer.EndPage(QStringLiteral("HTTP"), writer.CurrentSite, SampleResponse);
        const QString httpPage = writer.RunReportDir + QStringLiteral("/Download Harbor _HTTP.htm");
        log << QStringLiteral("Completed HTTP Post to: Download Harbor");

        writer.BeginPage(QStringLiteral("EMAIL"));
        for (const char* line : {"Opening SMTP Connection", "Preparing Message", "Sending Message", "Mail Sent",
                                 "Closing SMTP Connection"})
            writer.AddPageLine(QString::fromLatin1(line));
        writer.EndPage(QStringLiteral("EMAIL"), writer.CurrentSite);
        log << QStringLiteral("Download Harbor E-Mailed Information.");
        writer.SucceededCount += 1;

        clock.advanceMs(4100);
        writer.CurrentSite = QStringLiteral("FileMeadow");
        writer.BeginPage(QStringLiteral("HTTP"));
        writer.AddPageLine(QStringLiteral("Posting Error - TIMED OUT!(FileMeadow)"));
        writer.EndPage(QStringLiteral("HTTP"), writer.CurrentSite);
        log << QStringLiteral("Posting Error - TIMED OUT!(FileMeadow)");
        writer.FailedCount += 1;

        clock.advanceMs(800);
        writer.FinishRun(log);
        std::printf("%s\n%s\n", qPrintable(writer.MainReportFile), qPrintable(httpPage));
    } catch (const platform::FileError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
