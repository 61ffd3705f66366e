#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// An INI file with the semantics of the Windows profile functions: section and
// key names without regard to case, the first matching key wins, blanks around
// key and value trimmed, one pair of enclosing quotes dropped, at most 1023
// characters read back. A write replaces the key where it stands or appends it
// to its section (the section is appended when missing); every other line of
// the file is kept. The file is read when the object is made (a missing file
// is empty) and written, atomically, by updateFile().
class IniFile {
public:
    explicit IniFile(const QString& path);

    QString path() const { return path_; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Decimal, or hexadecimal after "0x"/"0X"/"$"; anything else is the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // An integer, true when non-zero; the default when not an integer.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    bool keyExists(const QString& section, const QString& key) const;
    bool sectionExists(const QString& section) const;
    QStringList sectionKeys(const QString& section) const;

    // A line break inside the value is written as a space: the value stays
    // one line and cannot add keys or sections of its own.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);  // "1" / "0"

    // Writes the file when anything changed; throws FileError
    // "Unable to write to %s" on failure, and also when the file exists but
    // could not be read (replacing it would lose its other lines).
    void updateFile();

    static constexpr int MaxValueLength = 1023;

private:
    int findSection(const QString& section) const;          // line index of the header, -1
    int findKey(int sectionLine, const QString& key) const;  // line index, -1

    QString path_;
    QStringList lines_;
    bool dirty_ = false;
    bool unreadable_ = false;
};

// Strict integer parsing shared by the INI reader and the settings: decimal
// with an optional sign, or hexadecimal after "0x"/"0X"/"$". Surrounding
// blanks are allowed. Returns false when the text is not an integer or is out
// of the 32-bit range.
bool parseInteger(const QString& text, int& value);

} // namespace platform
