#include "platform/Clock.h"

#include <QLocale>

namespace platform {

namespace {

// The locale's long time format without its time-zone fields ("t", "(t)"),
// with the blanks that separated them; quoted literal text is kept as it is.
QString withoutTimeZone(const QString& format, bool& hasSeconds)
{
    QString out;
    hasSeconds = false;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = format[i];
        if (c == u'\'') {
            const qsizetype start = i++;
            while (i < n) {
                if (format[i] == u'\'' && (i + 1 >= n || format[i + 1] != u'\''))
                    break;
                i += format[i] == u'\'' ? 2 : 1;
            }
            i = qMin(i + 1, n);
            out += format.mid(start, i - start);
        } else if (c == u't') {
            while (i < n && format[i] == u't')
                ++i;
            // "(t)" goes as a whole
            if (!out.isEmpty() && out.back() == u'(' && i < n && format[i] == u')') {
                out.chop(1);
                ++i;
            }
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
            if (out.isEmpty()) {
                while (i < n && format[i].isSpace())
                    ++i;
            }
        } else {
            hasSeconds = hasSeconds || c == u's';
            out += c;
            ++i;
        }
    }
    return out.trimmed();
}

} // namespace

QString shortDate(const QDate& date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString longTimeFormat(const QLocale& locale)
{
    bool hasSeconds = false;
    QString format = withoutTimeZone(locale.timeFormat(QLocale::LongFormat), hasSeconds);
    if (!hasSeconds) {
        // Seconds follow the minutes ("mm" becomes "mm:ss").
        const qsizetype minutes = format.lastIndexOf(u'm');
        if (minutes >= 0)
            format.insert(minutes + 1, QLatin1String(":ss"));
        else
            format = QStringLiteral("HH:mm:ss");
    }
    return format;
}

QString longTime(const QTime& time)
{
    const QLocale locale = QLocale::system();
    return locale.toString(time, longTimeFormat(locale));
}

} // namespace platform
