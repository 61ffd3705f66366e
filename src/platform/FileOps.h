#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// File and folder operations of the program. Paths are plain absolute paths;
// folder paths may end in "/".
namespace platform::files {

bool fileExists(const QString& path);       // a file (not a folder)
bool directoryExists(const QString& path);
// Creates one folder level (the parent must exist); false on failure.
bool createDirectory(const QString& path);
bool deleteFile(const QString& path);
bool deleteDirectory(const QString& path);  // an empty folder
bool renameFile(const QString& from, const QString& to);
// Copies, replacing the target (through a temporary file); false on failure.
bool copyFile(const QString& from, const QString& to);

struct Entry {
    QString name;         // bare name, no folder
    bool isDirectory = false;
    bool isReadOnly = false;
    bool isHidden = false;
    qint64 size = 0;
    QDateTime modified;
};
// Every entry of a folder but "." and "..", sorted by name; empty when missing.
QList<Entry> listDirectory(const QString& path);

// Writes bytes to a temporary file in the same folder and renames it over the
// target, so a crash never leaves a half-written file. Throws FileError
// "Unable to write to %s" with the target path on failure.
void writeFileAtomic(const QString& path, const QByteArray& bytes);
// Reads the whole file; false when it does not exist or cannot be read.
bool readFile(const QString& path, QByteArray& bytes);

// Finds an existing file in dir whose name equals name without regard to
// case; returns its full path, or dir + name when none exists.
QString findFileIgnoringCase(const QString& dir, const QString& name);

// Why a company, application or site name cannot be the stem of a file name
// in a program folder ("/" or "\", a control character, "." or ".."), as a
// sentence for the user; empty when it can.
QString invalidFileNameReason(const QString& name);

} // namespace platform::files
