#include "FtpScreens.h"

#include "run/FtpPath.h"
#include "run/SubmitPage.h"
#include "engines/EngineFiles.h"
#include "model/TGWide.h"
#include "shell/TMainFrm.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

void renderSubmitAfterFtpUpload(TMainFrm& main, const QString& ftpServer, const QString& user, const QString& password,
                                const std::function<void(QWidget&, const QString&)>& save) {
    TSubmitPage& page = *main.SubmitSheet;
    main.setActivePage(&page);
    TEngBuild& engines = *main.model().GWide.EngBuild;
    auto* localPath = main.findChild<QLineEdit*>(QStringLiteral("localpath"));
    QTemporaryDir work;
    if (!localPath || !work.isValid())
        return;

    const SiteEngine savedEngine = engines.Engine;
    const QString savedPath = localPath->text();
    const bool savedMark = main.model().AppSaved;

    // A sample archive named like the application's file.
    const QString fileName = QStringLiteral("setup32.exe");
    QFile archive(work.filePath(fileName));
    if (archive.open(QIODevice::WriteOnly)) {
        QByteArray data(48 * 1024, '\0');
        for (qsizetype i = 0; i < data.size(); ++i)
            data[i] = static_cast<char>((i * 131) % 251);
        archive.write(data);
        archive.close();
    }
    localPath->setText(archive.fileName());

    SiteEngine& engine = engines.Engine;
    engine.useFtpUpload = true;
    engine.useZipFile = true;
    engine.use8x3FileName = true;
    engine.ftpServer = ftpServer;
    engine.loginName = user;
    engine.loginPassword = password;
    engine.remotePath = QStringLiteral("incoming/");
    engine.addedText = AddedText::Both;
    engine.ftpFileName = QStringLiteral("%APPNAME%.TXT");
    engine.ftpScript = QStringLiteral("%APPNAME% %APPVERSION%\r\n%APPSHORTDESC%\r\n");

    page.ftplist->clear();
    page.log->clear();
    TFtpPath& ftp = page.ftpPath();
    ftp.SubmitByFtp();
    ftp.logOff();
    page.ftpstatus->setText(QStringLiteral("Idle"));

    save(main, QStringLiteral("page-submit-ftp"));

    engines.Engine = savedEngine;
    localPath->setText(savedPath);
    main.model().AppSaved = savedMark;
    page.ftplist->clear();
    page.log->clear();
}
