#include "platform/Cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

namespace {
// The busy cursor is a state, not a stack: setting it twice and the default
// once gives the default, so an early return between nested pairs never
// leaves the hourglass behind.
bool busy = false;
} // namespace

void setBusyCursor()
{
    if (busy || !qGuiApp)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    busy = true;
}

void setDefaultCursor()
{
    if (!busy)
        return;
    busy = false;
    if (qGuiApp)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
