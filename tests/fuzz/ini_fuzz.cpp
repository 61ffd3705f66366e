// Feeds arbitrary bytes to the INI reader as a file, reads and writes a few
// keys, writes the file back and checks that it reads back consistently.
#include "platform/IniFile.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

const QString& scratchPath()
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/ini_fuzz-%1.ini").arg(QCoreApplication::applicationPid());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString& path = scratchPath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
    }

    // Names to look up: fixed ones and the first line's text, so that the
    // fuzzer can reach sections and keys of its own making.
    const QStringList lines = platform::text::splitLines(platform::text::fromCp1252(bytes));
    const QString own = lines.isEmpty() ? QString() : lines.first().left(64);
    const QString sections[] = {QStringLiteral("S"), QStringLiteral("settings"), own};
    const QString keys[] = {QStringLiteral("K"), QStringLiteral("name"), own};

    platform::IniFile ini(path);
    for (const QString& section : sections) {
        const QStringList sectionKeys = ini.sectionKeys(section);
        check(sectionKeys.isEmpty() || ini.sectionExists(section));
        for (const QString& key : sectionKeys)
            check(ini.keyExists(section, key));
        for (const QString& key : keys) {
            check(ini.readString(section, key).size() <= platform::IniFile::MaxValueLength);
            ini.readInteger(section, key, 0);
            ini.readBool(section, key, false);
        }
    }
    for (const QString& line : lines) {
        int value = 0;
        platform::parseInteger(line, value);
    }

    // What the other keys of a section held must survive writing one key.
    const QString section = QStringLiteral("S");
    const QStringList before = ini.sectionKeys(section);
    QStringList values;
    for (const QString& key : before)
        values.append(ini.readString(section, key));

    const QString written = QStringLiteral("fuzz value");
    ini.writeString(section, QStringLiteral("FuzzKey"), written);
    ini.writeString(QStringLiteral("Fuzz"), QStringLiteral("K"), own);
    try {
        ini.updateFile();
    } catch (const std::exception&) {
        return 0;
    }

    const platform::IniFile again(path);
    check(again.readString(section, QStringLiteral("fuzzkey")) == written);
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i].compare(QStringLiteral("FuzzKey"), Qt::CaseInsensitive) != 0)
            check(again.readString(section, before[i]) == values[i]);
    }
    QFile::remove(path);
    return 0;
}
