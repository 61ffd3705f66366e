#include "Program.h"

#include "TMainFrm.h"
#include "TSplashFrm.h"

#include <QApplication>
#include <QDir>
#include <QFont>

// The resources live in the static program library; register them explicitly.
static void initResources()
{
    Q_INIT_RESOURCE(shell);
}

Program::Program(platform::Dialogs& dialogs, platform::Clock& clock, QString programDir)
    : dialogs_(dialogs), clock_(clock), programDir_(std::move(programDir))
{
}

Program::~Program()
{
    delete splash_;
    main_.reset();
}

void Program::applyProgramFont()
{
    // A compact font, so that every page fits the fixed 596 x 408 frame.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

bool Program::create(bool withSplash)
{
    initResources();
    try {
        QApplication::setApplicationName(QStringLiteral("Postrix"));
        applyProgramFont();
        if (withSplash) {
            splash_ = new TSplashFrm;
            splash_->show();
            splash_->repaint();
        }
        // The program folder itself (the folder of the executable on other systems).
        QDir().mkpath(programDir_);
        main_ = std::make_unique<TMainFrm>(dialogs_, clock_, programDir_);
        QObject::connect(main_.get(), &TMainFrm::firstShown, main_.get(), [this] {
            delete splash_;
            splash_ = nullptr;
        });
        return main_->startUp();
    } catch (...) {
        return false;
    }
}

void Program::waitForSplash()
{
    while (splash_ && splash_->Showing)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
}
