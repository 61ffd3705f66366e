#pragma once

#include <QString>

#include <functional>

class QWidget;
class TMainFrm;

// Shows the Site Builder's four pages, each with an engine of the list that
// uses it, then the variable list and the Field Translations dialog, and
// hands each to save with a file name stem.
void renderSiteBuilderScreens(TMainFrm& main, const std::function<void(QWidget&, const QString& name)>& save);
