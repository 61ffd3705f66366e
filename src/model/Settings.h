#pragma once

#include <QString>

// The program-wide settings of "settings.dat", section "SETTINGS".
struct Settings {
    QString SMTP;
    QString EMAIL;
    QString NAME;
    QString PROXY;
    QString PORT = QStringLiteral("80");
    int FTPRetries = 3;
    int HTTPTimeOut = 60;  // seconds
    bool UseGridLines = false;
};

namespace settings_file {

inline const QString FileName = QStringLiteral("settings.dat");
inline const QString Section = QStringLiteral("SETTINGS");

// Reads "SMTP" to "HTTPTimeOut" in that order into the record; a missing file
// or key gives the defaults.
void readSeven(const QString& path, Settings& settings);
// Also reads "UseGridLines" (default off).
void readAll(const QString& path, Settings& settings);
// Writes "SMTP", "EMAIL", "NAME", "PROXY", "PORT", "FTPRetries", "HTTPTimeOut" in that order.
void writeSeven(const QString& path, const Settings& settings);
void writeUseGridLines(const QString& path, bool on);

// The port as applied to the HTTP client at start-up: a text that is not an
// integer in 0..65535 reads as 80.
quint16 startupPort(const QString& text);
// The strict conversion of the dialog's Ok: throws "'%s' is not a valid
// integer value" or "Range check error".
quint16 strictPort(const QString& text);

} // namespace settings_file
