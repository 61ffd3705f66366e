#pragma once

#include <QDateTime>
#include <QLocale>

namespace platform {

// The program's clock; tests set it to a fixed time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime time) : time_(std::move(time)) {}
    QDateTime now() const override { return time_; }
    void set(QDateTime time) { time_ = std::move(time); }
    void advanceMs(qint64 ms) { time_ = time_.addMSecs(ms); }

private:
    QDateTime time_;
};

// The locale's short date and long time (with seconds, no time zone).
QString shortDate(const QDate& date);
QString longTime(const QTime& time);
// The format longTime uses for a locale: its long time format without the
// time-zone fields, with seconds added when the locale has none.
QString longTimeFormat(const QLocale& locale);

} // namespace platform
