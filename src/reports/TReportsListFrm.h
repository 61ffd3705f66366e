#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace platform {
class Dialogs;
}

// The report browser: lists the application folders below the reports
// folder, then the runs of one application, and opens a run's summary page
// in the default browser or deletes reports.
class TReportsListFrm final : public QDialog {
    Q_OBJECT
public:
    // reportsDir ends in "/". The dialog lists it at once (FormCreate).
    TReportsListFrm(QString reportsDir, platform::Dialogs& dialogs, QWidget* parent = nullptr);

    // What File > View Reports and the Submit page's "View Reports" do: the
    // dialog runs modally, or "No Reports Found" is shown when there is
    // nothing to browse.
    static void ShowReports(const QString& reportsDir, platform::Dialogs& dialogs, QWidget* parent);

    void FormCreate();
    void FormShow();
    void GoBtnClick();
    void UpBtnClick();
    void DeleteBtnClick();

    bool AtRunLevel() const { return atRunLevel_; }
    QString SelectedApp() const { return selectedApp_; }
    bool NoReports() const { return noReports_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Fills the list with the sub-folders of folder; the number listed.
    int listFolder(const QString& folder);
    void listApplications();
    void selectFirst();
    QString selectedName() const;
    // Deletes the files of a folder, then the folder itself (when empty).
    static void removeFolder(const QString& folder);

    QString reportsDir_;
    platform::Dialogs& dialogs_;
    bool atRunLevel_ = false;
    QString selectedApp_;
    bool noReports_ = false;

    QListWidget* RepListBox;
    QPushButton* GoBtn;
    QPushButton* UpBtn;
    QPushButton* DeleteBtn;
    QPushButton* CancelBtn;
};
