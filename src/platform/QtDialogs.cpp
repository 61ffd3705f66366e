#include "Dialogs.h"

#include "FileError.h"
#include "TErrorForm.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace platform {
namespace {

QString boxCaption() { return QApplication::applicationName().isEmpty() ? QStringLiteral("Postrix") : QApplication::applicationName(); }

// "Programs|*.ZIP;*.EXE" -> "Programs (*.ZIP *.zip *.EXE *.exe)": Linux file
// names are case-sensitive, the patterns were not.
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << p;
            if (p.toLower() != p)
                patterns << p.toLower();
        }
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return result.join(QStringLiteral(";;"));
}

} // namespace

void QtDialogs::beep() { QApplication::beep(); }
void QtDialogs::defaultBeep() { QApplication::beep(); }

void QtDialogs::message(const QString& text) { QMessageBox::information(parent_, boxCaption(), text); }

void QtDialogs::errorMessage(const QString& text) { QMessageBox::critical(parent_, boxCaption(), text); }

Dialogs::Answer QtDialogs::yesNo(const QString& text)
{
    return QMessageBox::question(parent_, boxCaption(), text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

Dialogs::Answer QtDialogs::yesNoCancel(const QString& text)
{
    switch (QMessageBox::question(parent_, boxCaption(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtDialogs::errorDialog(const QString& title, const QString& message, const QString& instruction)
{
    beep();
    TErrorForm form(parent_);
    form.setTexts(title, message, instruction);
    form.exec();
}

void QtDialogs::exceptionBox(const QString& text) { QMessageBox::critical(parent_, boxCaption(), text); }

QString QtDialogs::openFile(const QString& title, const QString& filter, const QString& defaultExtension)
{
    QFileDialog dialog(parent_, title, QString(), qtFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!defaultExtension.isEmpty())
        dialog.setDefaultSuffix(defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtDialogs::printLines(const QString& title, const QStringList& lines)
{
    QPrinter printer;
    printer.setDocName(title);
    QPrintDialog dialog(&printer, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    int y = lineHeight;
    for (const QString& line : lines) {
        if (y > page.height()) {
            printer.newPage();
            y = lineHeight;
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    painter.end();
    return true;
}

int QtDialogs::runModal(QDialog& form) { return form.exec(); }

void QtDialogs::openUrl(const QString& url)
{
    if (!QDesktopServices::openUrl(QUrl(url)))
        throw FileError(QStringLiteral("Couldn't launch default browser"));
}

} // namespace platform
