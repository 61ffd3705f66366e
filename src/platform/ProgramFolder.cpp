#include "ProgramFolder.h"

#include <QDir>

namespace platform {

QString programFolder()
{
    QString dir = qEnvironmentVariable("POSTRIX_HOME");
    if (dir.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty())
            data = QDir::homePath() + QStringLiteral("/.local/share");
        dir = data + QStringLiteral("/postrix");
    }
    dir = QDir(dir).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace platform
