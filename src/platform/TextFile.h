#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Program text files: Windows-1252 bytes on disk, QString inside. Lines are
// written with CR LF (the last one too) and read at CR LF, a lone CR or a lone
// LF; a line break at the very end makes no extra empty line.
namespace platform::text {

QString fromCp1252(const QByteArray& bytes);
// A character that Windows-1252 cannot hold becomes "?".
QByteArray toCp1252(const QString& text);

// Splits at CR LF, CR and LF; a trailing break makes no extra empty line.
QStringList splitLines(const QString& text);
// Each line followed by CR LF.
QString joinLines(const QStringList& lines);

// A missing or unreadable file reads as an empty list / text.
QStringList readLines(const QString& path);
// The whole file as text, its line breaks kept as they are on disk.
QString readText(const QString& path);
bool readLinesIfExists(const QString& path, QStringList& lines);

// Atomic replacement; throws FileError "Unable to write to %s".
void writeLines(const QString& path, const QStringList& lines);
// Writes the text as it is (no line-break conversion), atomically.
void writeText(const QString& path, const QString& text);

} // namespace platform::text
