#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {
class Dialogs;
}

namespace profiles {

// Asks for the name of a new company or application with the name entry
// dialog. The name is taken without its leading spaces; accepted() checks it
// (and shows the error box when it refuses it), and a refused name brings the
// dialog back empty. Returns the name, or an empty text when the user left
// without one (Cancel, an empty entry, spaces only).
QString askNewName(platform::Dialogs& dialogs, QWidget* parent, const QString& caption, const std::function<bool(const QString&)>& accepted);

// Refuses a name that cannot be a file name, with the error box; true when
// the name can be used.
bool fileNameAccepted(platform::Dialogs& dialogs, const QString& title, const QString& name);

// A name from a list that cannot be a file name must not reach the disk.
// Throws FileError "Unable to write to %s" with the path.
void ensureWritableName(const QString& name, const QString& path);

} // namespace profiles
