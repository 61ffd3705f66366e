#pragma once

#include "RunDriver.h"
#include "RunHost.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QLCDNumber;
class QLabel;
class QListView;
class QListWidget;
class QProgressBar;
class QPushButton;
class RunNeighbours;
class SiteGridRows;
class TALed;
class TEmailPath;
class TFtpPath;
class THttpPath;
class Workspace;
class XferModel;

namespace selection {
struct PostStats;
}

// The "Submit" page: the controls of a run and the three submission paths.
// The run itself (checks, the walk over the grid, booking, reports, Skip and
// Cancel) is the driver's; the page shows what it reports and hands the
// paths what they need of the run.
class TSubmitPage final : public QWidget, public RunHost, private RunPaths, private RunView {
    Q_OBJECT
public:
    // grid: the Sites grid's rows; neighbours: the save prompts' pages and the Settings dialog.
    TSubmitPage(Workspace& model, SiteGridRows& grid, RunNeighbours& neighbours, QWidget* parent = nullptr);
    ~TSubmitPage() override;

    QPushButton* submitBtn;
    QPushButton* skip;
    QPushButton* cancel;
    QPushButton* ViewReport;
    QPushButton* print;
    QPushButton* exitb;
    QLabel* currentsite;
    QLabel* httpstatus;
    QLabel* httpbytes;
    QLabel* mailstatus;
    QLabel* ftpstatus;
    TALed* ftpled;
    TALed* httpled;
    TALed* mailled;
    QLCDNumber* SitesToPostdgt;
    QLCDNumber* SitesProcesseddgt;
    QProgressBar* PostStatus;
    QProgressBar* ProgressBar1;
    QListWidget* ftplist;
    QListWidget* log;
    QListView* xferView; // the hidden list "xfer"

    // Handlers.
    void submitBtnClick();
    void skipClick();
    void cancelClick();
    void ViewReportClick();
    void printClick();
    void exitbClick();

    bool IsEngineCompatible() const;
    // The run's mark and the page's controls.
    void SetRunControls(bool running);
    // What a tally leaves on the page: the counters and the progress bar.
    void showTally(int totalToPost);
    // The verifying form for a tally; true when the user chose to start posting.
    bool verifySubmission(const selection::PostStats& stats);

    // The counters as numbers (the panels show at most three digits).
    int sitesToPost() const { return sitesToPost_; }
    int sitesProcessed() const { return driver_->SitesProcessed; }

    TRunDriver& driver() { return *driver_; }
    THttpPath& httpPath() { return *http_; }
    TFtpPath& ftpPath() { return *ftp_; }
    TEmailPath& emailPath() { return *email_; }

    // RunHost.
    platform::HttpClient& httpClient() override;
    QTimer& httpTimer() override;
    platform::Dialogs& dialogs() override;
    platform::Clock& clock() override;
    QString programDir() const override;
    QString filesDir() const override;
    QString fieldText(const QString& objectName) const override;
    TEngBuild& engines() override;
    TReportsFrm& reports() override;
    void AddLogLine(const QString& text) override;
    void AddFtpLine(const QString& text) override;
    QStringList ftpLines() const override;
    bool SkipRequested() const override;
    bool CancelRequested() const override;
    QString currentSiteName() const override;
    int CurrentRow() const override;
    QString rowSite(int row) const override;
    QString rowCell(int row, int column) const override;
    void setHttpStatus(const QString& text) override;
    void setMailStatus(const QString& text) override;
    void setFtpStatus(const QString& text) override;
    void setHttpBytes(const QString& text) override;
    void setMailProgress(int percent) override;
    void setMailProgressVisible(bool visible) override;
    QStringList& xfer() override { return xfer_; }
    void xferChanged() override;
    void scrollLogToEnd() override;

    static constexpr int PanelMaximum = 200;

private:
    void createControls();
    void setPanel(QLCDNumber* panel, int value);
    void setSitesToPost(int value);

    // RunPaths.
    void setMailSetup(const QString& server, const QString& address, const QString& name) override;
    bool SubmitByFtp() override;
    void ftpLogOff() override;
    bool SubmitByHttp(bool isNew) override;
    bool SubmitByEmail(bool isNew, int row, bool isCopy) override;
    void stopForSkip() override;
    void stopForCancel() override;

    // RunView.
    void clearLists() override;
    void clearFtpList() override;
    void showRunControls(bool running) override;
    void showSite(const QString& site) override;
    void setStatusesIdle() override;
    void lightOnly(RunLamp lamp) override;
    void allLampsOff() override;
    void siteProcessed(int processed) override;
    QStringList logLines() const override;
    QStringList httpResponse() const override { return xfer_; }

    Workspace& model_;
    SiteGridRows& grid_;
    std::unique_ptr<THttpPath> http_;
    std::unique_ptr<TFtpPath> ftp_;
    std::unique_ptr<TEmailPath> email_;
    std::unique_ptr<TRunDriver> driver_;
    XferModel* xferModel_;
    QStringList xfer_;
    int sitesToPost_ = 0;
};
