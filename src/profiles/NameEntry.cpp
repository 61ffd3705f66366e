#include "NameEntry.h"

#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"
#include "platform/TSiteEntryFrm.h"
#include "platform/TextHelpers.h"

#include <QLineEdit>

namespace profiles {

QString askNewName(platform::Dialogs& dialogs, QWidget* parent, const QString& caption, const std::function<bool(const QString&)>& accepted) {
    TSiteEntryFrm form(parent);
    form.setWindowTitle(caption);
    for (;;) {
        form.Edit1->clear();
        if (dialogs.runModal(form) != QDialog::Accepted)
            return {};
        QString name = form.Edit1->text();
        // Trimmed before the comparison: "  Acme" is the company "Acme", and
        // taking it as new would clear the profile of the existing one.
        TrimLeadingSpaces(name);
        if (name.isEmpty())
            return {};
        if (accepted(name))
            return name;
    }
}

bool fileNameAccepted(platform::Dialogs& dialogs, const QString& title, const QString& name) {
    const QString reason = platform::files::invalidFileNameReason(name);
    if (reason.isEmpty())
        return true;
    dialogs.errorDialog(title, reason, QString());
    return false;
}

void ensureWritableName(const QString& name, const QString& path) {
    if (!platform::files::invalidFileNameReason(name).isEmpty())
        throw platform::FileError::unableToWrite(path);
}

} // namespace profiles
