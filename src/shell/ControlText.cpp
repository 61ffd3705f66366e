#include "ControlText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

QString controlText(const QWidget& root, const char* objectName)
{
    QWidget* widget = root.findChild<QWidget*>(QLatin1String(objectName));
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
