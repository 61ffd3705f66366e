#include "SiteSelection.h"

#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"

#include <QHash>

#include <array>

namespace selection {

namespace {

const QString Section = QStringLiteral("SETTINGS");

QString flagCell(bool on) {
    return on ? Yes : No;
}

} // namespace

const ColumnInfo& columnInfo(int column) {
    static const std::array<ColumnInfo, ColumnCount> columns{{
        {"Site", 120, false},
        {"Type", 70, false},
        {"Submit", 48, false},
        {"Category1", 70, false},
        {"Category2", 70, true},
        {"H", 20, true},
        {"F", 20, true},
        {"Z", 20, true},
        {"E", 20, true},
        {"Last Post", 80, false},
        {"P", 19, true},
    }};
    return columns[static_cast<size_t>(column)];
}

bool readEngineSettings(const QString& path, EngineSettings& settings) {
    if (!platform::files::fileExists(path))
        return false;
    const platform::IniFile ini(path);
    const auto flag = [&ini](const char* key) { return ini.readBool(Section, QLatin1String(key), false); };
    settings.siteType = ini.readInteger(Section, QStringLiteral("SITE_TYPE"), 2);
    settings.siteSystem = ini.readInteger(Section, QStringLiteral("SITE_SYSTEM"), 3);
    settings.useCat1 = flag("USE_CAT1");
    settings.useCat2 = flag("USE_CAT2");
    settings.useHttpPost = flag("USE_HTTP_POST");
    settings.useFtpUpload = flag("USE_FTP_UPLOAD");
    settings.useZipFile = flag("USE_ZIP_FILE");
    settings.useEmail = flag("USE_EMAIL");
    return true;
}

QString readSiteUrl(const QString& path) {
    if (!platform::files::fileExists(path))
        return {};
    return platform::IniFile(path).readString(Section, QStringLiteral("SITES_WEB_URL"));
}

QString typeCell(int siteType, int siteSystem) {
    const QString kind = siteType == 1 ? QStringLiteral("Free") : QStringLiteral("All");
    const QString bits = siteSystem == 1   ? QStringLiteral("32")
                         : siteSystem == 2 ? QStringLiteral("16")
                                           : QStringLiteral("16-32");
    return kind + u' ' + bits;
}

QString SiteRow::cell(int column) const {
    switch (column) {
    case SiteCol:
        return site;
    case TypeCol:
        return type;
    case SubmitCol:
        return submit;
    case Category1Col:
        return category1;
    case Category2Col:
        return category2;
    case HttpCol:
        return http;
    case FtpCol:
        return ftp;
    case ZipCol:
        return zip;
    case EmailCol:
        return email;
    case LastPostCol:
        return lastPost;
    case PostCol:
        return post;
    default:
        return {};
    }
}

void SiteRow::setCell(int column, const QString& text) {
    switch (column) {
    case SiteCol:
        site = text;
        break;
    case TypeCol:
        type = text;
        break;
    case SubmitCol:
        submit = text;
        break;
    case Category1Col:
        category1 = text;
        break;
    case Category2Col:
        category2 = text;
        break;
    case HttpCol:
        http = text;
        break;
    case FtpCol:
        ftp = text;
        break;
    case ZipCol:
        zip = text;
        break;
    case EmailCol:
        email = text;
        break;
    case LastPostCol:
        lastPost = text;
        break;
    case PostCol:
        post = text;
        break;
    default:
        break;
    }
}

SiteRow defaultRow(const QString& site, const EngineSettings& settings) {
    SiteRow row;
    row.site = site;
    row.type = typeCell(settings.siteType, settings.siteSystem);
    row.submit = New;
    row.category1 = settings.useCat1 ? NotSet : NotApplicable;
    row.category2 = settings.useCat2 ? NotSet : NotApplicable;
    row.http = flagCell(settings.useHttpPost);
    row.ftp = flagCell(settings.useFtpUpload);
    row.zip = flagCell(settings.useZipFile);
    row.email = flagCell(settings.useEmail);
    row.lastPost = Unknown;
    row.post = Yes;
    return row;
}

SavedLine parseLine(const QString& line) {
    const QStringList fields = line.split(QChar(FieldSeparator));
    const auto field = [&fields](int i) { return i < fields.size() ? fields[i] : QString(); };
    return {field(0), field(1), field(2), field(3), field(4), field(5)};
}

QString formatLine(const SiteRow& row) {
    const QChar sep(FieldSeparator);
    return row.site + sep + row.submit + sep + row.category1 + sep + row.category2 + sep + row.lastPost + sep +
           row.post;
}

QList<SavedLine> savedLines(const QList<SiteRow>& rows) {
    QList<SavedLine> lines;
    lines.reserve(rows.size());
    for (const SiteRow& row : rows)
        lines.append(parseLine(formatLine(row)));
    return lines;
}

void mergeSaved(QList<SiteRow>& rows, const QList<SavedLine>& saved) {
    // Several rows may carry one name (an engine listed twice), and every one
    // of them takes the line: index all rows by name once.
    QHash<QString, QList<int>> rowsByName;
    rowsByName.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        rowsByName[rows[i].site].append(i);
    const auto mergeCategory = [](QString& cell, const QString& stored) {
        if (cell != NotApplicable && stored != NotApplicable)
            cell = stored;
    };
    for (const SavedLine& line : saved) {
        const auto found = rowsByName.constFind(line.site);
        if (found == rowsByName.constEnd())
            continue;
        for (const int i : *found) {
            SiteRow& row = rows[i];
            row.submit = line.submit;
            mergeCategory(row.category1, line.category1);
            mergeCategory(row.category2, line.category2);
            row.lastPost = line.lastPost;
            row.post = line.post;
        }
    }
}

bool IsSiteCompatible(const QString& typeCell, const QString& platform, const QString& status) {
    const qsizetype space = typeCell.indexOf(u' ');
    const QString kind = space < 0 ? QString() : typeCell.left(space);
    const QString bits = (space < 0 ? typeCell : typeCell.mid(space + 1)).left(10);
    const QString windows31 = QStringLiteral("Windows 3.1");
    if (bits == QLatin1String("32") && platform == windows31)
        return false;
    if (bits == QLatin1String("16") && platform != windows31)
        return false;
    if (kind == QLatin1String("Free") && status != QLatin1String("Freeware") &&
        status != QLatin1String("Public Domain"))
        return false;
    return true;
}

QString selectionPath(const QString& dataDir, const QString& appName) {
    return dataDir + appName + QStringLiteral("_SITES.dat");
}

QList<SavedLine> readSelection(const QString& path) {
    QList<SavedLine> saved;
    const QStringList lines = platform::text::readLines(path);
    saved.reserve(lines.size());
    for (const QString& line : lines)
        saved.append(parseLine(line));
    return saved;
}

void writeSelection(const QString& path, const QList<SiteRow>& rows) {
    QStringList lines;
    lines.reserve(rows.size());
    for (const SiteRow& row : rows)
        lines.append(formatLine(row));
    platform::text::writeLines(path, lines);
}

QList<SiteRow> buildRows(const QStringList& engineList, const std::function<QString(const QString&)>& settingsPath,
                         const QList<SavedLine>& saved, const QString& platform, const QString& status) {
    QList<SiteRow> rows;
    rows.reserve(engineList.size());
    for (const QString& site : engineList) {
        EngineSettings settings;
        if (readEngineSettings(settingsPath(site), settings))
            rows.append(defaultRow(site, settings));
    }
    mergeSaved(rows, saved);
    for (SiteRow& row : rows)
        if (!IsSiteCompatible(row.type, platform, status))
            row.post = No;
    return rows;
}

Tally tally(const QList<SiteRow>& rows, const QString& platform, const QString& status, bool stopAtUnsetCategory) {
    Tally result;
    PostStats& s = result.stats;
    for (int i = 0; i < rows.size(); ++i) {
        const SiteRow& row = rows[i];
        if (row.post != Yes || !IsSiteCompatible(row.type, platform, status))
            continue;
        ++s.TotalToPost;
        if (stopAtUnsetCategory && (row.category1 == NotSet || row.category2 == NotSet)) {
            result.unsetCategoryRow = i;
            return result;
        }
        if (row.submit == New)
            ++s.NewCount;
        else
            ++s.UpdateCount;
        if (row.http == Yes)
            ++s.HttpCount;
        if (row.ftp == Yes) {
            ++s.FtpCount;
            if (row.zip == Yes)
                ++s.FtpZipCount;
        }
        if (row.email == Yes)
            ++s.EmailCount;
    }
    return result;
}

} // namespace selection
