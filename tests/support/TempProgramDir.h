#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test, set as $POSTRIX_HOME while it lives,
// removed afterwards. path() ends in "/".
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const;
    QString file(const QString& relative) const { return path() + relative; }
    // Writes bytes to a file below the folder, creating the folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Copies tests/fixtures/<name>/ into the folder.
    void copyFixture(const QString& name) const;

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    bool hadHome_ = false;
};
