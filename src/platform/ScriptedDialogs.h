#pragma once

#include "Dialogs.h"

#include <QList>
#include <QQueue>

#include <functional>

namespace platform {

// The test implementation of the dialogs seam: records every call in order
// and answers from queues. runModal() hands the form to a callback that fills
// its controls (found by object name) and returns the result, with no modal
// loop; without a callback the form is rejected.
class ScriptedDialogs final : public Dialogs {
public:
    struct Call {
        QString kind;         // "message", "errorMessage", "yesNo", "yesNoCancel", "error", "exception",
                              // "openFile", "print", "modal", "openUrl", "defaultBeep"
        QString text;         // the box text; error: the message; modal: the form's object name
        QString title;        // error: the title; openFile: the title; modal: the window title
        QString instruction;  // error: the instruction; openFile: the filter
        bool beepBefore = false;  // beep() was called right before this call
    };

    QList<Call> calls;
    QQueue<Answer> answers;         // for yesNo / yesNoCancel; empty queue answers No
    QQueue<QString> files;          // for openFile; empty queue answers Cancel
    bool printAccepted = true;
    bool browserFails = false;      // openUrl throws as a missing browser would
    std::function<int(QDialog&)> onModal;
    // Called after each recorded call (tests may act inside a box, e.g. check state).
    std::function<void(const Call&)> onCall;

    void beep() override { pendingBeep_ = true; ++beeps; }
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

    int beeps = 0;
    QStringList printed;
    QStringList kinds() const;   // the kinds of all calls, in order
    QStringList texts() const;   // the texts of all calls, in order
    void clear();

private:
    void record(Call call);
    bool pendingBeep_ = false;
};

} // namespace platform
