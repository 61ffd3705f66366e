#pragma once

#include "RunHost.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>

class QLCDNumber;
class QLabel;
class QListView;
class QListWidget;
class QProgressBar;
class QPushButton;
class TALed;
class TEmailPath;
class TFtpPath;
class THttpPath;
class TMainFrm;
class TSitesPage;
class XferModel;

namespace selection {
struct PostStats;
}

// The "Submit" page and the submission run it drives: the checks before a
// run, the walk over the Sites grid with the FTP, HTTP and e-mail paths, the
// booking of each site, the reports, and Skip and Cancel, which act inside
// the paths' network waits.
class TSubmitPage final : public QWidget, public RunHost {
    Q_OBJECT
public:
    explicit TSubmitPage(TMainFrm& main, QWidget* parent = nullptr);
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

    // The driver.
    bool IsEngineCompatible() const;
    void SetRunControls(bool running);
    void EndRun(bool cancelled);
    void AskViewReport();
    // What a tally leaves on the page: the counters and the progress bar.
    void showTally(int totalToPost);
    // The verifying form for a tally; true when the user chose to start posting.
    bool verifySubmission(const selection::PostStats& stats);

    int SitesProcessed = 0;
    // The counters as numbers (the panels show at most three digits).
    int sitesToPost() const { return sitesToPost_; }

    THttpPath& httpPath() { return *http_; }
    TFtpPath& ftpPath() { return *ftp_; }
    TEmailPath& emailPath() { return *email_; }

    // RunHost.
    TMainFrm& main() override { return main_; }
    TEngBuild& engines() override;
    TReportsFrm& reports() override;
    void AddLogLine(const QString& text) override;
    void AddFtpLine(const QString& text) override;
    QStringList ftpLines() const override;
    bool SkipRequested() const override { return skipRequested_; }
    bool CancelRequested() const override { return cancelRequested_; }
    QString currentSiteName() const override;
    int CurrentRow() const override { return currentRow_; }
    QString rowSite(int row) const override;
    QString rowCell(int row, int column) const override;
    void setHttpStatus(const QString& text) override;
    void setMailStatus(const QString& text) override;
    void setFtpStatus(const QString& text) override;
    void setHttpBytes(const QString& text) override;
    void setMailProgress(int percent) override;
    QStringList& xfer() override { return xfer_; }
    void xferChanged() override;
    void scrollLogToEnd() override;

    static constexpr int PanelMaximum = 200;

private:
    void createControls();
    // Algorithm steps of a run start; false refuses the run.
    bool mailSettingsFilled();
    bool profileChecked();
    bool savePromptsPassed();
    void wrapLongDescription();
    void runRows();
    // Makes the row's engine the current one, found by the row's site name.
    bool loadRowEngine(int row);
    void lightOnly(TALed* led);
    void allLedsOff();
    void setStatusesIdle();
    void setPanel(QLCDNumber* panel, int value);
    void setSitesToPost(int value);
    // After an error that escaped the run: the page goes back to idle, the
    // bookings made so far are saved and the report is finished where it can be.
    void abandonRun();
    QString fieldText(const char* objectName) const;

    TMainFrm& main_;
    QPointer<TSitesPage> sitesPage_;
    std::unique_ptr<TReportsFrm> reports_;
    std::unique_ptr<THttpPath> http_;
    std::unique_ptr<TFtpPath> ftp_;
    std::unique_ptr<TEmailPath> email_;
    XferModel* xferModel_;
    QStringList xfer_;
    bool skipRequested_ = false;
    bool cancelRequested_ = false;
    int currentRow_ = -1;
    bool runBegun_ = false; // BeginRun of the current run has been done
    int sitesToPost_ = 0;
    int sitesProcessedShown_ = 0;
};
