#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class Clock;
}

// A link to a local file for a report page or the browser: "file://" + the
// absolute path. The few characters that would end the path part of the link
// or the attribute holding it ('%', '#', '?', '"') are percent-encoded; every
// other character stands as it is.
QString ReportFileLink(const QString& path);

// The HTML run report writer. The run drives it: BeginRun once, then per
// site and path BeginPage, AddPageLine..., EndPage, then FinishRun once (also
// after Cancel). Each page is a text file of CR LF lines, without HTML
// escaping of the inserted values. A page that cannot be saved throws
// platform::FileError "Cannot create file <path>".
class TReportsFrm {
public:
    // reportsDir and imagesDir end in "/"; the clock gives every date and time
    // printed and the run stamp.
    TReportsFrm(QString reportsDir, QString imagesDir, const platform::Clock& clock);

    // Starts a run of the application named appName (the text of the
    // application box): resets the counters and the page list, creates the
    // application and run folders.
    void BeginRun(const QString& appName);
    // Opens the page of one submission path ("FTP", "HTTP" or "EMAIL") of
    // CurrentSite.
    void BeginPage(const QString& path);
    // One time-stamped paragraph on the open page.
    void AddPageLine(const QString& text);
    // Saves the open page as RunReportDir/<site> _<path>.htm and lists it on
    // the summary. For "HTTP" the site's response (the chunks of the hidden
    // `xfer` list, unchanged) goes to the page first.
    void EndPage(const QString& path, const QString& site, const QStringList& httpResponse = {});
    // Writes the log page from the run log's lines, then the summary page.
    void FinishRun(const QStringList& logLines);

    QString ReportsDir() const { return reportsDir_; }
    QString ImagesDir() const { return imagesDir_; }
    QString AppName() const { return appName_; }

    // The writer's state, as the run and the summary use it.
    QString LogoRef;       // "<link of pxsr.jpg>", quotes included
    QString BackgroundRef; // "<link of back.jpg>", quotes included
    QString AppReportDir;  // ReportsDir + application name
    QString RunReportDir;  // AppReportDir + "/" + run stamp
    QString MainReportUrl;
    QString MainReportFile;
    QString LogReportUrl;
    QString LogReportFile;
    QString CurrentSite; // set by the run before a site's first page
    QString FooterText;
    QString RunDate;
    QString TimeStarted;
    QString TimeCompleted;
    qint32 SucceededCount = 0;
    qint32 FailedCount = 0;

    QStringList XferMemo;      // lines of the page being built
    QStringList FinalSubsList; // label + "±" + link, one per page written

    static constexpr QChar EntrySeparator = QChar(0xB1);

private:
    QString currentDate() const;
    QString currentTime() const;
    // Lines 6 to 27 of every site and log page: logo, heading, date, time,
    // application, back link.
    QStringList pageHeading(const QString& heading) const;
    static QStringList pageHead(const QString& title);
    QString footerLine() const;
    void save(const QString& file, const QStringList& lines) const;
    void writeLogPage(const QStringList& logLines);
    void writeSummaryPage();

    QString reportsDir_;
    QString imagesDir_;
    const platform::Clock& clock_;
    QString appName_;
};
