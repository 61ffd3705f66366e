#pragma once

#include "model/PageLinks.h"
#include "selection/SiteSelection.h"

#include <QWidget>

#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class Workspace;

namespace selection {
class GridLineDelegate;
}

// The "Sites" page: the per-application site selection grid. A row stands
// for the engine of the same name in the engine list (TEngBuild::IndexOfSite);
// rows follow the engine list's order.
class TSitesPage final : public QWidget, public SiteGridRows {
    Q_OBJECT
public:
    explicit TSitesPage(Workspace& model, QWidget* parent = nullptr);

    QTreeWidget* SiteGrid;
    QCheckBox* UseGridLinesChk;
    QLabel* Label3D1;
    QLabel* SiteGridCountLbl;
    QLabel* Label3D4;
    QLabel* TotalToPostLbl;
    QCheckBox* DoPostCheckBox;
    QRadioButton* SubmitNewRadio;
    QRadioButton* SubmitUpdateRadio;
    QLabel* Cat1Label;
    QComboBox* CatCombo1;
    QLabel* Cat2Label;
    QComboBox* CatCombo2;
    QToolButton* SiteGridUpBtn;
    QToolButton* SiteGridDownBtn;
    QPushButton* AllToNewBtn;
    QPushButton* AllToUpdateBtn;
    QPushButton* AllToPostBtn;
    QPushButton* AllToNoPostBtn;
    QPushButton* AppSiteGoUrlBtn;
    QPushButton* AppSiteChangeBtn;

    QMenu* SiteGridPopupMenu;
    QAction* SG_PopUp_ToPost;
    QAction* SG_PopUp_AsPost;
    QAction* SG_PopUp_ChangePostDate;
    QAction* SG_PopUp_GoToSiteBuilder;
    QAction* SG_PopUp_GoToURL;

    // The statistics of the last tally.
    selection::PostStats Stats;

    // Set by the main window to the run's: shows the verifying form with the statistics and
    // returns whether the user chose to start posting. While unset, a
    // verified tally refuses the run.
    std::function<bool(const selection::PostStats&)> VerifySubmission;
    // Set by the main window to the run's: the Submit page's counters and progress follow each
    // completed tally (the number of sites to post).
    std::function<void(int totalToPost)> TallyShown;

    // --- Rows. Columns are selection::Column (0 is the site name).
    int rowCount() const override;
    QString cell(int row, int column) const override;
    void setCell(int row, int column, const QString& text) override;
    selection::SiteRow siteRow(int row) const;
    QList<selection::SiteRow> siteRows() const;
    // The selected row, -1 when none is.
    int selectedRow() const;
    // Selects the row, makes it the focused one and brings it into view.
    void selectRow(int row) override;

    void setGridLines(bool on);
    bool gridLines() const;

    // Rebuilds the grid for the application shown on the App Info page and
    // writes the result to its selection file.
    void BuildSiteGrid();
    // The engine list or an engine changed: with unsaved grid edits the rows
    // follow the engines (a new engine gains its row, a deleted one loses
    // it) and the edits stay unsaved; otherwise the grid is rebuilt.
    void enginesChanged();
    // The application was saved: a grid without rows is built for it.
    void appSaved();
    // Writes the grid to the shown application's (or appName's) selection
    // file; nothing when the grid has no rows. Throws platform::FileError.
    void SaveSiteSelection() override;
    void SaveSiteSelection(const QString& appName);
    void ShowSiteRow();
    bool IsSiteCompatible(int row) const;
    // Counts the rows to post into Stats and shows the number; with verify,
    // refuses unset categories and an empty tally, then asks VerifySubmission.
    bool CountSitesToPost(bool verify) override;
    // The category label (1: primary, 2: secondary) of the row the run is
    // submitting (the grid's selected row).
    QString submittingRowCategory(int which) const;

    // --- User actions.
    void SiteGridUpBtnClick();
    void SiteGridDownBtnClick();
    void SubmitRadioClick();
    void CatCombo1Change();
    void CatCombo2Change();
    void DoPostCheckBoxClick();
    void AllToNewBtnClick();
    void AllToUpdateBtnClick();
    void AllToPostBtnClick();
    void AllToNoPostBtnClick();
    void AppSiteGoUrlBtnClick();
    void AppSiteChangeBtnClick();
    // Sets the captions of the first three items for the selected row.
    void SiteGridPopupMenuPopup();
    void SG_PopUp_ToPostClick();
    void SG_PopUp_AsPostClick();
    void SG_PopUp_ChangePostDateClick();
    void SG_PopUp_GoToSiteBuilderClick();
    void SG_PopUp_GoToURLClick();

private:
    void createControls();
    void onSelectionChanged();
    void onContextMenu(const QPoint& pos);
    void categoryPicked(QComboBox* box, int column);
    bool confirmAll(const QString& what);
    void setAll(int column, const QString& text, bool compatibleOnly);
    void showCategory(const QString& site, const QString& cell, int which, QLabel* label, QComboBox* box);
    QTreeWidgetItem* selectedItem() const;
    QString appPlatform() const;
    QString appStatus() const;
    QString shownApp() const;

    Workspace& model_;
    selection::GridLineDelegate* gridLineDelegate_;
};
