// bench_run [SITES]: times a whole submission run over SITES (default 500)
// HTTP engines that post to the local test server, then, in the same process
// and against the same server, the same requests made by a bare libcurl
// loop. Prints both times, their ratio and the run's cost per site beyond
// the bare request.
#include "../tests/gui/RunProfiles.h"
#include "ServerProcess.h"
#include "TempProgramDir.h"
#include "bare_http.h"

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TextFile.h"
#include "reports/TReportsFrm.h"
#include "run/SubmitPage.h"
#include "shell/Program.h"
#include "shell/TMainFrm.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

void write(const TempProgramDir& dir, const QString& file, const QString& text) {
    dir.write(file, platform::text::toCp1252(text));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 500;
    if (count < 1) {
        std::fprintf(stderr, "usage: bench_run [SITES]\n");
        return 2;
    }

    QTemporaryDir logDir;
    ServerProcess server;
    if (!server.start(s("http_server.py"), {logDir.filePath(s("requests.log"))})) {
        std::fprintf(stderr, "test server: %s\n", qPrintable(server.error()));
        return 1;
    }
    const QString url = s("http://127.0.0.1:%1/ok").arg(server.port());
    const QString script = s("name=%APPNAME% version=%APPVERSION%\r\nsize=%APPSIZE32%&desc=%APPSHORTDESC%");

    TempProgramDir dir;
    dir.write(s("archive/tool.exe"), "MZ");
    write(dir, s("settings.dat"),
          s("[SETTINGS]\r\nSMTP=127.0.0.1:1\r\nEMAIL=ann@acme.example\r\nNAME=Ann\r\nHTTPTimeOut=60\r\n"));
    write(dir, s("companies/companies.dat"), s("Acme Software\r\n"));
    write(dir, s("companies/Acme Software.dat"), s("[COMPANY]\r\nCONAME=Acme Software\r\nCEMAIL=ann@acme.example\r\n"));
    write(dir, s("data/Acme Software Apps.dat"), s("PhotoTidy\r\n"));
    write(dir, s("data/PhotoTidy.dat"),
          s("[APPINFO]\r\nFILENAME=tool.exe\r\nNAME=PhotoTidy\r\n8CHAR=phototdy\r\nVERSION=2.1\r\n"
            "PLATFORM=Windows 95\r\nDSTATUS=Author\r\nSTATUS=Shareware\r\nSIZE32=123456\r\n"
            "SHORTDESC=Tidies photo folders\r\nPATH=") +
              dir.file(s("archive/tool.exe")) + s("\r\n"));
    QString list;
    for (int i = 0; i < count; ++i) {
        const QString site = s("Site %1").arg(i, 4, 10, QLatin1Char('0'));
        list += site + s("\r\n");
        write(dir, s("sites/") + site + s(".ini"),
              s("[SETTINGS]\r\nUSE_HTTP_POST=1\r\nHTTP_NEW_SCRIPT_URL=") + url + s("\r\n"));
        write(dir, s("sites/") + site + s(" HTTP_NEW.scp"), script);
    }
    write(dir, s("sites/Sites.dat"), list);

    platform::ScriptedDialogs dialogs;
    app.setDialogs(&dialogs);
    dialogs.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    platform::Clock clock;
    Program program(dialogs, clock, dir.path());
    if (!program.create(false)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    TMainFrm& main = *program.mainWindow();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        std::fprintf(stderr, "the window was not shown\n");
    run_test::showProfilesByHand(main, dir.path());
    main.setActivePage(main.SubmitSheet);
    main.model().AppSaved = main.model().CompanySaved = main.model().EngineSaved = true;

    QElapsedTimer timer;
    timer.start();
    main.SubmitSheet->submitBtn->click();
    const qint64 runMs = timer.elapsed();
    const TReportsFrm& report = main.SubmitSheet->reports();
    if (report.SucceededCount != count) {
        std::fprintf(stderr, "the run posted %d of %d sites (%d failed)\n", report.SucceededCount, count,
                     report.FailedCount);
        return 1;
    }

    // The body the run sent, for the bare loop.
    QString body = script;
    body.replace(s("%APPNAME%"), s("PhotoTidy"))
        .replace(s("%APPVERSION%"), s("2.1"))
        .replace(s("%APPSIZE32%"), s("123456"))
        .replace(s("%APPSHORTDESC%"), s("Tidies photo folders"))
        .replace(QLatin1Char(' '), s("%20"));
    int failures = 0;
    const qint64 bareMs = bench::postBareHttp(url, platform::text::toCp1252(body), count, &failures);
    if (failures) {
        std::fprintf(stderr, "the bare loop had %d failed requests\n", failures);
        return 1;
    }

    std::printf("sites:                  %d\n", count);
    std::printf("submission run:         %lld ms\n", static_cast<long long>(runMs));
    std::printf("bare libcurl loop:      %lld ms\n", static_cast<long long>(bareMs));
    std::printf("ratio run / bare:       %.2f\n", bareMs > 0 ? double(runMs) / double(bareMs) : 0.0);
    std::printf("run cost beyond bare:   %.2f ms per site\n", double(runMs - bareMs) / count);
    main.model().CloseWithoutPrompts = true;
    return 0;
}
