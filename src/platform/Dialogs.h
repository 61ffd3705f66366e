#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace platform {

// Every modal interaction of the program, and the hand-over to the desktop
// (browser, printer) goes through this seam, so tests can script the answers
// and check the exact texts. Callers play beep() themselves before a box when
// the program's rule asks for the information beep.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    virtual void beep() = 0;                       // the system's information beep
    virtual void defaultBeep() = 0;                // the default beep of a dropped key
    virtual void message(const QString& text) = 0;  // plain box with OK
    virtual void errorMessage(const QString& text) = 0;  // error box with OK
    virtual Answer yesNo(const QString& text) = 0;
    virtual Answer yesNoCancel(const QString& text) = 0;
    // The program's error form (caption "ERROR"); plays the beep itself.
    virtual void errorDialog(const QString& title, const QString& message, const QString& instruction) = 0;
    // The application's default error box for an exception that escaped a handler.
    virtual void exceptionBox(const QString& text) = 0;
    // Open-file dialog; returns the chosen file's full path, empty on Cancel.
    virtual QString openFile(const QString& title, const QString& filter, const QString& defaultExtension) = 0;
    // Print dialog, then the lines on the chosen printer; false when cancelled.
    virtual bool printLines(const QString& title, const QStringList& lines) = 0;
    // Runs a form modally; returns its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog& form) = 0;
    // Hands a URL (http:, mailto:, file:) to the default browser. Throws
    // FileError "Couldn't launch default browser" when that fails.
    virtual void openUrl(const QString& url) = 0;
};

// The real implementation: Qt message boxes, file and print dialogs,
// QDesktopServices.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void beep() override;
    void defaultBeep() override;
    void message(const QString& text) override;
    void errorMessage(const QString& text) override;
    Answer yesNo(const QString& text) override;
    Answer yesNoCancel(const QString& text) override;
    void errorDialog(const QString& title, const QString& message, const QString& instruction) override;
    void exceptionBox(const QString& text) override;
    QString openFile(const QString& title, const QString& filter, const QString& defaultExtension) override;
    bool printLines(const QString& title, const QStringList& lines) override;
    int runModal(QDialog& form) override;
    void openUrl(const QString& url) override;

private:
    QWidget* parent_;
};

} // namespace platform
