#pragma once

#include "platform/Cursor.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"

#include <exception>

namespace profiles {

// Shows an error in the application's error box.
inline void showError(platform::Dialogs& dialogs, const std::exception& error) {
    const auto* fileError = dynamic_cast<const platform::FileError*>(&error);
    dialogs.exceptionBox(fileError ? fileError->message() : QString::fromLocal8Bit(error.what()));
}

// Runs the handler of a control. An error it raises is shown in the
// application's error box and ends only this handler, so it never unwinds
// through the widget that emitted the signal.
template <typename Handler> void runHandler(platform::Dialogs& dialogs, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        showError(dialogs, error);
    }
}


// Sets a flag for the length of a scope.
class FlagScope final {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace profiles
