#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The site selection without any widget: the rows of the Sites grid as plain
// values, how they are built from the engine settings and merged with the
// saved selection, the selection file, the compatibility rule and the tally.
namespace selection {

// "±" as Windows-1252 writes it: the single byte 0xB1.
inline constexpr char16_t FieldSeparator = u'\u00B1';

inline const QString NotApplicable = QStringLiteral("N/A");
inline const QString NotSet = QStringLiteral("NOT SET!");
inline const QString Unknown = QStringLiteral("Unknown");
inline const QString New = QStringLiteral("New");
inline const QString Update = QStringLiteral("Update");
inline const QString Yes = QStringLiteral("Y");
inline const QString No = QStringLiteral("N");

// The grid's columns; column 0 is the row caption (the site name), the cells
// of the engine settings and of the selection follow.
enum Column : int {
    SiteCol,
    TypeCol,
    SubmitCol,
    Category1Col,
    Category2Col,
    HttpCol,
    FtpCol,
    ZipCol,
    EmailCol,
    LastPostCol,
    PostCol,
    ColumnCount
};

struct ColumnInfo {
    const char* caption;
    int width;
    bool centred;
};
const ColumnInfo& columnInfo(int column);

// The keys of an engine's settings file that the grid shows.
struct EngineSettings {
    int siteType = 2;   // SITE_TYPE: 1 free only, else all
    int siteSystem = 3; // SITE_SYSTEM: 1 32 bit, 2 16 bit, else both
    bool useCat1 = false;
    bool useCat2 = false;
    bool useHttpPost = false;
    bool useFtpUpload = false;
    bool useZipFile = false;
    bool useEmail = false;
};
// False when the settings file does not exist (the engine then has no row).
bool readEngineSettings(const QString& path, EngineSettings& settings);
// SITES_WEB_URL of a settings file; empty when the file is missing.
QString readSiteUrl(const QString& path);

// "Free 32" ... "All 16-32".
QString typeCell(int siteType, int siteSystem);

struct SiteRow {
    QString site;
    QString type;
    QString submit;
    QString category1;
    QString category2;
    QString http;
    QString ftp;
    QString zip;
    QString email;
    QString lastPost;
    QString post;

    QString cell(int column) const;
    void setCell(int column, const QString& text);
    bool operator==(const SiteRow&) const = default;
};

// A row as a new engine starts: "New", categories "NOT SET!" or "N/A",
// "Unknown", post "Y".
SiteRow defaultRow(const QString& site, const EngineSettings& settings);

// One line of the selection file.
struct SavedLine {
    QString site;
    QString submit;
    QString category1;
    QString category2;
    QString lastPost;
    QString post;
    bool operator==(const SavedLine&) const = default;
};
// Fields are the texts between the separators; missing ones read as empty.
SavedLine parseLine(const QString& line);
QString formatLine(const SiteRow& row);
// The lines the rows would be saved as.
QList<SavedLine> savedLines(const QList<SiteRow>& rows);

// Applies the saved lines, in file order, to every row of the same site name
// (exact match). A category stays "N/A" for a site without that category, and
// a stored "N/A" does not replace a category the site has. Lines without a row
// are dropped; rows without a line keep what they have.
void mergeSaved(QList<SiteRow>& rows, const QList<SavedLine>& saved);

// The application (its platform and status texts) against a Type cell.
bool IsSiteCompatible(const QString& typeCell, const QString& platform, const QString& status);

// data folder + application + "_SITES.dat".
QString selectionPath(const QString& dataDir, const QString& appName);
// A missing file reads as no lines.
QList<SavedLine> readSelection(const QString& path);
// Replaces the file (Windows-1252, CR LF); throws platform::FileError.
void writeSelection(const QString& path, const QList<SiteRow>& rows);

// The rows of the grid for an engine list: one per engine whose settings file
// exists (settingsPath names it), merged with the saved lines, and with post
// "N" for every row the application cannot go to.
QList<SiteRow> buildRows(const QStringList& engineList, const std::function<QString(const QString&)>& settingsPath,
                         const QList<SavedLine>& saved, const QString& platform, const QString& status);

// The statistics of the rows that will be posted.
struct PostStats {
    int TotalToPost = 0;
    int NewCount = 0;
    int UpdateCount = 0;
    int HttpCount = 0;
    int FtpCount = 0;
    int FtpZipCount = 0;
    int EmailCount = 0;
    bool operator==(const PostStats&) const = default;
};
struct Tally {
    PostStats stats;
    // With stopAtUnsetCategory: the first counted row with a "NOT SET!"
    // category, where the tally stopped; -1 otherwise.
    int unsetCategoryRow = -1;
};
// Counts the rows whose post cell is "Y" and that are compatible.
Tally tally(const QList<SiteRow>& rows, const QString& platform, const QString& status, bool stopAtUnsetCategory);

} // namespace selection
