#include "Services.h"

#include "platform/IniFile.h"

Services Services::load(const QString& programDir)
{
    Services s;
    const platform::IniFile ini(programDir + QStringLiteral("services.ini"));
    const QString section = QStringLiteral("SERVICES");
    auto read = [&](const char* key, QString& value) { value = ini.readString(section, QLatin1String(key), value); };
    read("ProductHomePage", s.ProductHomePage);
    read("MakerHomePage", s.MakerHomePage);
    read("UpdateUrl", s.UpdateUrl);
    read("BhsUrl", s.BhsUrl);
    read("MakerMailServer", s.MakerMailServer);
    read("MakerSubmissionAddress", s.MakerSubmissionAddress);
    return s;
}
