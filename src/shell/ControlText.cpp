#include "ControlText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

QString controlText(const QWidget& root, const char* objectName)
{
    return controlText(root, QLatin1String(objectName));
}

QString controlText(const QWidget& root, const QString& objectName)
{
    QWidget* widget = root.findChild<QWidget*>(objectName);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return memo->toPlainText();
    if (auto* memo = qobject_cast<QTextEdit*>(widget))
        return memo->toPlainText();
    return {};
}
