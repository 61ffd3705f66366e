#include "platform/FileError.h"
#include "platform/IniFile.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace platform;

namespace {

const QByteArray Sample =
    "; made by hand\r\n"
    "Orphan=before any section\r\n"
    "garbage without an equals sign\r\n"
    "[Settings]\r\n"
    "  Name =  Value with blanks  \r\n"
    "QUOTED=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Mismatch=\"abc'\r\n"
    "Lone=\"\r\n"
    "Empty=\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "Equals=a=b\r\n"
    "Cafe=Caf\xE9 \x80\r\n"
    "; comment=not a key\r\n"
    "=no key\r\n"
    "\r\n"
    "[ Other ]\r\n"
    "Key=other\r\n";

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(IniFile, ReadsKeysTheWayTheProfileFunctionsDo)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("a.ini"), Sample);
    const IniFile ini(dir.file(QStringLiteral("a.ini")));
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Settings", "Name", "Value with blanks"},
        {"SETTINGS", "name", "Value with blanks"},
        {"settings", "QUOTED", "  spaced  "},
        {"Settings", "Single", "x"},
        {"Settings", "Mismatch", "\"abc'"},
        {"Settings", "Lone", "\""},
        {"Settings", "Empty", ""},
        {"Settings", "DUP", "first"},
        {"Settings", "Equals", "a=b"},
        {"Settings", "Cafe", "Caf\u00E9 \u20AC"},
        {"Settings", "Key", "<default>"},  // belongs to the next section
        {"Settings", "; comment", "<default>"},
        {"Settings", "Orphan", "<default>"},
        {"Settings", "Missing", "<default>"},
        {"Other", "key", "other"},
        {"Missing", "Name", "<default>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.readString(s(c.section), s(c.key), QStringLiteral("<default>")), s(c.expected)) << c.key;

    EXPECT_TRUE(ini.keyExists(QStringLiteral("settings"), QStringLiteral("EMPTY")));
    EXPECT_FALSE(ini.keyExists(QStringLiteral("Settings"), QStringLiteral("Key")));
    EXPECT_TRUE(ini.sectionExists(QStringLiteral("OTHER")));
    EXPECT_FALSE(ini.sectionExists(QStringLiteral("Orphan")));
    EXPECT_EQ(ini.sectionKeys(QStringLiteral("Settings")),
              (QStringList{QStringLiteral("Name"), QStringLiteral("QUOTED"), QStringLiteral("Single"),
                           QStringLiteral("Mismatch"), QStringLiteral("Lone"), QStringLiteral("Empty"),
                           QStringLiteral("Dup"), QStringLiteral("Equals"), QStringLiteral("Cafe")}));
    EXPECT_TRUE(ini.sectionKeys(QStringLiteral("Missing")).isEmpty());
}

TEST(IniFile, ParsesIntegers)
{
    const struct {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"42", true, 42},
        {"  42\t", true, 42},
        {"-12", true, -12},
        {"+7", true, 7},
        {"007", true, 7},
        {"0x1F", true, 31},
        {"0X1f", true, 31},
        {"$ff", true, 255},
        {"$FFFFFFFF", true, -1},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"0x100000000", false, 0},
        {"99999999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {"$", false, 0},
        {"-0x10", false, 0},
        {"12abc", false, 0},
        {"1 2", false, 0},
        {"0x1G", false, 0},
        {"1.5", false, 0},
        {"\u0663", false, 0},  // a digit, but not an ASCII one
    };
    for (const auto& c : cases) {
        int value = 12345;
        EXPECT_EQ(parseInteger(s(c.text), value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(IniFile, IntegersAndFlagsFallBackToTheDefault)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("a.ini"), "[S]\nHex=$10\nBad=12abc\nZero=0\nTwo=2\nYes=yes\nQuoted=\"5\"\n");
    const IniFile ini(dir.file(QStringLiteral("a.ini")));
    const QString sec = QStringLiteral("s");
    EXPECT_EQ(ini.readInteger(sec, QStringLiteral("Hex"), -1), 16);
    EXPECT_EQ(ini.readInteger(sec, QStringLiteral("Bad"), -1), -1);
    EXPECT_EQ(ini.readInteger(sec, QStringLiteral("Missing"), 30), 30);
    EXPECT_EQ(ini.readInteger(sec, QStringLiteral("Quoted"), -1), 5);
    EXPECT_FALSE(ini.readBool(sec, QStringLiteral("Zero"), true));
    EXPECT_TRUE(ini.readBool(sec, QStringLiteral("Two"), false));
    EXPECT_TRUE(ini.readBool(sec, QStringLiteral("Yes"), true));
    EXPECT_FALSE(ini.readBool(sec, QStringLiteral("Yes"), false));
    EXPECT_FALSE(ini.readBool(sec, QStringLiteral("Missing"), false));
}

TEST(IniFile, ValuesAreCutTo1023Characters)
{
    TempProgramDir dir;
    const QByteArray exact(1023, 'e');
    const QByteArray longer = QByteArray(1023, 'l') + "TAIL";
    const QByteArray huge(4 << 20, 'h');
    dir.write(QStringLiteral("a.ini"),
              "[S]\r\nExact=" + exact + "\r\nLonger=" + longer + "\r\nQuoted=\"" + longer + "\"\r\nHuge=" + huge +
                  "\r\nAfter=1\r\n");
    IniFile ini(dir.file(QStringLiteral("a.ini")));
    const QString sec = QStringLiteral("S");
    EXPECT_EQ(ini.readString(sec, QStringLiteral("Exact")), QString::fromLatin1(exact));
    EXPECT_EQ(ini.readString(sec, QStringLiteral("Longer")), QString(1023, u'l'));
    EXPECT_EQ(ini.readString(sec, QStringLiteral("Quoted")), QString(1023, u'l'));
    EXPECT_EQ(ini.readString(sec, QStringLiteral("Huge")), QString(1023, u'h'));
    EXPECT_EQ(ini.readInteger(sec, QStringLiteral("After"), 0), 1);

    // The cut is on reading only: the file keeps the whole value.
    ini.writeString(sec, QStringLiteral("After"), QStringLiteral("2"));
    ini.updateFile();
    const QByteArray written = dir.read(QStringLiteral("a.ini"));
    EXPECT_TRUE(written.contains("\r\nHuge=" + huge + "\r\nAfter=2\r\n"));
    EXPECT_TRUE(written.contains("Longer=" + longer + "\r\n"));
}

TEST(IniFile, WriteReplacesInPlaceAndKeepsEveryOtherLine)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("a.ini"), Sample);
    IniFile ini(dir.file(QStringLiteral("a.ini")));
    ini.writeString(QStringLiteral("SETTINGS"), QStringLiteral("DUP"), QStringLiteral("changed"));
    ini.writeInteger(QStringLiteral("other"), QStringLiteral("KEY"), -3);
    ini.updateFile();

    QByteArray expected = Sample;
    expected.replace("Dup=first\r\n", "DUP=changed\r\n");
    expected.replace("Key=other\r\n", "KEY=-3\r\n");
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")), expected);

    const IniFile again(dir.file(QStringLiteral("a.ini")));
    EXPECT_EQ(again.readString(QStringLiteral("Settings"), QStringLiteral("dup")), QStringLiteral("changed"));
    EXPECT_EQ(again.readInteger(QStringLiteral("Other"), QStringLiteral("Key"), 0), -3);
}

TEST(IniFile, NewKeysGoToTheirSectionAndNewSectionsToTheEnd)
{
    TempProgramDir dir;
    dir.write(QStringLiteral("a.ini"), "[A]\r\nOne=1\r\n\r\n; about B\r\n[B]\r\n[C]\r\nx=1");
    IniFile ini(dir.file(QStringLiteral("a.ini")));
    ini.writeString(QStringLiteral("a"), QStringLiteral("Two"), QStringLiteral("2"));
    ini.writeBool(QStringLiteral("B"), QStringLiteral("Flag"), true);
    ini.writeBool(QStringLiteral("B"), QStringLiteral("Off"), false);
    ini.writeString(QStringLiteral("New"), QStringLiteral("K"), QStringLiteral("v"));
    ini.writeString(QStringLiteral("new"), QStringLiteral("K2"), QStringLiteral("w"));
    ini.updateFile();
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")),
              QByteArray("[A]\r\nOne=1\r\nTwo=2\r\n\r\n; about B\r\n[B]\r\nFlag=1\r\nOff=0\r\n[C]\r\nx=1\r\n"
                         "[New]\r\nK=v\r\nK2=w\r\n"));
}

TEST(IniFile, MissingFileIsEmptyAndCreatedOnWrite)
{
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("new.ini"));
    IniFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(ini.sectionExists(QStringLiteral("S")));
    ini.updateFile();  // nothing changed: no file
    EXPECT_FALSE(dir.exists(QStringLiteral("new.ini")));

    ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("\u00E9\u4E2D"));
    EXPECT_EQ(ini.readString(QStringLiteral("s"), QStringLiteral("k")), QStringLiteral("\u00E9\u4E2D"));
    ini.updateFile();
    EXPECT_EQ(dir.read(QStringLiteral("new.ini")), QByteArray("[S]\r\nK=\xE9?\r\n"));
}

TEST(IniFile, AnUnchangedValueDoesNotRewriteTheFile)
{
    TempProgramDir dir;
    const QByteArray original = "[S]\n  K = \"v\" \n";  // LF only: a rewrite would show as CR LF
    dir.write(QStringLiteral("a.ini"), original);
    IniFile ini(dir.file(QStringLiteral("a.ini")));
    ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    ini.updateFile();
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")), original);
}

TEST(IniFile, ReadsCrLfCrAndLfLineBreaks)
{
    const QByteArray cases[] = {"[S]\r\nA=1\r\nB=2\r\n", "[S]\rA=1\rB=2", "[S]\nA=1\nB=2\n", "[S]\r\nA=1\rB=2\n"};
    for (const QByteArray& bytes : cases) {
        TempProgramDir dir;
        dir.write(QStringLiteral("a.ini"), bytes);
        const IniFile ini(dir.file(QStringLiteral("a.ini")));
        EXPECT_EQ(ini.readInteger(QStringLiteral("S"), QStringLiteral("A"), 0), 1) << bytes.toStdString();
        EXPECT_EQ(ini.readInteger(QStringLiteral("S"), QStringLiteral("B"), 0), 2) << bytes.toStdString();
    }
}

TEST(IniFile, LineBreaksInAValueCannotAddLines)
{
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("a.ini"));
    IniFile ini(path);
    ini.writeString(QStringLiteral("S"), QStringLiteral("Name"), QStringLiteral("a\r\n[Evil]\rK=1\nz"));
    ini.updateFile();
    const IniFile again(path);
    EXPECT_EQ(again.readString(QStringLiteral("S"), QStringLiteral("Name")), QStringLiteral("a [Evil] K=1 z"));
    EXPECT_FALSE(again.sectionExists(QStringLiteral("Evil")));
    EXPECT_EQ(again.sectionKeys(QStringLiteral("S")), QStringList{QStringLiteral("Name")});
}

TEST(IniFile, GarbageAndBinaryLinesAreKeptByteForByte)
{
    TempProgramDir dir;
    QByteArray garbage;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            garbage.append(static_cast<char>(b));
    }
    const QByteArray keyLine = QByteArrayLiteral("K=\x81\x8D\x8F\x90\x9D\0\r\n");
    const QByteArray original = QByteArrayLiteral("\xFF\xFE[\0]\r\n") + garbage + "\r\n[\r\n]\r\n=\r\n[S]\r\n" +
                                garbage + "\r\n" + keyLine + "[\x01]\r\nK=2\r\n";
    dir.write(QStringLiteral("a.ini"), original);
    IniFile ini(dir.file(QStringLiteral("a.ini")));
    EXPECT_EQ(ini.readString(QStringLiteral("S"), QStringLiteral("K")),
              QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D\0", 6));
    ini.writeString(QStringLiteral("S"), QStringLiteral("New"), QStringLiteral("1"));
    ini.updateFile();
    QByteArray expected = original;
    expected.replace(keyLine, keyLine + "New=1\r\n");
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")), expected);
}

TEST(IniFile, UpdateFailureThrowsAndKeepsTheChanges)
{
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("missing/a.ini"));
    IniFile ini(path);
    ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    try {
        ini.updateFile();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
    // Once the folder exists, the same object writes what it holds.
    ASSERT_TRUE(QDir().mkdir(dir.file(QStringLiteral("missing"))));
    ini.updateFile();
    EXPECT_EQ(dir.read(QStringLiteral("missing/a.ini")), QByteArray("[S]\r\nK=v\r\n"));
}

TEST(IniFile, AnUnreadableFileIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempProgramDir dir;
    dir.write(QStringLiteral("a.ini"), "[S]\r\nOther=keep me\r\n");
    const QString path = dir.file(QStringLiteral("a.ini"));
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    IniFile ini(path);
    ini.writeString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_THROW(ini.updateFile(), FileError);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(dir.read(QStringLiteral("a.ini")), QByteArray("[S]\r\nOther=keep me\r\n"));
}
