// The plain rules behind the profile pages: the long release date and the
// 8-character name.
#include "platform/FileError.h"
#include "profiles/ProfileRules.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

TEST(ProfileRules, LongReleaseDate) {
    struct Case {
        const char *day, *month, *year, *expected;
    };
    const Case cases[] = {
        {"4", "7", "98", "4-Jul-1998"},  {"04", "12", "03", "04-Dec-2003"},
        {"", "1", "80", "Jan-1980"},     {"4", "13", "98", "4-1998"},
        {"4", "0", "98", "4-1998"},      {"", "", "98", "1998"},
        {"31", "", "", "31-"},           {"", "", "", ""},
        {"1", "2", "79", "1-Feb-2079"},  {"1", "2", "00", "1-Feb-2000"},
        {"1", "02", "99", "1-Feb-1999"}, {"", "", "5", "2005"},
        {"x", "12", "", "x-Dec-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(profiles::longReleaseDate(s(c.day), s(c.month), s(c.year)), s(c.expected))
            << c.day << "/" << c.month << "/" << c.year;
}

TEST(ProfileRules, LongReleaseDateRefusesAMonthOrYearThatIsNoNumber) {
    struct Case {
        const char *month, *year, *message;
    };
    const Case cases[] = {{"ab", "98", "'ab' is not a valid integer value"},
                          {"7", "9x", "'9x' is not a valid integer value"}};
    for (const Case& c : cases) {
        try {
            profiles::longReleaseDate(s("4"), s(c.month), s(c.year));
            ADD_FAILURE() << "no error for " << c.month << "/" << c.year;
        } catch (const platform::FileError& error) {
            EXPECT_EQ(error.message(), s(c.message));
        }
    }
}

TEST(ProfileRules, ShortName) {
    struct Case {
        const char* name;
        bool rejected;
        const char* lowered;
    };
    const Case cases[] = {
        {"My.App", true, ""},
        {"my app", true, ""},
        {"a/b", true, ""},
        {"a(b", true, ""},
        {"a)b", true, ""},
        {"MYAPP", false, "myapp"},
        {"My-App_1", false, "my-app_1"},
        {"", false, ""},
        {"\xc3\x84PFEL", false, "\xc3\x84pfel"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(profiles::shortNameRejected(s(c.name)), c.rejected) << c.name;
        if (!c.rejected) {
            EXPECT_EQ(profiles::lowerShortName(s(c.name)), s(c.lowered)) << c.name;
        }
    }
}

} // namespace
