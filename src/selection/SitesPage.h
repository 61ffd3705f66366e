#pragma once

#include <QWidget>

class QCheckBox;
class QTreeWidget;
class TMainFrm;

// The "Sites" page: the per-application site selection grid.
class TSitesPage final : public QWidget {
    Q_OBJECT
public:
    explicit TSitesPage(TMainFrm& main, QWidget* parent = nullptr);

    QTreeWidget* SiteGrid;
    QCheckBox* UseGridLinesChk;

    int rowCount() const;
    void setGridLines(bool on);
    void BuildSiteGrid();
    void SaveSiteSelection();
    void ShowSiteRow();
    // Counts the rows to post into the page's statistics; with verify, shows
    // the verifying form and returns whether the user confirmed.
    bool CountSitesToPost(bool verify);
    // The category label (1: primary, 2: secondary) of the row the run is
    // submitting (the grid's selected row).
    QString submittingRowCategory(int which) const;

private:
    TMainFrm& main_;
};
