#pragma once

#include "TempProgramDir.h"

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "shell/Program.h"
#include "shell/TMainFrm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <memory>

// Starts the real program on a fresh program folder with scripted dialogs and
// a fixed clock. Tests prepare files in dir before calling start().
class ProgramFixture : public ::testing::Test {
protected:
    TempProgramDir dir;
    platform::ScriptedDialogs dialogs;
    platform::FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 5, 3, 7))};
    std::unique_ptr<Program> program;

    // Runs the start-up and shows the main window; returns it.
    TMainFrm* start()
    {
        static_cast<platform::Application*>(QApplication::instance())->setDialogs(&dialogs);
        program = std::make_unique<Program>(dialogs, clock, dir.path());
        EXPECT_TRUE(program->create(false));
        TMainFrm* main = program->mainWindow();
        main->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main));
        return main;
    }
    TMainFrm* main() const { return program->mainWindow(); }

    // Closes the window through the close query; true when it closed.
    bool closeMain() { return main()->close(); }

    void TearDown() override
    {
        if (program && main())
            main()->model().CloseWithoutPrompts = true;
        program.reset();
        static platform::ScriptedDialogs afterTests;
        static_cast<platform::Application*>(QApplication::instance())->setDialogs(&afterTests);
    }

    template <typename T> T* find(const char* name) const { return main()->findChild<T*>(QLatin1String(name)); }
};
