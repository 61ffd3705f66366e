#include "platform/FileError.h"
#include "platform/FileOps.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace platform;

namespace {

QStringList names(const QList<files::Entry>& entries)
{
    QStringList result;
    for (const files::Entry& e : entries)
        result.append(e.name);
    return result;
}

QString writeErrorOf(const QString& path)
{
    try {
        files::writeFileAtomic(path, "data");
    } catch (const FileError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(FileOps, AtomicWriteReplacesAndLeavesNoTemporaryFile)
{
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("settings.dat"));
    files::writeFileAtomic(path, "first");
    files::writeFileAtomic(path, "second, longer");
    files::writeFileAtomic(path, QByteArray());
    EXPECT_EQ(dir.read(QStringLiteral("settings.dat")), QByteArray());
    files::writeFileAtomic(path, "last");
    EXPECT_EQ(dir.read(QStringLiteral("settings.dat")), QByteArray("last"));
    EXPECT_EQ(names(files::listDirectory(dir.path())), QStringList{QStringLiteral("settings.dat")});
}

TEST(FileOps, AtomicWriteFailureThrowsWithTheTargetPath)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("plain"), "x");
    QDir().mkdir(dir.file(QStringLiteral("folder")));
    const QString cases[] = {
        dir.file(QStringLiteral("missing/a.dat")),  // no parent folder
        dir.file(QStringLiteral("plain/a.dat")),    // parent is a file
        dir.file(QStringLiteral("folder")),         // target is a folder
    };
    for (const QString& path : cases)
        EXPECT_EQ(writeErrorOf(path), QStringLiteral("Unable to write to ") + path);
    EXPECT_EQ(names(files::listDirectory(dir.path())), (QStringList{QStringLiteral("folder"), QStringLiteral("plain")}));
    EXPECT_TRUE(files::listDirectory(dir.file(QStringLiteral("folder"))).isEmpty());
}

TEST(FileOps, ListsEntriesWithAttributesSortedByName)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("b.txt"), "12345");
    dir.write(QStringLiteral("A.txt"), "");
    dir.write(QStringLiteral(".hidden"), "h");
    dir.write(QStringLiteral("c/inner.txt"), "not listed");
    dir.write(QStringLiteral("ro.txt"), "r");
    QFile::setPermissions(dir.file(QStringLiteral("ro.txt")), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    const QList<files::Entry> entries = files::listDirectory(dir.path());
    ASSERT_EQ(names(entries), (QStringList{QStringLiteral(".hidden"), QStringLiteral("A.txt"), QStringLiteral("b.txt"),
                                           QStringLiteral("c"), QStringLiteral("ro.txt")}));
    EXPECT_TRUE(entries[0].isHidden);
    EXPECT_FALSE(entries[1].isHidden);
    EXPECT_EQ(entries[2].size, 5);
    EXPECT_FALSE(entries[2].isDirectory);
    EXPECT_TRUE(entries[3].isDirectory);
    EXPECT_FALSE(entries[2].isReadOnly);
    EXPECT_TRUE(entries[4].isReadOnly);
    EXPECT_EQ(entries[2].modified, QFileInfo(dir.file(QStringLiteral("b.txt"))).lastModified());

    // A path without the trailing "/" lists the same; a missing folder lists nothing.
    EXPECT_EQ(files::listDirectory(dir.file(QStringLiteral("c"))).size(), 1);
    EXPECT_TRUE(files::listDirectory(dir.file(QStringLiteral("none/"))).isEmpty());
}

TEST(FileOps, CopyReplacesTheTargetAndKeepsTheModificationTime)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("src.zip"), QByteArray(3 << 20, 'z') + "end");
    dir.write(QStringLiteral("dst.zip"), "old contents");
    const QString src = dir.file(QStringLiteral("src.zip"));
    const QString dst = dir.file(QStringLiteral("dst.zip"));
    const QDateTime stamp = QDateTime::currentDateTime().addDays(-3);
    {
        QFile f(src);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(stamp, QFileDevice::FileModificationTime);
    }
    ASSERT_TRUE(files::copyFile(src, dst));
    EXPECT_EQ(dir.read(QStringLiteral("dst.zip")), dir.read(QStringLiteral("src.zip")));
    EXPECT_LE(qAbs(QFileInfo(dst).lastModified().msecsTo(stamp)), 1000);
    EXPECT_EQ(files::listDirectory(dir.path()).size(), 2);

    EXPECT_FALSE(files::copyFile(dir.file(QStringLiteral("missing")), dst));
    EXPECT_FALSE(files::copyFile(src, dir.file(QStringLiteral("no/dst.zip"))));
    EXPECT_EQ(dir.read(QStringLiteral("dst.zip")).size(), (3 << 20) + 3);
}

TEST(FileOps, FindsAFileWithoutRegardToCase)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("Sites.dat"), "x");
    dir.write(QStringLiteral("a.txt"), "x");
    dir.write(QStringLiteral("A.TXT"), "x");
    dir.write(QStringLiteral("Folder.dat/f"), "x");
    const QString d = dir.path();
    const struct {
        QString dir;
        QString name;
        QString expected;
    } cases[] = {
        {d, QStringLiteral("sites.dat"), d + QStringLiteral("Sites.dat")},
        {d, QStringLiteral("SITES.DAT"), d + QStringLiteral("Sites.dat")},
        {d, QStringLiteral("Sites.dat"), d + QStringLiteral("Sites.dat")},
        {d, QStringLiteral("A.TXT"), d + QStringLiteral("A.TXT")},  // the exact name first
        {d, QStringLiteral("a.txt"), d + QStringLiteral("a.txt")},
        {d, QStringLiteral("new.dat"), d + QStringLiteral("new.dat")},
        {d, QStringLiteral("folder.dat"), d + QStringLiteral("folder.dat")},  // folders are not files
        {d.chopped(1), QStringLiteral("sites.DAT"), d + QStringLiteral("Sites.dat")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(files::findFileIgnoringCase(c.dir, c.name), c.expected) << c.name.toStdString();
}

TEST(FileOps, FolderAndFileOperations)
{
    TempProgramDir dir;
    const QString sub = dir.file(QStringLiteral("sites/"));
    EXPECT_TRUE(files::createDirectory(sub));
    EXPECT_FALSE(files::createDirectory(sub));                                 // exists
    EXPECT_FALSE(files::createDirectory(dir.file(QStringLiteral("x/y/"))));  // one level only
    EXPECT_TRUE(files::directoryExists(sub));
    EXPECT_FALSE(files::fileExists(sub));

    dir.write(QStringLiteral("sites/a.ini"), "a");
    dir.write(QStringLiteral("sites/b.ini"), "b");
    const QString a = sub + QStringLiteral("a.ini");
    const QString b = sub + QStringLiteral("b.ini");
    EXPECT_TRUE(files::fileExists(a));
    EXPECT_FALSE(files::directoryExists(a));
    EXPECT_FALSE(files::renameFile(a, b));  // never replaces
    EXPECT_EQ(dir.read(QStringLiteral("sites/b.ini")), QByteArray("b"));
    EXPECT_FALSE(files::deleteDirectory(sub));  // not empty
    EXPECT_FALSE(files::deleteFile(sub));
    EXPECT_TRUE(files::deleteFile(b));
    EXPECT_TRUE(files::renameFile(a, b));
    EXPECT_EQ(dir.read(QStringLiteral("sites/b.ini")), QByteArray("a"));
    EXPECT_FALSE(files::deleteFile(a));

    QByteArray bytes;
    EXPECT_TRUE(files::readFile(b, bytes));
    EXPECT_EQ(bytes, QByteArray("a"));
    EXPECT_FALSE(files::readFile(a, bytes));
    EXPECT_FALSE(files::readFile(sub, bytes));

    EXPECT_TRUE(files::deleteFile(b));
    EXPECT_TRUE(files::deleteDirectory(sub));
    EXPECT_FALSE(files::directoryExists(sub));
}
