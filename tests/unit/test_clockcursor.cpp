#include "platform/Clock.h"
#include "platform/Cursor.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

using namespace platform;

TEST(Clock, LongTimeHasSecondsAndNoTimeZone)
{
    const struct {
        const char* locale;
        const char* time;  // 13:05:09
    } cases[] = {
        {"C", "13:05:09"},          {"en_US", "1:05:09 PM"},  {"de_DE", "13:05:09"},
        {"zh_CN", "13:05:09"},      {"es_ES", "13:05:09"},    {"fi_FI", "13.05.09"},
        {"ja_JP", "13時05分09秒"},  {"ko_KR", "오후 1시 5분 9초"},
    };
    for (const auto& c : cases) {
        const QLocale locale{QString::fromLatin1(c.locale)};
        EXPECT_EQ(locale.toString(QTime(13, 5, 9), longTimeFormat(locale)), QString::fromUtf8(c.time)) << c.locale;
    }
}

TEST(Cursor, BusyAndDefaultNeverStack)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    setBusyCursor();
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    setBusyCursor();  // a nested busy section
    setDefaultCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    setDefaultCursor();  // the outer section's end changes nothing
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    setBusyCursor();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    setDefaultCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
