#include "ReportPictures.h"

#include "platform/FileOps.h"

#include <QFile>

// The resources live in the static program library, whose initialiser the
// linker would drop unless something refers to it.
static void initReportResources() {
    Q_INIT_RESOURCE(reports);
}

namespace reports {

void writeMissingPictures(const QString& imagesDir) {
    initReportResources();
    for (const QString& name : {QStringLiteral("pxsr.jpg"), QStringLiteral("back.jpg")}) {
        const QString target = imagesDir + name;
        if (QFile::exists(target))
            continue;
        QFile source(QStringLiteral(":/reports/") + name);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        try {
            platform::files::writeFileAtomic(target, source.readAll());
        } catch (const std::exception&) {
            // A read-only images folder only costs the pictures.
        }
    }
}

} // namespace reports
