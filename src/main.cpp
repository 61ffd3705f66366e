#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "shell/Program.h"
#include "shell/TMainFrm.h"

#include <QMessageBox>

int main(int argc, char** argv)
{
    platform::Application app(argc, argv);
    const QString programDir = platform::programFolder();

    // A second start only asks the running copy to show itself.
    platform::SingleInstance instance(programDir);
    if (instance.handOverToRunning())
        return 0;
    instance.listen();

    platform::QtDialogs dialogs;
    app.setDialogs(&dialogs);
    platform::Clock clock;
    Program program(dialogs, clock, programDir);
    const bool ok = program.create();
    program.waitForSplash();
    if (!ok) {
        QMessageBox::information(nullptr, QStringLiteral("Postrix"), QStringLiteral("Unable to initialize Postrix!"));
        return 1;
    }
    TMainFrm* main = program.mainWindow();
    dialogs.setParent(main);
    QObject::connect(&instance, &platform::SingleInstance::showRequested, main, &TMainFrm::showRequestedByOtherStart);
    main->show();
    return app.exec();
}
