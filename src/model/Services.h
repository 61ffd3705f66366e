#pragma once

#include <QString>

// Addresses of the maker's services, with built-in defaults that a
// "services.ini" in the program folder (section "SERVICES") may override.
struct Services {
    QString ProductHomePage = QStringLiteral("https://www.vantorel.com/postrix/");
    QString MakerHomePage = QStringLiteral("https://www.vantorel.com/");
    QString UpdateUrl = QStringLiteral("https://www.vantorel.com/postrix/pxsites.zip");
    QString BhsUrl = QStringLiteral("https://www.bhs.example.com/cgi-bin/account");
    QString MakerMailServer = QStringLiteral("mail.vantorel.com");
    QString MakerSubmissionAddress = QStringLiteral("engines@vantorel.com");

    static Services load(const QString& programDir);
};
