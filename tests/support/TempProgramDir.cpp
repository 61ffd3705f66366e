#include "TempProgramDir.h"

#include "ServerProcess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TempProgramDir::TempProgramDir()
{
    hadHome_ = qEnvironmentVariableIsSet("POSTRIX_HOME");
    oldHome_ = qgetenv("POSTRIX_HOME");
    qputenv("POSTRIX_HOME", dir_.path().toLocal8Bit());
}

TempProgramDir::~TempProgramDir()
{
    if (hadHome_)
        qputenv("POSTRIX_HOME", oldHome_);
    else
        qunsetenv("POSTRIX_HOME");
}

QString TempProgramDir::path() const { return dir_.path() + QLatin1Char('/'); }

void TempProgramDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TempProgramDir::read(const QString& relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempProgramDir::exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

void TempProgramDir::copyFixture(const QString& name) const
{
    const QString root = testFixturesDir() + QLatin1Char('/') + name;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        QFile f(source);
        if (f.open(QIODevice::ReadOnly))
            write(QDir(root).relativeFilePath(source), f.readAll());
    }
}
