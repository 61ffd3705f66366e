#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace platform {
class Dialogs;
}

namespace profiles {

// The key rules of the profile fields. They act on typed characters only:
// control keys (backspace, Ctrl+V, arrows) pass, so pasted text is not filtered.
enum class TypedKeys {
    Any,
    NoSpace,    // a typed space is dropped
    NoDollar,   // a typed "$" is dropped
    DigitsOnly, // anything but "0".."9" is dropped with the default beep
    None,       // typing is blocked (choice boxes and lists: choose an item)
};

// Installs the rule on a field, and calls onLeave when the focus moves from
// the field to another control of the window.
class FieldFilter final : public QObject {
    Q_OBJECT
public:
    static FieldFilter* install(QWidget* field, TypedKeys keys, platform::Dialogs& dialogs,
                                std::function<void()> onLeave = {});

    // Whether the rule drops this typed character.
    static bool drops(TypedKeys keys, QChar typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldFilter(QWidget* field, TypedKeys keys, platform::Dialogs& dialogs, std::function<void()> onLeave);

    TypedKeys keys_;
    platform::Dialogs& dialogs_;
    std::function<void()> onLeave_;
};

} // namespace profiles
