#include "platform/TextFile.h"

#include "platform/FileOps.h"

#include <array>

namespace platform::text {

namespace {

// Bytes 0x80-0x9F of Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same value, so that any byte
// sequence survives a read and a write unchanged.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char encodeUnit(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighTable.size(); ++i) {
        if (HighTable[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString fromCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b <= 0x9F) ? QChar(HighTable[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;  // one character outside the BMP: one "?"
        bytes.append(encodeUnit(QChar::isSurrogate(u) ? U'?' : u));
    }
    return bytes;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinLines(const QStringList& lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

QStringList readLines(const QString& path)
{
    return splitLines(readText(path));
}

QString readText(const QString& path)
{
    QByteArray bytes;
    if (!files::readFile(path, bytes))
        return {};
    return fromCp1252(bytes);
}

bool readLinesIfExists(const QString& path, QStringList& lines)
{
    QByteArray bytes;
    if (!files::readFile(path, bytes)) {
        lines.clear();
        return false;
    }
    lines = splitLines(fromCp1252(bytes));
    return true;
}

void writeLines(const QString& path, const QStringList& lines)
{
    files::writeFileAtomic(path, toCp1252(joinLines(lines)));
}

void writeText(const QString& path, const QString& text)
{
    files::writeFileAtomic(path, toCp1252(text));
}

} // namespace platform::text
