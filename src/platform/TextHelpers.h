#pragma once

#include <QDateTime>
#include <QString>

// Small text helpers shared by the profiles, engines, run and reports. They
// keep no state and touch no file.

// Whole kilobytes of a byte count ("2048" -> "2"); a count up to 1024 bytes,
// and a text that is not a 32-bit decimal integer, gives "1".
QString SizeToKB(const QString& text);
// Megabytes of a byte count, at most two decimals, cut not rounded
// ("1000000" -> "0.95", "512" -> "0.00").
QString SizeToMB(const QString& text);
// "1998-07-04-09-05-03-07": year, month, day, hour, minute, second with two
// digits, then the millisecond with at least two.
QString TimeStamp(const QDateTime& now);

// Only the space character (0x20) is trimmed; tabs stay.
void TrimLeadingSpaces(QString& text);
void TrimTrailingSpaces(QString& text);
void TrimSpaces(QString& text);

// Each space becomes "%20"; nothing else is encoded.
QString SpacesToPercent20(const QString& text);
// Each CR becomes "%20" and each LF is dropped (CR LF -> "%20").
QString LineBreaksToPercent20(const QString& text);

// Wraps each line at spaces to at most width characters, a word keeping the
// space after it; a word longer than width is cut. Every output line ends in
// CR LF. A width below 1 is taken as 1.
QString WrapText(const QString& text, int width);
