#include "HelpFile.h"

#include "platform/FileOps.h"

#include <QFile>

void writeHelpFileIfMissing(const QString& programDir)
{
    const QString path = programDir + HelpFileName;
    if (platform::files::fileExists(path))
        return;
    QFile resource(QStringLiteral(":/help/Postrix.html"));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    try {
        platform::files::writeFileAtomic(path, resource.readAll());
    } catch (...) {
        // A read-only program folder: help opens from nowhere, nothing else suffers.
    }
}

QString helpUrl(const QString& programDir, int context)
{
    QString url = QStringLiteral("file://") + programDir + HelpFileName;
    if (context > 0)
        url += QStringLiteral("#context-%1").arg(context);
    return url;
}
