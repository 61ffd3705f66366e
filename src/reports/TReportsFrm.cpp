#include "TReportsFrm.h"

#include "platform/Clock.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"
#include "platform/TextHelpers.h"

namespace {

QString L(const char* text) {
    return QString::fromLatin1(text);
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A report page may carry a site's answer as it came; it must not run any
// script in a page opened from the local disk. Pictures and styles still load.
const char* const SecurityPolicyLine =
    "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src 'none'; object-src 'none'\">";

const char* const FooterNotice = "Report written by Postrix, the software submission tool.";

} // namespace

QString ReportFileLink(const QString& path) {
    QString link = QStringLiteral("file://");
    link.reserve(path.size() + 8);
    for (const QChar c : path) {
        switch (c.unicode()) {
        case '%':
            link += QLatin1String("%25");
            break;
        case '#':
            link += QLatin1String("%23");
            break;
        case '?':
            link += QLatin1String("%3F");
            break;
        case '"':
            link += QLatin1String("%22");
            break;
        default:
            link += c;
        }
    }
    return link;
}

TReportsFrm::TReportsFrm(QString reportsDir, QString imagesDir, const platform::Clock& clock)
    : reportsDir_(std::move(reportsDir)), imagesDir_(std::move(imagesDir)), clock_(clock) {}

QString TReportsFrm::currentDate() const {
    return platform::shortDate(clock_.now().date());
}

QString TReportsFrm::currentTime() const {
    return platform::longTime(clock_.now().time());
}

void TReportsFrm::BeginRun(const QString& appName) {
    appName_ = appName;
    const QDateTime start = clock_.now();
    RunDate = platform::shortDate(start.date());
    TimeStarted = platform::longTime(start.time());
    TimeCompleted = TimeStarted;
    SucceededCount = 0;
    FailedCount = 0;
    LogoRef = quoted(ReportFileLink(imagesDir_ + L("pxsr.jpg")));
    BackgroundRef = quoted(ReportFileLink(imagesDir_ + L("back.jpg")));

    AppReportDir = reportsDir_ + appName;
    platform::files::createDirectory(AppReportDir);
    // Two runs stamped alike would write into one folder and the second would
    // replace the first one's pages; a taken stamp moves on by a millisecond.
    QDateTime stamp = start;
    RunReportDir = AppReportDir + QLatin1Char('/') + TimeStamp(stamp);
    while (platform::files::directoryExists(RunReportDir)) {
        stamp = stamp.addMSecs(1);
        RunReportDir = AppReportDir + QLatin1Char('/') + TimeStamp(stamp);
    }
    platform::files::createDirectory(RunReportDir);

    MainReportFile = RunReportDir + L("/MainReport.htm");
    MainReportUrl = ReportFileLink(MainReportFile);
    LogReportFile = RunReportDir + L("/LogReport.htm");
    LogReportUrl = ReportFileLink(LogReportFile);
    FooterText = L(FooterNotice);
    FinalSubsList.clear();
}

QStringList TReportsFrm::pageHeading(const QString& heading) const {
    return {
        L("<p><img src=") + LogoRef + L(" alt=\".jpg\"") + L(" WIDTH=\"180\" HEIGHT=\"60\"></p>"),
        L("<table border=\"0\" cellpadding=\"2\" width=\"581\" cellspacing=\"0\">"),
        L("  <tr>"),
        L("    <td width=\"577\" bgcolor=\"#000080\" colspan=\"2\"><p align=\"right\"><font face=\"Arial\" "
          "color=\"#FFFFFF\"><strong>") +
            heading + L("</strong></font></td>"),
        L("  </tr>"),
        L("  <tr>"),
        L("    <td width=\"287\" align=\"right\"><font face=\"Arial\" "
          "color=\"#000080\"><small>Date:</small></font></td>"),
        L("    <td width=\"290\"><small><font face=\"Arial\">") + currentDate() + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        L("    <td width=\"287\" align=\"right\"><font face=\"Arial\" "
          "color=\"#000080\"><small>Time:</small></font></td>"),
        L("    <td width=\"290\"><small><font face=\"Arial\">") + currentTime() + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        L("    <td width=\"287\" align=\"right\"><font face=\"Arial\" "
          "color=\"#000080\"><small>Application:</small></font></td>"),
        L("    <td width=\"290\"><small><font face=\"Arial\">") + appName_ + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        L("    <td width=\"577\" colspan=\"2\" bgcolor=\"#000080\"><p align=\"right\"><a href=") +
            quoted(MainReportUrl) + L("><font face=\"Arial\" color=\"#FFFFFF\"><strong>&lt;&lt;"),
        L("Back to Main</strong></font></a></td>"),
        L("  </tr>"),
        L("</table>"),
    };
}

// Lines 1 to 5 of a site or log page, with the script ban in the head.
QStringList TReportsFrm::pageHead(const QString& title) {
    QStringList lines;
    lines << L("<html>") << L("<head>") << title << L(SecurityPolicyLine) << L("</head>")
          << L("<body leftmargin=\"0\" bgcolor=\"#FFFFFF\">");
    return lines;
}

QString TReportsFrm::footerLine() const {
    return L("<p><small><font face=\"Arial\" color=\"#400080\">") + FooterText + L("</font></small></p>");
}

void TReportsFrm::BeginPage(const QString& path) {
    XferMemo = pageHead(L("<title>") + path + L(" </title>"));
    XferMemo += pageHeading(CurrentSite + path + L(" Log:"));
}

void TReportsFrm::AddPageLine(const QString& text) {
    XferMemo << L("<p><small><font face=\"Arial\">[") + currentTime() + L("] - ") + text + L("</font></small></p>");
}

void TReportsFrm::EndPage(const QString& path, const QString& site, const QStringList& httpResponse) {
    if (path == L("HTTP"))
        XferMemo += httpResponse;
    XferMemo << L(" ") << footerLine() << L("</body>") << L("</html>");
    const QString file = RunReportDir + QLatin1Char('/') + site + L(" _") + path + L(".htm");
    save(file, XferMemo);
    FinalSubsList << site + QLatin1Char(' ') + path.toUpper() + EntrySeparator + ReportFileLink(file);
}

void TReportsFrm::FinishRun(const QStringList& logLines) {
    TimeCompleted = currentTime();
    writeLogPage(logLines);
    writeSummaryPage();
}

void TReportsFrm::writeLogPage(const QStringList& logLines) {
    QStringList page = pageHead(L("<title>") + appName_ + L(" Log File </title>"));
    page += pageHeading(appName_ + L(" Log:"));
    for (const QString& line : logLines)
        page << L("<p><small><font face=\"Arial\">[") + currentTime() + L("] - ") + line + L("</font></small></p>");
    page << footerLine() << L("</body>") << L("</html>");
    save(LogReportFile, page);
}

void TReportsFrm::writeSummaryPage() {
    const QStringList spacerRow = {
        L("  <tr>"),
        L("    <td width=\"154\"></td>"),
        L("    <td width=\"149\"></td>"),
        L("    <td width=\"243\"></td>"),
        L("  </tr>"),
    };
    const QString label = L("    <td width=\"149\" align=\"right\"><font face=\"Arial\" color=\"#000080\">");
    const QString emptyCell = L("    <td width=\"154\"></td>");

    QStringList page = {
        L("<html>"),
        L("<head>"),
        L("<title>Submission Report</title>"),
        L(SecurityPolicyLine),
        L("</head>"),
        L("<body topmargin=\"0\" leftmargin=\"0\" background=") + BackgroundRef + L(">"),
        L("<blockquote>"),
        L("  <p><br>"),
        L("<img src=") + LogoRef + L(" alt=\".jpg\"") + L(" WIDTH=\"180\" HEIGHT=\"60\"></p>"),
        L("</blockquote>"),
        L("<table border=\"0\" cellpadding=\"2\" width=\"550\" cellspacing=\"0\">"),
        L("  <tr>"),
        L("    <td width=\"546\" bgcolor=\"#000080\" colspan=\"3\"><p align=\"right\"><font face=\"Arial\" "
          "color=\"#FFFFFF\"><strong>Submission Detail</strong></font></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        label + L("<small>Date:</small></font></td>"),
        L("<td width=\"243\"><small><font face=\"Arial\">") + RunDate + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        label + L("<small>Time Started:</small></font></td>"),
        L("    <td width=\"243\"><small><font face=\"Arial\">") + TimeStarted + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        label + L("<small>Time Completed:</small></font></td>"),
        L("     <td width=\"243\"><small><font face=\"Arial\">") + TimeCompleted + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        label + L("<small>Application:</small></font></td>"),
        L("    <td width=\"243\"><small><font face=\"Arial\">") + appName_ + L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        label,
        L("<small># of Successful Submissions</small></font></td>"),
        L("    <td width=\"243\"><small><font face=\"Arial\">") + QString::number(SucceededCount) +
            L("</font></small></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        label,
        L("<small># of Failed Submissions</small></font></td>"),
        L("    <td width=\"243\"><small><font face=\"Arial\">") + QString::number(FailedCount) +
            L("</font></small></td>"),
        L("  </tr>"),
    };
    page += spacerRow;
    page += {
        L("  <tr>"),
        L("    <td width=\"546\" colspan=\"3\" bgcolor=\"#000080\"><p align=\"right\"><font face=\"Arial\" "
          "color=\"#FFFFFF\"><strong>Submission Log</strong></font></td>"),
        L("  </tr>"),
        L("  <tr>"),
        emptyCell,
        L("    <td width=\"392\" colspan=\"2\"><ul>"),
        L("      <li><a href=") + quoted(LogReportUrl) +
            L("><small><font face=\"Arial\" color=\"#0000FF\"><u>View Submission Log</u></font></small></a></li>"),
        L("    </ul>"),
        L("    </td>"),
        L("  </tr>"),
    };
    page += spacerRow;
    page += {
        L("  <tr>"),
        L("    <td width=\"546\" colspan=\"3\" bgcolor=\"#000080\"><p align=\"right\"><strong><font face=\"Arial\" "
          "color=\"#FFFFFF\">Site Responses:</font></strong></td>"),
        L("  </tr>"),
    };
    // The link always starts with "file://", so the last separator before it
    // splits the entry even when a site name holds the separator itself.
    const QString linkStart = QString(EntrySeparator) + L("file://");
    for (const QString& entry : FinalSubsList) {
        const qsizetype split = entry.lastIndexOf(linkStart);
        const QString entryLabel = split < 0 ? entry : entry.left(split);
        const QString entryLink = split < 0 ? QString() : entry.mid(split + 1);
        page += {
            L("  <tr>"),
            emptyCell,
            L("    <td width=\"392\" colspan=\"2\"><ul>"),
            L("       <li><a href=") + quoted(entryLink) + L("><font face=\"Arial\" color=\"#0000FF\"><u><small>") +
                entryLabel + L("</small></u></font></a></li>"),
            L("    </ul>"),
            L("    </td>"),
            L("  </tr>"),
        };
    }
    page += {
        L("  <tr>"),
        emptyCell,
        L("    <td width=\"392\" colspan=\"2\"><small><font face=\"Arial\" color=\"#400080\"><small>*E-Mail Note: "),
        L("    that a successful e-mail only means that the e-mail was sent. However there are many"),
        L("    circumstances that can cause the mail not to be delivered which are beyond the control of"),
        L("    Postrix.</small></font></small>"),
        L(" "),
        footerLine(),
        L("</td>"),
        L("  </tr>"),
        L("</table>"),
        L("</body>"),
        L("</html>"),
    };
    save(MainReportFile, page);
}

void TReportsFrm::save(const QString& file, const QStringList& lines) const {
    try {
        platform::files::writeFileAtomic(file, platform::text::toCp1252(platform::text::joinLines(lines)));
    } catch (const platform::FileError&) {
        throw platform::FileError::cannotCreate(file);
    }
}
