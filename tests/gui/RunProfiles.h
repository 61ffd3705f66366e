#pragma once

// While the profile pages do not yet load the files a test writes, the fields
// a run reads are shown here by hand from the same files (the application
// profile, its long description, the company list and the application list).
// With pages that load their files this does nothing.

#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "profiles/AppInfoPage.h"
#include "profiles/CompanyInfoPage.h"
#include "selection/SitesPage.h"
#include "shell/TMainFrm.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace run_test {

inline void setShownText(TMainFrm& main, QWidget* page, const char* name, const QString& text) {
    QWidget* widget = main.findChild<QWidget*>(QLatin1String(name));
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->findText(text) < 0 && !text.isEmpty())
            combo->addItem(text);
        combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->setPlainText(text);
    } else if (auto* memo = qobject_cast<QTextEdit*>(widget)) {
        memo->setPlainText(text);
    } else {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (!edit) {
            edit = new QLineEdit(page);
            edit->setObjectName(QLatin1String(name));
            edit->hide();
        }
        edit->setText(text);
    }
}

// programDir ends in "/"; the company is "Acme Software", its one
// application "PhotoTidy".
inline void showProfilesByHand(TMainFrm& main, const QString& programDir) {
    if (!main.AppInfoSheet->appName().isEmpty())
        return;
    const QString apps = platform::text::readText(programDir + QStringLiteral("data/Acme Software Apps.dat"));
    if (!apps.startsWith(QLatin1String("PhotoTidy")))
        return;

    QComboBox* companies = main.CompanyInfoSheet->compname;
    if (companies->findText(QStringLiteral("Acme Software")) < 0)
        companies->addItem(QStringLiteral("Acme Software"));
    companies->setCurrentIndex(companies->findText(QStringLiteral("Acme Software")));
    const platform::IniFile company(programDir + QStringLiteral("companies/Acme Software.dat"));
    setShownText(main, main.CompanyInfoSheet, "conmail",
                 company.readString(QStringLiteral("COMPANY"), QStringLiteral("CEMAIL")));

    main.AppInfoSheet->AppName->addItem(QStringLiteral("PhotoTidy"));
    main.AppInfoSheet->AppName->setCurrentRow(main.AppInfoSheet->AppName->count() - 1);
    const platform::IniFile profile(programDir + QStringLiteral("data/PhotoTidy.dat"));
    const char* fields[][2] = {{"FILENAME", "filename"},         {"8CHAR", "char8name"},
                               {"VERSION", "version"},           {"PLATFORM", "platforms"},
                               {"DSTATUS", "diststatus"},        {"STATUS", "status"},
                               {"SIZE32", "bytesize32"},         {"PATH", "localpath"},
                               {"ICOPATH", "IcoFileEdit"},       {"GIFPATH", "GifFileEdit"},
                               {"SCREENPATH", "ScreenShotEdit"}, {"OTHERPATH", "OtherFileEdit"},
                               {"SHORTDESC", "shortdesc"}};
    for (const auto& field : fields)
        setShownText(main, main.AppInfoSheet, field[1],
                     profile.readString(QStringLiteral("APPINFO"), QLatin1String(field[0])));
    QStringList description = platform::text::readLines(programDir + QStringLiteral("data/PhotoTidy.lds"));
    QWidget* longdesc = main.findChild<QWidget*>(QStringLiteral("longdesc"));
    if (!longdesc) {
        auto* memo = new QPlainTextEdit(main.AppInfoSheet);
        memo->setObjectName(QStringLiteral("longdesc"));
        memo->hide();
    }
    setShownText(main, main.AppInfoSheet, "longdesc", description.join(QLatin1Char('\n')));
    main.SitesSheet->BuildSiteGrid();
}

} // namespace run_test
