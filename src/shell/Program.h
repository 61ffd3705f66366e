#pragma once

#include <QString>

#include <memory>

class TMainFrm;
class TSplashFrm;

namespace platform {
class Clock;
class Dialogs;
} // namespace platform

// The start-up of the program after the single-instance check: the splash,
// the main window and the forms that live as long as it, the program-wide
// object and its initialisation. The program's main and the tests share it.
class Program final {
public:
    Program(platform::Dialogs& dialogs, platform::Clock& clock, QString programDir);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates everything and loads the first data. Returns StartupOk; on false
    // the caller shows "Unable to initialize Postrix!".
    bool create(bool withSplash = true);
    // Lets the application process events while the splash is showing.
    void waitForSplash();

    TMainFrm* mainWindow() const { return main_.get(); }
    TSplashFrm* splash() const { return splash_; }

    static void applyProgramFont();

private:
    platform::Dialogs& dialogs_;
    platform::Clock& clock_;
    QString programDir_;
    std::unique_ptr<TMainFrm> main_;
    TSplashFrm* splash_ = nullptr;
};
