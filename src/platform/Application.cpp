#include "Application.h"

#include "Dialogs.h"
#include "FileError.h"

#include <QMessageBox>

namespace platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showException(error);
    } catch (...) {
        showException(std::runtime_error("Unknown error"));
    }
    return false;
}

void Application::showException(const std::exception& error)
{
    const auto* fileError = dynamic_cast<const FileError*>(&error);
    const QString text = fileError ? fileError->message() : QString::fromLocal8Bit(error.what());
    if (dialogs_)
        dialogs_->exceptionBox(text);
    else
        QMessageBox::critical(nullptr, applicationName(), text);
}

} // namespace platform
