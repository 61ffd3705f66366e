#pragma once

#include <QString>

#include <functional>

class QWidget;
class TMainFrm;

// For the screenshot tool: makes one real FTP attempt for a sample site on
// the FTP server at ftpServer ("host:port", an account user/password that
// may upload into "incoming/"), with a zip under the 8+3 name and an added
// text file, so that the Submit page shows the FTP list and run log a run
// leaves. Hands the main window to save under the name "page-submit-ftp",
// then puts back the engine, the local path and the page as they were.
void renderSubmitAfterFtpUpload(TMainFrm& main, const QString& ftpServer, const QString& user, const QString& password,
                                const std::function<void(QWidget&, const QString&)>& save);
