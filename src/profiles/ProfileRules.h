#pragma once

#include <QString>
#include <QStringList>

// The plain rules of the profile pages, kept apart from the widgets.
namespace profiles {

// The release date as shown under the date fields: "4-Jul-1998". The day is
// taken as typed, a month outside 1..12 adds nothing, a year below 80 is of
// this century. Throws platform::FileError "'%s' is not a valid integer value"
// when the month or the year is not a number.
QString longReleaseDate(const QString& day, const QString& month, const QString& year);

// True when the 8-character name holds a character that a short file name
// cannot take here: a space, ".", "/", "(" or ")".
bool shortNameRejected(const QString& name);
// Only "A" to "Z" are lowered; everything else stays as it is.
QString lowerShortName(const QString& name);

// Where a company name goes in a list sorted without regard to case: after
// the names that sort before it or equal to it.
int sortedPosition(const QStringList& sorted, const QString& name);

} // namespace profiles
