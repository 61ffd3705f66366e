#include "platform/FileOps.h"

#include "platform/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace platform::files {

namespace {

QString joinPath(const QString& dir, const QString& name)
{
    if (dir.isEmpty() || dir.endsWith(u'/'))
        return dir + name;
    return dir + u'/' + name;
}

} // namespace

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool directoryExists(const QString& path)
{
    return QFileInfo(path).isDir();
}

bool createDirectory(const QString& path)
{
    return !path.isEmpty() && QDir().mkdir(path);
}

bool deleteFile(const QString& path)
{
    return fileExists(path) && QFile::remove(path);
}

bool deleteDirectory(const QString& path)
{
    return directoryExists(path) && QDir().rmdir(path);
}

bool renameFile(const QString& from, const QString& to)
{
    // QDir::rename never replaces an existing target, as the program expects.
    return QFileInfo::exists(from) && QDir().rename(from, to);
}

bool copyFile(const QString& from, const QString& to)
{
    if (!fileExists(from))
        return false;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    QByteArray buffer;
    while (!source.atEnd()) {
        buffer = source.read(1 << 20);
        if (buffer.isEmpty() && source.error() != QFileDevice::NoError)
            break;
        if (target.write(buffer) != buffer.size())
            break;
    }
    if (source.error() != QFileDevice::NoError || !source.atEnd()) {
        target.cancelWriting();
        target.commit();
        return false;
    }
    const QDateTime modified = source.fileTime(QFileDevice::FileModificationTime);
    source.close();
    if (!target.commit())
        return false;
    // Keep the modification time, as a shell copy does.
    QFile copied(to);
    if (copied.open(QIODevice::ReadWrite))
        copied.setFileTime(modified, QFileDevice::FileModificationTime);
    return true;
}

QList<Entry> listDirectory(const QString& path)
{
    QList<Entry> entries;
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists())
        return entries;
    const QFileInfoList infos =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::NoSort);
    entries.reserve(infos.size());
    for (const QFileInfo& info : infos) {
        Entry entry;
        entry.name = info.fileName();
        entry.isDirectory = info.isDir();
        entry.isReadOnly = !info.permission(QFileDevice::WriteOwner);
        entry.isHidden = entry.name.startsWith(u'.');
        entry.size = entry.isDirectory ? 0 : info.size();
        entry.modified = info.lastModified();
        entries.append(entry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int c = a.name.compare(b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return entries;
}

void writeFileAtomic(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (path.isEmpty() || directoryExists(path) || !file.open(QIODevice::WriteOnly))
        throw FileError::unableToWrite(path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        throw FileError::unableToWrite(path);
    }
    if (!file.commit())
        throw FileError::unableToWrite(path);
}

bool readFile(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    if (!fileExists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

QString findFileIgnoringCase(const QString& dir, const QString& name)
{
    const QString exact = joinPath(dir, name);
    if (fileExists(exact))
        return exact;
    for (const Entry& entry : listDirectory(dir)) {
        if (!entry.isDirectory && entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return joinPath(dir, entry.name);
    }
    return exact;
}

QString invalidFileNameReason(const QString& name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("The name \"%1\" cannot be used as a file name.").arg(name);
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return QStringLiteral("The name may not contain \"/\" or \"\\\", because it is used as a file name.");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("The name may not contain control characters, because it is used as a file name.");
    }
    return {};
}

} // namespace platform::files
