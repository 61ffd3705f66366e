#pragma once

#include <QApplication>

namespace platform {

class Dialogs;

// The application object. An exception that escapes an event handler is shown
// in the application's error box and ends only that handler; it never crosses
// Qt's event loop.
class Application final : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an exception caught outside the event loop the same way.
    void showException(const std::exception& error);

private:
    Dialogs* dialogs_ = nullptr;
};

} // namespace platform
