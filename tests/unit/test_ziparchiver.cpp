#include "platform/ZipArchiver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <zip.h>

#include <list>
#include <map>
#include <string>

using platform::ZipArchiver;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

struct Entry {
    QByteArray data;
    zip_int32_t method = 0;
};

// Reads an archive back with libzip: entry name -> content and how it is stored.
std::map<std::string, Entry> entries(const QString& archive) {
    std::map<std::string, Entry> out;
    int error = 0;
    zip_t* za = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
    if (!za)
        return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(za, i, 0, &st);
        Entry e;
        e.method = st.comp_method;
        zip_file_t* f = zip_fopen_index(za, i, 0);
        e.data.resize(static_cast<qsizetype>(st.size));
        zip_fread(f, e.data.data(), st.size);
        zip_fclose(f);
        out[st.name] = e;
    }
    zip_discard(za);
    return out;
}

// The deflate level shows in bits 1 and 2 of the first local header's flags.
int firstEntryDeflateBits(const QString& archive) {
    const QByteArray raw = readAll(archive);
    return raw.size() > 8 ? (uchar(raw[6]) & 0x6) : -1;
}

QByteArray compressibleBytes(int size) {
    QByteArray bytes;
    QRandomGenerator rng(7);
    while (bytes.size() < size)
        bytes += QByteArray::number(rng.bounded(1000)) + " words repeat\r\n";
    return bytes.left(size);
}

class ZipArchiverTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QTemporaryDir dir;
    ZipArchiver zip;
};

TEST_F(ZipArchiverTest, CreatesAddsAndReplacesEntriesUnderBareNamesAtLevelNine) {
    QDir().mkpath(path(QStringLiteral("deep/folder")));
    const QByteArray first = compressibleBytes(200000);
    writeAll(path(QStringLiteral("deep/folder/MyApp32.exe")), first);
    writeAll(path(QStringLiteral("readme.txt")), "old text\r\n");
    const QString archive = path(QStringLiteral("myapp.zip"));

    ASSERT_TRUE(zip.addFile(archive, path(QStringLiteral("deep/folder/MyApp32.exe"))));
    auto got = entries(archive);
    ASSERT_EQ(got.size(), 1u);
    ASSERT_TRUE(got.count("MyApp32.exe"));
    EXPECT_EQ(got["MyApp32.exe"].data, first);
    EXPECT_EQ(got["MyApp32.exe"].method, ZIP_CM_DEFLATE);
    EXPECT_EQ(firstEntryDeflateBits(archive), 0x2) << "the deflate bits should say maximum compression";

    // A later run adds to the archive it finds, and the same name replaces.
    ASSERT_TRUE(zip.addFile(archive, path(QStringLiteral("readme.txt"))));
    writeAll(path(QStringLiteral("readme.txt")), "new text\r\n");
    ASSERT_TRUE(zip.addFile(archive, path(QStringLiteral("readme.txt"))));
    got = entries(archive);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got["MyApp32.exe"].data, first);
    EXPECT_EQ(got["readme.txt"].data, QByteArray("new text\r\n"));
}

TEST_F(ZipArchiverTest, EmptyExistingFileIsTakenAsNewArchive) {
    writeAll(path(QStringLiteral("a.txt")), "abc");
    writeAll(path(QStringLiteral("empty.zip")), QByteArray());
    const auto result = zip.addFile(path(QStringLiteral("empty.zip")), path(QStringLiteral("a.txt")));
    ASSERT_TRUE(result) << result.message.toStdString();
    EXPECT_EQ(entries(path(QStringLiteral("empty.zip")))["a.txt"].data, QByteArray("abc"));
}

TEST_F(ZipArchiverTest, FailuresLeaveArchivesAsTheyWere) {
    writeAll(path(QStringLiteral("a.txt")), "abc");
    const QString good = path(QStringLiteral("good.zip"));
    ASSERT_TRUE(zip.addFile(good, path(QStringLiteral("a.txt"))));
    const QByteArray goodBytes = readAll(good);
    const QByteArray junk = "this is not a zip archive at all";
    writeAll(path(QStringLiteral("junk.zip")), junk);

    struct Case {
        const char* archive;
        const char* file;
    };
    const Case cases[] = {
        {"good.zip", "missing.txt"}, // missing source: the existing archive is not touched
        {"new.zip", "missing.txt"},  // ... and no archive appears
        {"junk.zip", "a.txt"},       // not a zip: never overwritten
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        QSignalSpy messages(&zip, &ZipArchiver::message);
        const auto result = zip.addFile(path(QLatin1String(c.archive)), path(QLatin1String(c.file)));
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.message.isEmpty());
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_EQ(messages.last().at(0).toInt(), ZipArchiver::Error);
    }
    EXPECT_EQ(readAll(good), goodBytes);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("new.zip"))));
    EXPECT_EQ(readAll(path(QStringLiteral("junk.zip"))), junk);
}

// Builds an archive with libzip as a hostile or careless tool would.
class ArchiveBuilder {
public:
    explicit ArchiveBuilder(const QString& path) {
        int error = 0;
        za_ = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    }
    zip_int64_t add(const QByteArray& name, const QByteArray& data) {
        buffers_.push_back(data);
        const QByteArray& kept = buffers_.back();
        zip_source_t* src = zip_source_buffer(za_, kept.constData(), kept.size(), 0);
        return zip_file_add(za_, name.constData(), src, ZIP_FL_ENC_RAW);
    }
    zip_t* handle() const { return za_; }
    bool close() { return zip_close(za_) == 0; }

private:
    zip_t* za_;
    std::list<QByteArray> buffers_;
};

TEST_F(ZipArchiverTest, ExtractsBareNamesAndNeverWritesOutsideTheFolder) {
    const QString out = path(QStringLiteral("updates"));
    QDir().mkpath(out);
    QDir().mkpath(path(QStringLiteral("outside")));
    writeAll(path(QStringLiteral("outside/target.txt")), "untouched");
    // A link already in the folder must be replaced, not written through.
    ASSERT_TRUE(QFile::link(path(QStringLiteral("outside/target.txt")), out + QStringLiteral("/target.txt")));
    writeAll(out + QStringLiteral("/Sites.dat"), "old list");

    const QString archive = path(QStringLiteral("pxsites.zip"));
    ArchiveBuilder b(archive);
    b.add("Sites.dat", "new list");
    b.add("../evil.txt", "evil");
    b.add("/etc/absolute.txt", "absolute");
    b.add("sub/dir/nested.txt", "nested");
    b.add("C:\\win\\path.txt", "backslashes");
    b.add("target.txt", "replaces the link");
    b.add("first/dup.txt", "first");
    b.add("second/dup.txt", "second");
    b.add("..", "dots");
    b.add("sub/..", "dots");
    b.add("sub/.", "dot");
    b.add("bad\x01name.txt", "control");
    zip_dir_add(b.handle(), "folder/", 0);
    const zip_int64_t link = b.add("link.txt", "../outside/target.txt");
    zip_file_set_external_attributes(b.handle(), link, 0, ZIP_OPSYS_UNIX, 0120777u << 16);
    bool encrypted = false;
    if (zip_encryption_method_supported(ZIP_EM_AES_256, 1)) {
        const zip_int64_t secret = b.add("secret.txt", "secret");
        encrypted = zip_file_set_encryption(b.handle(), secret, ZIP_EM_AES_256, "pw") == 0;
    }
    ASSERT_TRUE(b.close());

    QSignalSpy messages(&zip, &ZipArchiver::message);
    QSignalSpy started(&zip, &ZipArchiver::fileStarted);
    QSignalSpy finished(&zip, &ZipArchiver::batchFinished);
    const auto result = zip.extractAll(archive, out);
    EXPECT_TRUE(result) << result.message.toStdString();

    QStringList names = QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    const QStringList expected{QStringLiteral("Sites.dat"), QStringLiteral("absolute.txt"), QStringLiteral("dup.txt"),
                               QStringLiteral("evil.txt"),  QStringLiteral("nested.txt"),   QStringLiteral("path.txt"),
                               QStringLiteral("target.txt")};
    EXPECT_EQ(names.join(QLatin1Char(',')).toStdString(), expected.join(QLatin1Char(',')).toStdString());
    EXPECT_EQ(readAll(out + QStringLiteral("/Sites.dat")), QByteArray("new list"));
    EXPECT_EQ(readAll(out + QStringLiteral("/dup.txt")), QByteArray("second"));
    EXPECT_EQ(readAll(out + QStringLiteral("/path.txt")), QByteArray("backslashes"));
    EXPECT_FALSE(QFileInfo(out + QStringLiteral("/target.txt")).isSymLink());
    EXPECT_EQ(readAll(out + QStringLiteral("/target.txt")), QByteArray("replaces the link"));
    EXPECT_EQ(readAll(path(QStringLiteral("outside/target.txt"))), QByteArray("untouched"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("evil.txt"))));
    EXPECT_TRUE(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    EXPECT_EQ(result.written, 8); // dup.txt twice
    EXPECT_EQ(result.skipped, 6 + (encrypted ? 1 : 0));
    EXPECT_EQ(started.size(), 8);
    EXPECT_EQ(finished.size(), 1);
    int skippedMessages = 0;
    for (const auto& m : messages) {
        EXPECT_NE(m.at(0).toInt(), ZipArchiver::Error) << m.at(1).toString().toStdString();
        skippedMessages += m.at(0).toInt() == ZipArchiver::EntrySkipped;
    }
    EXPECT_EQ(skippedMessages, result.skipped);
}

TEST_F(ZipArchiverTest, BrokenArchivesFailWithAMessage) {
    const QString out = path(QStringLiteral("out"));
    QDir().mkpath(out);
    writeAll(path(QStringLiteral("a.txt")), compressibleBytes(100000));
    ASSERT_TRUE(zip.addFile(path(QStringLiteral("whole.zip")), path(QStringLiteral("a.txt"))));
    const QByteArray whole = readAll(path(QStringLiteral("whole.zip")));
    // Damage inside the compressed data: the directory still reads, the entry does not.
    QByteArray damaged = whole;
    for (int i = 200; i < 400; ++i)
        damaged[i] = char(damaged[i] ^ 0x5a);

    const std::pair<const char*, QByteArray> cases[] = {
        {"not a zip", QByteArray("PK\x03\x04 but nothing after it")},
        {"truncated", whole.left(whole.size() / 2)},
        {"damaged data", damaged},
        {"empty file", QByteArray()},
    };
    for (const auto& [label, bytes] : cases) {
        SCOPED_TRACE(label);
        writeAll(path(QStringLiteral("broken.zip")), bytes);
        QSignalSpy messages(&zip, &ZipArchiver::message);
        const auto result = zip.extractAll(path(QStringLiteral("broken.zip")), out);
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.message.isEmpty());
        bool sawError = false;
        for (const auto& m : messages)
            sawError |= m.at(0).toInt() == ZipArchiver::Error;
        EXPECT_TRUE(sawError);
        EXPECT_TRUE(QDir(out).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no half-written file is left";
    }
    EXPECT_FALSE(zip.extractAll(path(QStringLiteral("missing.zip")), out));
}

} // namespace
