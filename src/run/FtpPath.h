#pragma once

#include "platform/ZipArchiver.h"

#include <QString>

#include <memory>

class RunHost;
class TftpForm1;

// The FTP upload of one site: one complete attempt per SubmitByFtp (log on,
// build the archive, upload). The run makes the retries.
class TFtpPath final {
public:
    explicit TFtpPath(RunHost& host);
    ~TFtpPath();
    TFtpPath(const TFtpPath&) = delete;
    TFtpPath& operator=(const TFtpPath&) = delete;

    bool SubmitByFtp();
    void logOff(); // after the last attempt; errors ignored
    void abort();  // Skip: abort the transfer in progress, then idle
    void idle();   // Cancel: stop the transfer in progress

    // Writes the added text file of this attempt into the files folder; true
    // when it was written. A failure is no failure of the attempt.
    bool MakeAddedTextFile();
    // One upload of the host's local file to its remote file, in the host's
    // transfer mode; false (after its lines) when the client failed.
    bool UploadFile();

    TftpForm1& form() { return *form_; }

    // The last log-on or upload failed (also set by a 421 reply).
    bool FtpFailed = false;
    // The text of the last error the client gave in a log-on or upload.
    QString LastFtpError;
    // Expanded content and name of this attempt's added text file.
    QString AddedTextBody;
    QString AddedTextName;

    static const QString TempTextFile; // "FTP_Parse_Temp.tmp"

private:
    bool logOn();
    // Text that fails to expand is used as it is written.
    QString expandedOrAsWritten(const QString& text);
    QString fieldText(const char* objectName) const;
    QString filesDir() const;
    // The separate upload of the added text file, in ASCII.
    bool uploadTextFile(const QString& remotePath);
    // Builds or copies the archive to send into the files folder; false when
    // there is none to send afterwards. textInZip tells whether the added
    // text file went into it.
    bool prepareZip(const QString& zipName, bool archiveIsZip, bool textFileReady, bool& textInZip);
    void failedUpload();

    RunHost& host_;
    std::unique_ptr<TftpForm1> form_;
    platform::ZipArchiver ZipMaster1;
};
