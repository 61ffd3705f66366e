// Every test executable runs inside the program's application object, so
// Qt timers, sockets and widgets work as they do in the program, and an
// exception that escapes a handler lands in a scripted error box instead of
// a real one.
#include "platform/Application.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    platform::ScriptedDialogs fallback;
    app.setDialogs(&fallback);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
