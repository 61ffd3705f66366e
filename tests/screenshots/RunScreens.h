#pragma once

#include <QString>

#include <functional>

class QWidget;
class TMainFrm;

// For the screenshot tool: shows the Submit page as it looks in the middle of
// a run (lamps, counters, status texts, the FTP list and the log), hands the
// main window to save under the name "page-submit-running", then puts the
// page back to idle.
void renderSubmitDuringRun(TMainFrm& main, const std::function<void(QWidget&, const QString&)>& save);
