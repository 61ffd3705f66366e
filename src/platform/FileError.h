#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// An error of the platform layer that the program shows to the user as it
// stands: the message is the whole text ("Unable to write to /x/y.dat").
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

    static FileError unableToWrite(const QString& path) { return FileError(QStringLiteral("Unable to write to %1").arg(path)); }
    static FileError cannotCreate(const QString& path) { return FileError(QStringLiteral("Cannot create file %1").arg(path)); }
    static FileError cannotOpen(const QString& path) { return FileError(QStringLiteral("Cannot open file %1").arg(path)); }

private:
    QString message_;
};

} // namespace platform
