#pragma once

#include <QString>
#include <QStringList>

class QTimer;
class TEngBuild;
class TReportsFrm;

namespace platform {
class Clock;
class Dialogs;
class HttpClient;
} // namespace platform

// What a submission path needs of the run: the program's objects, the run
// log and FTP list, the Submit page's status labels, and the Skip and Cancel
// requests. The Submit page implements it; the paths never reach into the
// page's widgets themselves.
class RunHost {
public:
    virtual ~RunHost() = default;

    virtual platform::HttpClient& httpClient() = 0; // HTTP1
    virtual QTimer& httpTimer() = 0;               // HTTPTimer, the time-out of one post
    virtual platform::Dialogs& dialogs() = 0;
    virtual platform::Clock& clock() = 0;
    virtual QString programDir() const = 0;
    virtual QString filesDir() const = 0;
    // The text a page control shows now, by its object name (the expander's fields).
    virtual QString fieldText(const QString& objectName) const = 0;
    virtual TEngBuild& engines() = 0;   // the current engine (Engine) and ExpandVariables
    virtual TReportsFrm& reports() = 0; // BeginPage / AddPageLine / EndPage are the driver's; paths add lines

    virtual void AddLogLine(const QString& text) = 0;
    virtual void AddFtpLine(const QString& text) = 0;
    virtual QStringList ftpLines() const = 0;

    virtual bool SkipRequested() const = 0;
    virtual bool CancelRequested() const = 0;

    // The name of the engine loaded in the Site Builder (the text of EB_SiteNameCombo).
    virtual QString currentSiteName() const = 0;
    // The row being submitted and its Site cell.
    virtual int CurrentRow() const = 0;
    virtual QString rowSite(int row) const = 0;

    // Status labels and progress of the Submit page.
    virtual void setHttpStatus(const QString& text) = 0;
    virtual void setMailStatus(const QString& text) = 0;
    virtual void setFtpStatus(const QString& text) = 0;
    virtual void setHttpBytes(const QString& text) = 0;
    virtual void setMailProgress(int percent) = 0; // ProgressBar1, 0..100
    virtual void setMailProgressVisible(bool /*visible*/) {}

    // The hidden list that holds the HTTP response text of the current site.
    virtual QStringList& xfer() = 0;

    // The defaults below suit a host without a page.
    // A cell of a grid row (column: a selection::Column).
    virtual QString rowCell(int /*row*/, int /*column*/) const { return {}; }
    // xfer() was changed through the reference.
    virtual void xferChanged() {}
    // Brings the last line of the run log into view.
    virtual void scrollLogToEnd() {}
};
