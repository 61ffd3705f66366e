#include "NameEntry.h"

#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "shell/TMainFrm.h"
#include "platform/FileOps.h"
#include "shell/TSiteEntryFrm.h"
#include "shell/TextHelpers.h"

#include <QLineEdit>

namespace profiles {

QString askNewName(TMainFrm& main, const QString& caption, const std::function<bool(const QString&)>& accepted) {
    TSiteEntryFrm form(&main);
    form.setWindowTitle(caption);
    for (;;) {
        form.Edit1->clear();
        if (main.dialogs().runModal(form) != QDialog::Accepted)
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

bool fileNameAccepted(TMainFrm& main, const QString& title, const QString& name) {
    const QString reason = platform::files::invalidFileNameReason(name);
    if (reason.isEmpty())
        return true;
    main.ShowErrorDialog(title, reason, QString());
    return false;
}

void ensureWritableName(const QString& name, const QString& path) {
    if (!platform::files::invalidFileNameReason(name).isEmpty())
        throw platform::FileError::unableToWrite(path);
}

} // namespace profiles
