#include "platform/IniFile.h"

#include "platform/FileError.h"
#include "platform/FileOps.h"
#include "platform/TextFile.h"

#include <limits>

namespace platform {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// One line of the file as the reader sees it: a section header, a key with
// its value, or anything else (blank, comment, garbage), which is kept as it is.
struct Line {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QStringView name;
    QStringView value;
};

Line parseLine(const QString& text)
{
    Line line;
    const QStringView trimmed = trimBlanks(text);
    if (trimmed.isEmpty() || trimmed.front() == u';')
        return line;
    if (trimmed.front() == u'[') {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = trimBlanks(trimmed.sliced(1, close - 1));
        }
        return line;
    }
    const qsizetype eq = trimmed.indexOf(u'=');
    if (eq < 0)
        return line;
    line.name = trimBlanks(trimmed.first(eq));
    if (line.name.isEmpty())
        return line;
    line.kind = Line::Key;
    QStringView value = trimBlanks(trimmed.sliced(eq + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    line.value = value;
    return line;
}

bool sameName(QStringView a, const QString& b)
{
    // Case folding keeps the length for the letters of the file's code page.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value is one line of the file: a line break inside it would end the value
// and turn the rest into lines of their own (possibly keys or sections).
QString singleLine(const QString& value)
{
    if (!value.contains(u'\r') && !value.contains(u'\n'))
        return value;
    return text::splitLines(value).join(u' ');
}

} // namespace

IniFile::IniFile(const QString& path) : path_(path)
{
    QByteArray bytes;
    if (files::readFile(path_, bytes))
        lines_ = text::splitLines(text::fromCp1252(bytes));
    else
        unreadable_ = files::fileExists(path_);
}

int IniFile::findSection(const QString& section) const
{
    for (int i = 0; i < lines_.size(); ++i) {
        const Line line = parseLine(lines_[i]);
        if (line.kind == Line::Section && sameName(line.name, section))
            return i;
    }
    return -1;
}

int IniFile::findKey(int sectionLine, const QString& key) const
{
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        const Line line = parseLine(lines_[i]);
        if (line.kind == Line::Section)
            break;
        if (line.kind == Line::Key && sameName(line.name, key))
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const int sectionLine = findSection(section);
    if (sectionLine < 0)
        return defaultValue;
    const int keyLine = findKey(sectionLine, key);
    if (keyLine < 0)
        return defaultValue;
    return parseLine(lines_[keyLine]).value.left(MaxValueLength).toString();
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    int value = 0;
    return parseInteger(readString(section, key), value) ? value : defaultValue;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const
{
    int value = 0;
    return parseInteger(readString(section, key), value) ? value != 0 : defaultValue;
}

bool IniFile::keyExists(const QString& section, const QString& key) const
{
    const int sectionLine = findSection(section);
    return sectionLine >= 0 && findKey(sectionLine, key) >= 0;
}

bool IniFile::sectionExists(const QString& section) const
{
    return findSection(section) >= 0;
}

QStringList IniFile::sectionKeys(const QString& section) const
{
    QStringList keys;
    const int sectionLine = findSection(section);
    if (sectionLine < 0)
        return keys;
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        const Line line = parseLine(lines_[i]);
        if (line.kind == Line::Section)
            break;
        if (line.kind == Line::Key && !keys.contains(line.name, Qt::CaseInsensitive))
            keys.append(line.name.toString());
    }
    return keys;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    if (section.isEmpty() || key.isEmpty())
        return;
    const QString stored = singleLine(value);
    const QString newLine = key + u'=' + stored;
    const int sectionLine = findSection(section);
    if (sectionLine < 0) {
        lines_.append(u'[' + section + u']');
        lines_.append(newLine);
        dirty_ = true;
        return;
    }
    int lastKey = sectionLine;
    for (int i = sectionLine + 1; i < lines_.size(); ++i) {
        const Line line = parseLine(lines_[i]);
        if (line.kind == Line::Section)
            break;
        if (line.kind != Line::Key)
            continue;
        if (sameName(line.name, key)) {
            if (line.value != stored) {
                lines_[i] = newLine;
                dirty_ = true;
            }
            return;
        }
        lastKey = i;
    }
    lines_.insert(lastKey + 1, newLine);
    dirty_ = true;
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::updateFile()
{
    if (!dirty_)
        return;
    // A file that exists but could not be read is not replaced by the few
    // lines written since: that would lose everything else it holds.
    if (unreadable_)
        throw FileError::unableToWrite(path_);
    text::writeLines(path_, lines_);
    dirty_ = false;
}

bool parseInteger(const QString& text, int& value)
{
    QStringView s = trimBlanks(text);
    bool negative = false;
    int base = 10;
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        // a sign goes with decimal only
        negative = s.front() == u'-';
        s = s.sliced(1);
    } else if (s.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        s = s.sliced(2);
    } else if (s.startsWith(u'$')) {
        base = 16;
        s = s.sliced(1);
    }
    if (s.isEmpty())
        return false;
    // Hexadecimal is a 32-bit pattern ("$FFFFFFFF" is -1); decimal must fit
    // the signed range.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull
                                     : (negative ? quint64(std::numeric_limits<int>::max()) + 1
                                                 : quint64(std::numeric_limits<int>::max()));
    quint64 magnitude = 0;
    for (const QChar c : s) {
        int digit = -1;
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (base == 16 && u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    const auto bits = static_cast<quint32>(magnitude);
    value = static_cast<int>(negative ? 0u - bits : bits);
    return true;
}

} // namespace platform
