#pragma once

#include <QString>

// What one page needs of another. The main window hands each page the
// neighbour that implements it, so a page never includes another page.

// The rows of the Sites grid, as the run reads and books them.
class SiteGridRows {
public:
    virtual ~SiteGridRows() = default;

    // Columns are selection::Column (0 is the site name).
    virtual int rowCount() const = 0;
    virtual QString cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, const QString& text) = 0;
    // Selects the row; the expander takes the categories of the selected row.
    virtual void selectRow(int row) = 0;
    // Counts the rows to post; with verify, refuses unset categories and an
    // empty tally and asks the verifying form. False refuses the run.
    virtual bool CountSitesToPost(bool verify) = 0;
    // Writes the grid to the shown application's selection file.
    virtual void SaveSiteSelection() = 0;
};

// What the run asks of the pages around it before it starts.
class RunNeighbours {
public:
    virtual ~RunNeighbours() = default;

    // The Settings dialog; false when the user left it with Cancel.
    virtual bool editSettings() = 0;
    virtual void SaveApp() = 0;
    virtual void SaveCompany() = 0;
    virtual void SaveEngine() = 0; // the Site Builder's Update Site
    // Wraps the long description at 72 columns as the sites receive it.
    virtual void wrapLongDescription() = 0;
};
