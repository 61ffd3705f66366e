// Times the rebuild of the Sites grid on the real main window: 5,000 engines,
// each with a full settings file, and a saved selection of 5,000 lines.
//   postrix_bench_sitegrid [ENGINES] [ROUNDS]
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "profiles/AppInfoPage.h"
#include "selection/SiteSelection.h"
#include "selection/SitesPage.h"
#include "shell/Program.h"
#include "shell/TMainFrm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// A settings file with every key an engine saves, values varied by engine.
QByteArray settingsFile(int i) {
    QByteArray b = "[SETTINGS]\r\n";
    const auto key = [&b](const char* name, const QByteArray& value) { b += name + QByteArray("=") + value + "\r\n"; };
    const QByteArray n = QByteArray::number(i);
    key("BYTE_FORMAT", QByteArray::number(1 + i % 3));
    key("SITES_WEB_URL", "http://site" + n + ".example/");
    key("USE_CAT1", QByteArray::number(i % 2));
    key("USE_CAT2", QByteArray::number(i % 3 == 0));
    key("SITE_TYPE", QByteArray::number(1 + i % 2));
    key("SITE_SYSTEM", QByteArray::number(1 + i % 3));
    key("USE_HTTP_POST", "1");
    key("HTTP_POST_TYPE", "1");
    key("HTTP_NEW_SCRIPT_URL", "http://site" + n + ".example/cgi-bin/submit.cgi");
    key("HTTP_UPDATE_SCRIPT_URL", "http://site" + n + ".example/cgi-bin/update.cgi");
    for (const char* muf : {"MUF_Windows31", "MUF_Windows95", "MUF_WindowsNT", "MUF_Windows95NT", "MUF_Author",
                            "MUF_Distributor", "MUF_Dealer", "MUF_User", "MUF_FeatureLimitDemo", "MUF_TimeLimitDemo",
                            "MUF_PublicDomain", "MUF_Freeware", "MUF_Shareware", "MUF_Beta", "MUF_NoInstallFeature",
                            "MUF_InstallFeatureOnly", "MUF_UnInstallFeatureOnly", "MUF_InstallUninstall"})
        key(muf, QByteArray(muf).mid(4));
    key("USE_FTP_UPLOAD", QByteArray::number(i % 4 == 0));
    key("USE_ZIP_FILE", QByteArray::number(i % 8 == 0));
    key("USE_8X3_FILENAME", "0");
    key("FTP_SERVER", "ftp.site" + n + ".example");
    key("LOGIN_NAME", "anonymous");
    key("REMOTE_PATH", "/incoming");
    key("LOGIN_PASSWORD", "guest");
    key("ADD_FILE_TO_ZIP", "1");
    key("INCLUDE_IN_ZIP", "0");
    key("ADDED_TEXT_BOTH", "0");
    key("FTP_FILENAME", "%8CHAR%.txt");
    key("USE_EMAIL", QByteArray::number(i % 5 == 0));
    for (const char* attach : {"EMAIL_SEND_COPY", "EMAIL_ATTACH_GIF", "EMAIL_ATTACH_ICO", "EMAIL_ATTACH_SCREEN",
                               "EMAIL_ATTACH_OTHER", "EMAIL_ATTACH_APPLICATION"})
        key(attach, "0");
    key("EMAIL_TONAME", "submit@site" + n + ".example");
    key("EMAIL_SUBJECT", "New program: %APPNAME%");
    key("EMAIL_TONAME_UPDATE", "update@site" + n + ".example");
    key("EMAIL_SUBJECT_UPDATE", "Update: %APPNAME% %VERSION%");
    return b;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    const int engines = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    qputenv("POSTRIX_HOME", QFile::encodeName(dir));
    for (const char* sub : {"sites", "cat", "data", "companies"})
        QDir().mkpath(dir + QLatin1String(sub));
    QByteArray list;
    QByteArray selection;
    for (int i = 0; i < engines; ++i) {
        const QByteArray name = "Site " + QByteArray::number(i).rightJustified(5, '0');
        list += name + "\r\n";
        writeFile(dir + QStringLiteral("sites/") + QString::fromLatin1(name) + QStringLiteral(".ini"), settingsFile(i));
        selection += name + "\xb1" + (i % 2 ? "Update" : "New") + "\xb1" + (i % 2 ? "Games" : "N/A") + "\xb1N/A\xb1" +
                     (i % 3 ? "Unknown" : "11/12/26") + "\xb1" + (i % 7 ? "Y" : "N") + "\r\n";
    }
    writeFile(dir + QStringLiteral("sites/Sites.dat"), list);
    writeFile(dir + QStringLiteral("data/Bench_SITES.dat"), selection);

    platform::ScriptedDialogs dialogs;
    app.setDialogs(&dialogs);
    platform::FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(10, 0)));
    Program program(dialogs, clock, dir);
    if (!program.create(false))
        return 1;
    TMainFrm* main = program.mainWindow();
    main->show();
    main->AppInfoSheet->AppName->addItem(QStringLiteral("Bench"));
    main->AppInfoSheet->AppName->setCurrentRow(0);

    std::vector<qint64> times;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        main->SitesSheet->BuildSiteGrid();
        times.push_back(timer.elapsed());
        app.processEvents();
    }
    std::sort(times.begin(), times.end());
    std::printf("BuildSiteGrid, %d engines, %d saved lines, %d rows: best %lld ms, median %lld ms, worst %lld ms\n",
                engines, engines, main->SitesSheet->rowCount(), static_cast<long long>(times.front()),
                static_cast<long long>(times[times.size() / 2]), static_cast<long long>(times.back()));
    main->model().CloseWithoutPrompts = true;
    return main->SitesSheet->rowCount() == engines ? 0 : 1;
}
