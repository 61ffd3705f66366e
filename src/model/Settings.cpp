#include "Settings.h"

#include "platform/FileError.h"
#include "platform/IniFile.h"

namespace settings_file {

void readSeven(const QString& path, Settings& s)
{
    const platform::IniFile ini(path);
    s.SMTP = ini.readString(Section, QStringLiteral("SMTP"));
    s.EMAIL = ini.readString(Section, QStringLiteral("EMAIL"));
    s.NAME = ini.readString(Section, QStringLiteral("NAME"));
    s.PROXY = ini.readString(Section, QStringLiteral("PROXY"));
    s.PORT = ini.readString(Section, QStringLiteral("PORT"), QStringLiteral("80"));
    s.FTPRetries = ini.readInteger(Section, QStringLiteral("FTPRetries"), 3);
    s.HTTPTimeOut = ini.readInteger(Section, QStringLiteral("HTTPTimeOut"), 60);
}

void readAll(const QString& path, Settings& s)
{
    readSeven(path, s);
    s.UseGridLines = platform::IniFile(path).readBool(Section, QStringLiteral("UseGridLines"), false);
}

void writeSeven(const QString& path, const Settings& s)
{
    platform::IniFile ini(path);
    ini.writeString(Section, QStringLiteral("SMTP"), s.SMTP);
    ini.writeString(Section, QStringLiteral("EMAIL"), s.EMAIL);
    ini.writeString(Section, QStringLiteral("NAME"), s.NAME);
    ini.writeString(Section, QStringLiteral("PROXY"), s.PROXY);
    ini.writeString(Section, QStringLiteral("PORT"), s.PORT);
    ini.writeInteger(Section, QStringLiteral("FTPRetries"), s.FTPRetries);
    ini.writeInteger(Section, QStringLiteral("HTTPTimeOut"), s.HTTPTimeOut);
    ini.updateFile();
}

void writeUseGridLines(const QString& path, bool on)
{
    platform::IniFile ini(path);
    ini.writeBool(Section, QStringLiteral("UseGridLines"), on);
    ini.updateFile();
}

quint16 startupPort(const QString& text)
{
    int value = 0;
    if (!platform::parseInteger(text, value) || value < 0 || value > 65535)
        return 80;
    return static_cast<quint16>(value);
}

quint16 strictPort(const QString& text)
{
    int value = 0;
    if (!platform::parseInteger(text, value))
        throw platform::FileError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    if (value < 0 || value > 65535)
        throw platform::FileError(QStringLiteral("Range check error"));
    return static_cast<quint16>(value);
}

} // namespace settings_file
