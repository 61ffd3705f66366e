#include "platform/TextHelpers.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

TEST(TextHelpers, SizeToKB)
{
    const struct {
        const char* bytes;
        const char* kb;
    } cases[] = {
        {"0", "1"},    {"1024", "1"}, {"1025", "1"},         {"2047", "1"},       {"2048", "2"},
        {"1048576", "1024"},          {"2147483647", "2097151"},                  {"", "1"},
        {"abc", "1"},  {"-5", "1"},   {"3000000000", "1"},   {"-2147483648", "1"}, {"12k", "1"},
        {"0x1000", "1"},              {"+4096", "4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeToKB(s(c.bytes)), s(c.kb)) << c.bytes;
}

TEST(TextHelpers, SizeToMB)
{
    const struct {
        const char* bytes;
        const char* mb;
    } cases[] = {
        {"1048576", "1"},   {"1572864", "1.5"}, {"1000000", "0.95"}, {"104857600", "100"}, {"512", "0.00"},
        {"", "0.00"},       {"abc", "0.00"},    {"2048", "0.00"},    {"13631488", "13"},   {"13630464", "12.99"},
        {"2147483647", "2047.99"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeToMB(s(c.bytes)), s(c.mb)) << c.bytes;
}

TEST(TextHelpers, TimeStamp)
{
    const struct {
        QDateTime time;
        const char* stamp;
    } cases[] = {
        {QDateTime(QDate(1998, 7, 4), QTime(9, 5, 3, 7)), "1998-07-04-09-05-03-07"},
        {QDateTime(QDate(1998, 7, 4), QTime(9, 5, 3, 123)), "1998-07-04-09-05-03-123"},
        {QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 50)), "2024-12-31-23-59-59-50"},
        {QDateTime(QDate(2001, 1, 1), QTime(0, 0, 0, 0)), "2001-01-01-00-00-00-00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeStamp(c.time), s(c.stamp));
}

TEST(TextHelpers, TrimOnlySpaces)
{
    const struct {
        const char* text;
        const char* leading;
        const char* trailing;
        const char* both;
    } cases[] = {
        {"   ", "", "", ""},
        {"", "", "", ""},
        {" a b ", "a b ", " a b", "a b"},
        {"\t a \t", "\t a \t", "\t a \t", "\t a \t"},
        {"  x\t ", "x\t ", "  x\t", "x\t"},
    };
    for (const auto& c : cases) {
        QString leading = s(c.text);
        QString trailing = s(c.text);
        QString both = s(c.text);
        TrimLeadingSpaces(leading);
        TrimTrailingSpaces(trailing);
        TrimSpaces(both);
        EXPECT_EQ(leading, s(c.leading)) << c.text;
        EXPECT_EQ(trailing, s(c.trailing)) << c.text;
        EXPECT_EQ(both, s(c.both)) << c.text;
    }
}

TEST(TextHelpers, Percent20)
{
    EXPECT_EQ(SpacesToPercent20(s("  ")), s("%20%20"));
    EXPECT_EQ(SpacesToPercent20(s("a b+c\t%")), s("a%20b+c\t%"));
    EXPECT_EQ(LineBreaksToPercent20(s("a\r\nb\nc")), s("a%20bc"));
    EXPECT_EQ(LineBreaksToPercent20(s("a\rb c\n")), s("a%20b c"));
}

TEST(TextHelpers, WrapText)
{
    const struct {
        const char* text;
        int width;
        const char* wrapped;
    } cases[] = {
        {"", 8, ""},
        {"aaa bbb ccc", 8, "aaa bbb \r\nccc\r\n"},
        {"aaa bbbb cc", 8, "aaa \r\nbbbb cc\r\n"},
        {"abcdefghijkl", 8, "abcdefgh\r\nijkl\r\n"},
        {"abcdefghijklmnopq", 8, "abcdefgh\r\nijklmnop\r\nq\r\n"},
        {"abcdefghij kl", 8, "abcdefgh\r\nij kl\r\n"},
        {"one two\r\n\r\nthree four five", 8, "one two\r\n\r\nthree \r\nfour \r\nfive\r\n"},
        {"a\rb\nc\r\n", 8, "a\r\nb\r\nc\r\n"},
        {"\n", 8, "\r\n"},
        {"exactly8", 8, "exactly8\r\n"},
        {"abcdefg h", 8, "abcdefg \r\nh\r\n"},
        {"a          b", 4, "a   \r\n    \r\n   b\r\n"},
        {"ab cd", 1, "a\r\nb\r\n \r\nc\r\nd\r\n"},
        {"ab cd", 0, "a\r\nb\r\n \r\nc\r\nd\r\n"},  // taken as 1, never a hang
    };
    for (const auto& c : cases) {
        const QString wrapped = WrapText(s(c.text), c.width);
        EXPECT_EQ(wrapped, s(c.wrapped)) << c.text << " / " << c.width;
        if (c.width > 0) {
            EXPECT_EQ(WrapText(wrapped, c.width), wrapped) << "rewrapping " << c.text;
        }
    }
}
