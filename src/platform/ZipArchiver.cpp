#include "platform/ZipArchiver.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

QString zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString archiveErrorText(zip_t* archive) {
    return QString::fromUtf8(zip_error_strerror(zip_get_error(archive)));
}

// The name an entry is extracted under, or an empty string when the entry
// must be skipped (reason says why).
QString bareEntryName(const QByteArray& raw, const QString& name, QString& reason) {
    // Checked on the stored bytes: decoded as code page 437, control bytes
    // would have become printable symbols.
    for (const char byte : raw) {
        if (static_cast<unsigned char>(byte) < 0x20 || byte == 0x7f) {
            reason = QStringLiteral("control character in name");
            return {};
        }
    }
    for (const QChar ch : name) {
        if (ch.category() == QChar::Other_Control) {
            reason = QStringLiteral("control character in name");
            return {};
        }
    }
    if (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'))) {
        reason = QStringLiteral("folder");
        return {};
    }
    const qsizetype cut = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    const QString bare = name.mid(cut + 1);
    if (bare.isEmpty() || bare == QLatin1String(".") || bare == QLatin1String("..")) {
        reason = QStringLiteral("no file name");
        return {};
    }
    return bare;
}

// Folders, links, devices and the like carry their type in the external
// attributes: Unix mode in the high half, or the DOS folder bit.
QString nonFileReason(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
        return {};
    if (opsys == ZIP_OPSYS_UNIX || opsys == ZIP_OPSYS_OS_X) {
        const zip_uint32_t type = (attributes >> 16) & 0170000u;
        if (type == 0120000u)
            return QStringLiteral("link");
        if (type == 0040000u)
            return QStringLiteral("folder");
        if (type != 0 && type != 0100000u)
            return QStringLiteral("not a plain file");
    }
    if (attributes & 0x10u)
        return QStringLiteral("folder");
    return {};
}

struct ProgressState {
    ZipArchiver* archiver;
    qint64 total;
};

} // namespace

ZipArchiver::ZipArchiver(QObject* parent) : QObject(parent) {}

ZipResult ZipArchiver::addFile(const QString& archivePath, const QString& filePath) {
    return addFiles(archivePath, QStringList{filePath});
}

ZipResult ZipArchiver::addFiles(const QString& archivePath, const QStringList& filePaths) {
    ZipResult result;
    auto fail = [&](const QString& text) {
        result.ok = false;
        result.message = text;
        result.written = 0;
        emit message(Error, text);
        emit batchFinished();
        return result;
    };

    // libzip reads sources only when it writes the archive, and a source that
    // is missing then spoils the whole write: check every file first.
    qint64 total = 0;
    for (const QString& path : filePaths) {
        const QFileInfo info(path);
        QFile probe(path);
        if (!info.isFile() || !probe.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Cannot open file %1").arg(path));
        total += info.size();
    }

    int flags = ZIP_CREATE;
    const QFileInfo archiveInfo(archivePath);
    if (archiveInfo.isFile() && archiveInfo.size() == 0)
        flags |= ZIP_TRUNCATE; // libzip refuses an empty file as "Not a zip archive"
    int openError = 0;
    zip_t* archive = zip_open(QFile::encodeName(archivePath).constData(), flags, &openError);
    if (!archive)
        return fail(QStringLiteral("Cannot open archive %1: %2").arg(archivePath, zipErrorText(openError)));

    for (const QString& path : filePaths) {
        const QFileInfo info(path);
        const QString name = info.fileName();
        zip_source_t* source = zip_source_file(archive, QFile::encodeName(path).constData(), 0, -1);
        if (!source) {
            const QString text = archiveErrorText(archive);
            zip_discard(archive);
            return fail(QStringLiteral("Cannot add %1 to %2: %3").arg(path, archivePath, text));
        }
        const zip_int64_t index =
            zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            const QString text = archiveErrorText(archive);
            zip_discard(archive);
            return fail(QStringLiteral("Cannot add %1 to %2: %3").arg(path, archivePath, text));
        }
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) != 0) {
            const QString text = archiveErrorText(archive);
            zip_discard(archive);
            return fail(QStringLiteral("Cannot add %1 to %2: %3").arg(path, archivePath, text));
        }
        emit message(Info, QStringLiteral("Adding %1").arg(name));
        emit fileStarted(name, info.size());
        ++result.written;
    }

    // The compression itself happens while the archive is written.
    ProgressState progress{this, total};
    zip_register_progress_callback_with_state(
        archive, 0.01,
        [](zip_t*, double fraction, void* state) {
            auto* p = static_cast<ProgressState*>(state);
            emit p->archiver->fileProgress(static_cast<qint64>(fraction * static_cast<double>(p->total)));
        },
        nullptr, &progress);
    if (zip_close(archive) != 0) {
        const QString text = archiveErrorText(archive);
        zip_discard(archive);
        return fail(QStringLiteral("Cannot write archive %1: %2").arg(archivePath, text));
    }
    emit batchFinished();
    return result;
}

ZipResult ZipArchiver::extractAll(const QString& archivePath, const QString& folder) {
    ZipResult result;
    auto problem = [&](int code, const QString& text) {
        if (code == Error && result.ok) {
            result.ok = false;
            result.message = text;
        }
        emit message(code, text);
    };

    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir()) {
        problem(Error, QStringLiteral("Cannot extract into %1: no such folder").arg(folder));
        emit batchFinished();
        return result;
    }
    const QString target = QDir(folder).absolutePath() + QLatin1Char('/');

    int openError = 0;
    zip_t* archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &openError);
    if (!archive) {
        problem(Error, QStringLiteral("Cannot open archive %1: %2").arg(archivePath, zipErrorText(openError)));
        emit batchFinished();
        return result;
    }

    std::vector<char> buffer(32768);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            ++result.skipped;
            problem(Error, QStringLiteral("Cannot read entry %1 of %2: %3")
                               .arg(QString::number(i), archivePath, archiveErrorText(archive)));
            continue;
        }
        const QString entryName = QString::fromUtf8(st.name);
        QString reason;
        const QByteArray rawName(zip_get_name(archive, index, ZIP_FL_ENC_RAW));
        QString name = bareEntryName(rawName, entryName, reason);
        if (!name.isEmpty())
            reason = nonFileReason(archive, index);
        if (reason.isEmpty() && (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            reason = QStringLiteral("encrypted");
        if (!reason.isEmpty()) {
            ++result.skipped;
            problem(EntrySkipped, QStringLiteral("Skipped %1: %2").arg(entryName, reason));
            continue;
        }

        const qint64 size = (st.valid & ZIP_STAT_SIZE) ? static_cast<qint64>(st.size) : -1;
        emit message(Info, QStringLiteral("Extracting %1").arg(name));
        emit fileStarted(name, size);

        zip_file_t* entry = zip_fopen_index(archive, index, 0);
        if (!entry) {
            ++result.skipped;
            problem(Error, QStringLiteral("Cannot extract %1: %2").arg(entryName, archiveErrorText(archive)));
            continue;
        }
        // Written beside the target and renamed over it, so an entry that
        // turns out broken halfway never replaces a good file.
        QTemporaryFile temp(target + QStringLiteral(".unzip-XXXXXX"));
        QString failure;
        if (!temp.open()) {
            failure = temp.errorString();
        } else {
            qint64 done = 0;
            for (;;) {
                const zip_int64_t got = zip_fread(entry, buffer.data(), buffer.size());
                if (got < 0) {
                    failure = QString::fromUtf8(zip_error_strerror(zip_file_get_error(entry)));
                    break;
                }
                if (got == 0)
                    break;
                if (temp.write(buffer.data(), got) != got) {
                    failure = temp.errorString();
                    break;
                }
                done += got;
                emit fileProgress(done);
            }
        }
        zip_fclose(entry);
        if (failure.isEmpty() && !temp.flush())
            failure = temp.errorString();
        if (failure.isEmpty()) {
            temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                QFileDevice::ReadOther);
            if (st.valid & ZIP_STAT_MTIME)
                temp.setFileTime(QDateTime::fromSecsSinceEpoch(st.mtime), QFileDevice::FileModificationTime);
            temp.close();
            // rename(2) replaces a file (or a link, never its target) at once.
            const QByteArray from = QFile::encodeName(temp.fileName());
            const QByteArray to = QFile::encodeName(target + name);
            if (std::rename(from.constData(), to.constData()) == 0)
                temp.setAutoRemove(false); // it is the target now
            else
                failure = QString::fromLocal8Bit(std::strerror(errno));
        }
        if (!failure.isEmpty()) {
            ++result.skipped;
            problem(Error, QStringLiteral("Cannot extract %1 to %2: %3").arg(entryName, target + name, failure));
            continue;
        }
        ++result.written;
    }
    zip_discard(archive); // opened read-only: nothing to write
    emit batchFinished();
    return result;
}

} // namespace platform
