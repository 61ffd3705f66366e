#include "ScriptedDialogs.h"

#include "FileError.h"

#include <QDialog>

namespace platform {

namespace {
ScriptedDialogs::Call makeCall(const QString& kind, const QString& text = {}, const QString& title = {},
                               const QString& instruction = {})
{
    ScriptedDialogs::Call call;
    call.kind = kind;
    call.text = text;
    call.title = title;
    call.instruction = instruction;
    return call;
}
} // namespace

void ScriptedDialogs::record(Call call)
{
    call.beepBefore = pendingBeep_;
    pendingBeep_ = false;
    calls.append(call);
    if (onCall)
        onCall(calls.last());
}

void ScriptedDialogs::message(const QString& text) { record(makeCall(QStringLiteral("message"), text)); }

void ScriptedDialogs::errorMessage(const QString& text) { record(makeCall(QStringLiteral("errorMessage"), text)); }

Dialogs::Answer ScriptedDialogs::yesNo(const QString& text)
{
    record(makeCall(QStringLiteral("yesNo"), text));
    return answers.isEmpty() ? Answer::No : answers.dequeue();
}

Dialogs::Answer ScriptedDialogs::yesNoCancel(const QString& text)
{
    record(makeCall(QStringLiteral("yesNoCancel"), text));
    return answers.isEmpty() ? Answer::No : answers.dequeue();
}

void ScriptedDialogs::errorDialog(const QString& title, const QString& message, const QString& instruction)
{
    // The error form plays the beep itself.
    pendingBeep_ = true;
    ++beeps;
    record(makeCall(QStringLiteral("error"), message, title, instruction));
}

void ScriptedDialogs::exceptionBox(const QString& text) { record(makeCall(QStringLiteral("exception"), text)); }

QString ScriptedDialogs::openFile(const QString& title, const QString& filter, const QString& defaultExtension)
{
    record(makeCall(QStringLiteral("openFile"), defaultExtension, title, filter));
    return files.isEmpty() ? QString() : files.dequeue();
}

bool ScriptedDialogs::printLines(const QString& title, const QStringList& lines)
{
    record(makeCall(QStringLiteral("print"), lines.join(QLatin1Char('\n')), title));
    if (printAccepted)
        printed += lines;
    return printAccepted;
}

int ScriptedDialogs::runModal(QDialog& form)
{
    record(makeCall(QStringLiteral("modal"), form.objectName(), form.windowTitle()));
    if (!onModal)
        return QDialog::Rejected;
    return onModal(form);
}

void ScriptedDialogs::openUrl(const QString& url)
{
    record(makeCall(QStringLiteral("openUrl"), url));
    if (browserFails)
        throw FileError(QStringLiteral("Couldn't launch default browser"));
}

QStringList ScriptedDialogs::kinds() const
{
    QStringList result;
    for (const Call& c : calls)
        result << c.kind;
    return result;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Call& c : calls)
        result << c.text;
    return result;
}

void ScriptedDialogs::clear()
{
    calls.clear();
    printed.clear();
    beeps = 0;
    pendingBeep_ = false;
}

} // namespace platform

void platform::ScriptedDialogs::defaultBeep() { record(makeCall(QStringLiteral("defaultBeep"))); }
