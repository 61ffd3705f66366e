#include "platform/TextHelpers.h"

#include "platform/TextFile.h"

#include <limits>

namespace {

// A 32-bit signed decimal integer with an optional sign; anything else is 0.
int decimalOrZero(const QString& text)
{
    QStringView s(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    if (s.isEmpty())
        return 0;
    qint64 value = 0;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return 0;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(value);
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString SizeToKB(const QString& text)
{
    const int bytes = decimalOrZero(text);
    if (bytes > 1024)
        return QString::number(bytes / 1024);
    return QStringLiteral("1");
}

QString SizeToMB(const QString& text)
{
    const int kilobytes = SizeToKB(text).toInt();
    QString result = QString::number(kilobytes / 1024.0, 'g', 15);
    const qsizetype dot = result.indexOf(u'.');
    if (dot >= 0)
        result.truncate(dot + 3);
    return result;
}

QString TimeStamp(const QDateTime& now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    const QChar dash = u'-';
    return QString::number(date.year()) + dash + twoDigits(date.month()) + dash + twoDigits(date.day()) + dash +
           twoDigits(time.hour()) + dash + twoDigits(time.minute()) + dash + twoDigits(time.second()) + dash +
           twoDigits(time.msec());
}

void TrimLeadingSpaces(QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == u' ')
        ++n;
    text.remove(0, n);
}

void TrimTrailingSpaces(QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ')
        --n;
    text.truncate(n);
}

void TrimSpaces(QString& text)
{
    TrimLeadingSpaces(text);
    TrimTrailingSpaces(text);
}

QString SpacesToPercent20(const QString& text)
{
    QString result = text;
    return result.replace(u' ', QLatin1String("%20"));
}

QString LineBreaksToPercent20(const QString& text)
{
    QString result = text;
    result.replace(u'\r', QLatin1String("%20"));
    result.remove(u'\n');
    return result;
}

QString WrapText(const QString& text, int width)
{
    if (text.isEmpty())
        return {};
    // A width below 1 would never shorten the rest and loop forever.
    const qsizetype w = qMax(width, 1);
    QStringList out;
    for (const QString& line : platform::text::splitLines(text)) {
        if (line.isEmpty()) {
            out.append(QString());
            continue;
        }
        QStringView rest(line);
        while (!rest.isEmpty()) {
            if (rest.size() <= w) {
                out.append(rest.toString());
                break;
            }
            qsizetype space = rest.indexOf(u' ');
            if (space < 0) {
                for (qsizetype i = 0; i < rest.size(); i += w)
                    out.append(rest.mid(i, w).toString());
                break;
            }
            // Positions below are 1-based counts: a word and its space take
            // space + 1 characters.
            if (space + 1 > w) {
                out.append(rest.first(w).toString());
                rest = rest.sliced(w);
                continue;
            }
            qsizetype piece = 0;
            for (;;) {
                space = rest.indexOf(u' ', piece);
                if (space < 0 || space + 1 > w)
                    break;
                piece = space + 1;
            }
            out.append(rest.first(piece).toString());
            rest = rest.sliced(piece);
        }
    }
    return platform::text::joinLines(out);
}
