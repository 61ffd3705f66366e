#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class RunNeighbours;
class SiteGridRows;
class TReportsFrm;
class Workspace;

// The three submission paths as the run calls them.
class RunPaths {
public:
    virtual ~RunPaths() = default;

    virtual void setMailSetup(const QString& server, const QString& address, const QString& name) = 0;
    virtual bool SubmitByFtp() = 0;
    virtual void ftpLogOff() = 0;
    virtual bool SubmitByHttp(bool isNew) = 0;
    virtual bool SubmitByEmail(bool isNew, int row, bool isCopy) = 0;
    // Skip: ends what is under way for this site (upload, post, message).
    virtual void stopForSkip() = 0;
    // Cancel: ends the post under way and leaves the FTP connection idle.
    virtual void stopForCancel() = 0;
};

enum class RunLamp { Ftp, Http, Mail };

// What the Submit page shows of a run.
class RunView {
public:
    virtual ~RunView() = default;

    virtual void clearLists() = 0;    // the FTP list and the log
    virtual void clearFtpList() = 0;
    virtual void showRunControls(bool running) = 0;
    virtual void showSite(const QString& site) = 0; // empty: none
    virtual void setStatusesIdle() = 0;
    virtual void lightOnly(RunLamp lamp) = 0;
    virtual void allLampsOff() = 0;
    // One more site is done: the counters and the progress bar follow.
    virtual void siteProcessed(int processed) = 0;
    virtual void AddLogLine(const QString& text) = 0;
    virtual QStringList logLines() const = 0;
    virtual QStringList ftpLines() const = 0;
    virtual QStringList httpResponse() const = 0; // the hidden list "xfer"
};

// The submission run: the checks before it (mail settings, the profile, the
// save prompts, the tally), the walk over the grid's rows with the FTP, HTTP
// and e-mail paths and the retries, the booking of each site, the reports,
// and Skip and Cancel. It knows no widget; the Submit page shows what it
// reports.
class TRunDriver final {
public:
    TRunDriver(Workspace& model, SiteGridRows& grid, RunNeighbours& neighbours, RunPaths& paths, RunView& view);
    ~TRunDriver();
    TRunDriver(const TRunDriver&) = delete;
    TRunDriver& operator=(const TRunDriver&) = delete;

    // The Save/Submit button.
    void Submit();
    void Skip();
    // Asks "Sure you want to cancel all posts?" first.
    void Cancel();

    bool SkipRequested() const { return skipRequested_; }
    bool CancelRequested() const { return cancelRequested_; }
    int CurrentRow() const { return currentRow_; }
    int SitesProcessed = 0;

    TReportsFrm& reports();
    // The current engine against the application's platform and status.
    bool IsEngineCompatible() const;
    void SetRunControls(bool running);

private:
    bool mailSettingsFilled();
    bool profileChecked();
    bool savePromptsPassed();
    void runRows();
    // Makes the row's engine the current one, found by the row's site name.
    bool loadRowEngine(int row);
    void EndRun(bool cancelled);
    // After an error that escaped the run: the page goes back to idle, the
    // bookings made so far are saved and the report is finished where it can be.
    void abandonRun();
    void AskViewReport();

    Workspace& model_;
    SiteGridRows& grid_;
    RunNeighbours& neighbours_;
    RunPaths& paths_;
    RunView& view_;
    std::unique_ptr<TReportsFrm> reports_;
    bool skipRequested_ = false;
    bool cancelRequested_ = false;
    int currentRow_ = -1;
    bool runBegun_ = false; // BeginRun of the current run has been done
};
