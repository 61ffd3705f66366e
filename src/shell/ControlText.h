#pragma once

#include <QString>

class QWidget;

// The text a control of the main window shows, found by its object name: an
// edit's text, a choice box's text or a memo's plain text ("\n" between its
// lines). Empty when there is no such control.
QString controlText(const QWidget& root, const char* objectName);
QString controlText(const QWidget& root, const QString& objectName);
