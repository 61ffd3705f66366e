// Renders every page and dialog of the program to PNG files, offscreen, on a
// sample program folder: postrix_screenshots OUTPUT_DIR SAMPLE_DIR
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TErrorForm.h"
#include "shell/Program.h"
#include "shell/TAboutBox.h"
#include "shell/TMainFrm.h"
#include "shell/TSettingsForm.h"
#include "platform/TSiteEntryFrm.h"
#include "profiles/AppInfoPage.h"
#include "SiteBuilderScreens.h"
#include "FtpScreens.h"
#include "RunScreens.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

QString outputDir;

void save(QWidget& widget, const QString& name)
{
    widget.show();
    QTest::qWait(50);
    const QString path = outputDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void copyTree(const QString& fromArgument, const QString& to)
{
    const QString from = QDir(fromArgument).absolutePath() + QLatin1Char('/');
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        QFile::copy(source, target);
    }
}

// A real upload to the FTP test server on 127.0.0.1, so the FTP list shows a
// real protocol trace.
void renderFtpUpload(TMainFrm& main, const std::function<void(QWidget&, const QString&)>& saveShot)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("incoming"));
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-u"), QStringLiteral(POSTRIX_TEST_SERVERS "/ftp_server.py"), folder.path(),
                  QStringLiteral("shots"), QStringLiteral("secret")});
    QByteArray seen;
    const QRegularExpression portLine(QStringLiteral("PORT (\\d+)"));
    QRegularExpressionMatch match;
    for (int i = 0; i < 100 && !match.hasMatch(); ++i) {
        server.waitForReadyRead(100);
        seen += server.readAll();
        match = portLine.match(QString::fromUtf8(seen));
    }
    if (!match.hasMatch()) {
        std::fprintf(stderr, "FTP test server did not start: %s\n", seen.constData());
        return;
    }
    renderSubmitAfterFtpUpload(main, QStringLiteral("127.0.0.1:") + match.captured(1), QStringLiteral("shots"),
                               QStringLiteral("secret"), saveShot);
    server.terminate();
    server.waitForFinished(3000);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: postrix_screenshots OUTPUT_DIR SAMPLE_DIR\n");
        return 2;
    }
    outputDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputDir);
    const QString programDir = QDir::tempPath() + QStringLiteral("/postrix-screenshots/");
    QDir(programDir).removeRecursively();
    copyTree(QString::fromLocal8Bit(argv[2]), programDir);

    platform::ScriptedDialogs dialogs;
    app.setDialogs(&dialogs);
    platform::FixedClock clock(QDateTime(QDate(2026, 12, 11), QTime(10, 30, 0)));
    Program program(dialogs, clock, programDir);
    if (!program.create(false))
        return 1;
    TMainFrm* main = program.mainWindow();
    main->show();
    if (!QTest::qWaitForWindowExposed(main))
        return 1;

    const char* names[] = {"1-company-info", "2-app-info", "3-sites", "4-submit", "5-site-builder"};
    for (int i = 0; i < main->PageControl1->count(); ++i) {
        main->PageControl1->setCurrentIndex(i);
        QTest::qWait(50);
        dialogs.clear();
        save(*main, QLatin1String(names[i]));
    }
    const auto saveShot = [](QWidget& widget, const QString& name) { save(widget, name); };
    main->PageControl1->setCurrentWidget(main->AppInfoSheet);
    const char* inner[] = {"2-app-info-1-general", "2-app-info-2-locations", "2-app-info-3-description"};
    for (int i = 0; i < main->AppInfoSheet->PageControl2->count(); ++i) {
        main->AppInfoSheet->PageControl2->setCurrentIndex(i);
        save(*main, QLatin1String(inner[i]));
    }
    main->AppInfoSheet->PageControl2->setCurrentIndex(0);
    renderSiteBuilderScreens(*main, saveShot);
    main->PageControl1->setCurrentIndex(0);
    renderSubmitDuringRun(*main, saveShot);
    main->PageControl1->setCurrentIndex(0);
    renderFtpUpload(*main, saveShot);
    main->PageControl1->setCurrentIndex(0);

    TAboutBox about(dialogs, QStringLiteral("https://example.invalid/"), main);
    save(about, QStringLiteral("dialog-about"));
    TErrorForm error(main);
    error.setTexts(QStringLiteral("COMPANY NAME DUPLICATE"),
                   QStringLiteral("The company name you entered is already on the list!"), QString());
    save(error, QStringLiteral("dialog-error"));
    TSiteEntryFrm entry(main);
    entry.setWindowTitle(QStringLiteral("New Company Name"));
    entry.Edit1->setText(QStringLiteral("Acme Software"));
    save(entry, QStringLiteral("dialog-name-entry"));
    TSettingsForm settings(main->model(), main);
    save(settings, QStringLiteral("dialog-settings"));

    main->model().CloseWithoutPrompts = true;
    return 0;
}
