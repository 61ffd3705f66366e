#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace platform {

struct ZipResult {
    bool ok = true;
    QString message; // why it failed; empty on success
    int written = 0; // entries added, or files extracted
    int skipped = 0; // entries left out of an extraction (unsafe or unreadable)

    explicit operator bool() const { return ok; }
};

// Zip archives: files are stored under their bare names, deflated at level 9.
// Every operation reports through its result; nothing throws, and a broken
// archive only gives a failed result and error messages.
class ZipArchiver : public QObject {
    Q_OBJECT
public:
    // Codes of message(): 0 tells what is being done, above 0 is a problem.
    enum MessageCode { Info = 0, Error = 1, EntrySkipped = 2 };

    explicit ZipArchiver(QObject* parent = nullptr);

    // Adds the file under its bare name, replacing an entry of that name. The
    // archive is created when missing (an empty file counts as missing); an
    // existing file that is not a zip archive is left untouched and fails.
    ZipResult addFile(const QString& archivePath, const QString& filePath);
    ZipResult addFiles(const QString& archivePath, const QStringList& filePaths);

    // Extracts every file entry into folder (which must exist) under its bare
    // name, replacing existing files. Entries whose names are empty, ".",
    // "..", hold control characters, or that are folders, links or encrypted
    // are skipped; nothing is ever written outside folder. When two entries
    // have the same bare name, the later one wins. ok is false only when the
    // archive itself cannot be read or a file cannot be written.
    ZipResult extractAll(const QString& archivePath, const QString& folder);

signals:
    void message(int code, const QString& text);
    // Per file: started with its size, bytes done so far, then the batch ends.
    void fileStarted(const QString& name, qint64 size);
    void fileProgress(qint64 bytesDone);
    void batchFinished();
};

} // namespace platform
