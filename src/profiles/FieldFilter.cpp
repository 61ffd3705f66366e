#include "FieldFilter.h"

#include "platform/Dialogs.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace profiles {

FieldFilter::FieldFilter(QWidget* field, TypedKeys keys, platform::Dialogs& dialogs, std::function<void()> onLeave)
    : QObject(field), keys_(keys), dialogs_(dialogs), onLeave_(std::move(onLeave)) {}

FieldFilter* FieldFilter::install(QWidget* field, TypedKeys keys, platform::Dialogs& dialogs,
                                  std::function<void()> onLeave) {
    auto* filter = new FieldFilter(field, keys, dialogs, std::move(onLeave));
    field->installEventFilter(filter);
    return filter;
}

bool FieldFilter::drops(TypedKeys keys, QChar typed) {
    switch (keys) {
    case TypedKeys::Any:
        return false;
    case TypedKeys::NoSpace:
        return typed == QLatin1Char(' ');
    case TypedKeys::NoDollar:
        return typed == QLatin1Char('$');
    case TypedKeys::DigitsOnly:
        return typed < QLatin1Char('0') || typed > QLatin1Char('9');
    case TypedKeys::None:
        return true;
    }
    return false;
}

bool FieldFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && keys_ != TypedKeys::Any) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.front().isPrint())
            return false;
        // A shortcut such as Ctrl+V (paste) is no typed character; AltGr may
        // come as Ctrl+Alt, and that one types.
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier))
            return false;
        for (const QChar c : text) {
            if (drops(keys_, c)) {
                if (keys_ == TypedKeys::DigitsOnly)
                    dialogs_.defaultBeep();
                return true;
            }
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut && onLeave_) {
        // Only a move to another control counts; the window losing the
        // focus (another window, a popup, a menu) does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
            onLeave_();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace profiles
