#include "RunScreens.h"

#include "run/SubmitPage.h"
#include "run/TALed.h"
#include "selection/SiteSelection.h"
#include "selection/SitesPage.h"
#include "shell/TMainFrm.h"

#include <QLCDNumber>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

void renderSubmitDuringRun(TMainFrm& main, const std::function<void(QWidget&, const QString&)>& save) {
    TSubmitPage& page = *main.SubmitSheet;
    main.setActivePage(&page);

    QStringList sites;
    for (int i = 0; i < main.SitesSheet->rowCount() && sites.size() < 4; ++i)
        sites << main.SitesSheet->cell(i, selection::SiteCol);
    const QStringList fallback{QStringLiteral("Archive Corner"), QStringLiteral("Byte Bazaar"),
                               QStringLiteral("Code Cellar"), QStringLiteral("Download Den")};
    while (sites.size() < 4)
        sites << fallback[sites.size()];
    const QString current = sites[3];

    page.showTally(12);
    page.SetRunControls(true);
    page.AddLogLine(QStringLiteral("Completed HTTP Post to: ") + sites[0]);
    page.AddLogLine(sites[0] + QStringLiteral(" E-Mailed Information."));
    page.AddLogLine(QStringLiteral("Posting Error - 151: 404 Not Found(") + sites[1] + QLatin1Char(')'));
    page.AddLogLine(QStringLiteral("ERROR: www.example.com[151 - 151: 404 Not Found]"));
    page.AddLogLine(QStringLiteral("Uploaded myapp.zip to ") + sites[2]);
    page.AddLogLine(QStringLiteral("Completed HTTP Post to: ") + sites[2]);
    for (const char* line :
         {"Zipping File: files/myapp.zip", "Sending File -> /incoming/myapp.zip", "SERVER: 150 Ok to send data.",
          "TRANSFER BEGIN.", "TRANSFER END.", "SERVER: 226 Transfer complete.", "CLIENT: QUIT", "SERVER: 221 Goodbye."})
        page.AddFtpLine(QLatin1String(line));
    page.currentsite->setText(current);
    page.httpstatus->setText(QStringLiteral("HTTP Posting: ") + current);
    page.httpbytes->setText(QStringLiteral("1460"));
    page.ftpstatus->setText(QStringLiteral("Idle"));
    page.mailstatus->setText(QStringLiteral("Idle"));
    page.ftpled->setOn(true);
    page.httpled->setOn(true);
    page.httpled->setBlinking(true);
    page.SitesProcesseddgt->display(3);
    page.SitesToPostdgt->display(9);
    page.PostStatus->setValue(3);

    save(main, QStringLiteral("page-submit-running"));

    page.httpled->setBlinking(false);
    page.ftpled->setOn(false);
    page.httpled->setOn(false);
    page.currentsite->clear();
    page.httpstatus->setText(QStringLiteral("Idle"));
    page.httpbytes->clear();
    page.SetRunControls(false);
    page.log->clear();
    page.ftplist->clear();
}
