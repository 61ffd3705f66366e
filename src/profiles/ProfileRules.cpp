#include "ProfileRules.h"

#include "platform/FileError.h"
#include "platform/IniFile.h"

namespace profiles {

namespace {

int toInteger(const QString& text) {
    int value = 0;
    if (!platform::parseInteger(text, value))
        throw platform::FileError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace

QString longReleaseDate(const QString& day, const QString& month, const QString& year) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QString date;
    if (!day.isEmpty())
        date += day + QLatin1Char('-');
    if (!month.isEmpty()) {
        const int m = toInteger(month);
        if (m >= 1 && m <= 12)
            date += QLatin1String(months[m - 1]) + QLatin1Char('-');
    }
    if (!year.isEmpty()) {
        const int y = toInteger(year);
        // A one-digit year is the last digit of a two-digit one: "5" is 2005, not 205.
        const QString digits = year.size() == 1 ? QLatin1Char('0') + year : year;
        if (y >= 0 && y < 80)
            date += QStringLiteral("20") + digits;
        else if (y >= 80 && y < 100)
            date += QStringLiteral("19") + digits;
    }
    return date;
}

bool shortNameRejected(const QString& name) {
    for (const QChar c : name)
        if (c == QLatin1Char(' ') || c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('(') ||
            c == QLatin1Char(')'))
            return true;
    return false;
}

QString lowerShortName(const QString& name) {
    QString lowered = name;
    for (QChar& c : lowered)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lowered;
}

int sortedPosition(const QStringList& sorted, const QString& name) {
    int position = 0;
    while (position < sorted.size() && QString::compare(sorted[position], name, Qt::CaseInsensitive) <= 0)
        ++position;
    return position;
}

} // namespace profiles
