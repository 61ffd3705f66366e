#include "platform/FileError.h"
#include "platform/TextFile.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TextFile, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = text::fromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text::toCp1252(text), all);
}

TEST(TextFile, HighBytesMapToTheirCharacters)
{
    const struct {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {
        {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x8C, 0x0152},
        {0x8E, 0x017D}, {0x91, 0x2018}, {0x94, 0x201D}, {0x96, 0x2013}, {0x97, 0x2014}, {0x99, 0x2122},
        {0x9C, 0x0153}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xB1, 0x00B1}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const auto& c : cases) {
        const QByteArray byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(text::fromCp1252(byte), QString(QChar(c.unicode))) << int(c.byte);
        EXPECT_EQ(text::toCp1252(QString(QChar(c.unicode))), byte) << int(c.byte);
    }
}

TEST(TextFile, UnmappableCharactersBecomeQuestionMarks)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("a\u4E2Db"), "a?b"},                  // CJK
        {QStringLiteral("x\U0001F600y"), "x?y"},              // outside the BMP: one "?", not two
        {QString(QChar(0x0080)), "?"},                        // a C1 code that 1252 uses for the euro
        {QStringLiteral("\u0100\u20AC"), "?\x80"},
        {QString(QChar(0xD800)) + QLatin1String("z"), "?z"},  // lone surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(text::toCp1252(c.text), c.bytes) << c.text.toStdString();
}

TEST(TextFile, SplitsAtEveryKindOfLineBreak)
{
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a", {QStringLiteral("a")}},
        {"a\r\n", {QStringLiteral("a")}},
        {"a\r", {QStringLiteral("a")}},
        {"a\n", {QStringLiteral("a")}},
        {"a\r\nb\rc\nd", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}},
        {"\r\n", {QString()}},
        {"a\n\n", {QStringLiteral("a"), QString()}},
        {"\n\r", {QString(), QString()}},
        {"a\r\r\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"a\n\r\nb", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text::splitLines(QString::fromLatin1(c.text)), c.lines) << c.text;
}

TEST(TextFile, WritesCp1252WithCrLfAndReadsItBack)
{
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("list.dat"));
    const QStringList lines = {QStringLiteral("Caf\u00E9 \u20AC"), QString(), QStringLiteral("\u4E2D")};
    text::writeLines(path, lines);
    EXPECT_EQ(dir.read(QStringLiteral("list.dat")), QByteArray("Caf\xE9 \x80\r\n\r\n?\r\n"));
    EXPECT_EQ(text::readLines(path), (QStringList{lines[0], QString(), QStringLiteral("?")}));

    text::writeLines(path, {});
    EXPECT_EQ(dir.read(QStringLiteral("list.dat")), QByteArray());

    text::writeText(path, QStringLiteral("a\nb\r"));
    EXPECT_EQ(dir.read(QStringLiteral("list.dat")), QByteArray("a\nb\r"));
    EXPECT_EQ(text::readText(path), QStringLiteral("a\nb\r"));
}

TEST(TextFile, MissingFileReadsEmpty)
{
    TempProgramDir dir;
    const QString missing = dir.file(QStringLiteral("none.txt"));
    EXPECT_TRUE(text::readLines(missing).isEmpty());
    EXPECT_TRUE(text::readText(missing).isEmpty());
    QStringList lines{QStringLiteral("stale")};
    EXPECT_FALSE(text::readLinesIfExists(missing, lines));
    EXPECT_TRUE(lines.isEmpty());

    dir.write(QStringLiteral("empty.txt"), {});
    EXPECT_TRUE(text::readLinesIfExists(dir.file(QStringLiteral("empty.txt")), lines));
    EXPECT_TRUE(lines.isEmpty());
}

TEST(TextFile, WriteFailureNamesThePath)
{
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("no/such/folder/a.txt"));
    try {
        text::writeLines(path, {QStringLiteral("x")});
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
}
