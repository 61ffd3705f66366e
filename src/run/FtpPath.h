#pragma once

class RunHost;

// The FTP upload of one site: one complete attempt per SubmitByFtp (log on,
// build the archive, upload).
class TFtpPath final {
public:
    explicit TFtpPath(RunHost& host);
    ~TFtpPath();

    bool SubmitByFtp();
    void logOff();   // after the last attempt; errors ignored
    void abort();    // Skip: abort the transfer in progress, then idle
    void idle();     // Cancel: stop the transfer in progress

private:
    RunHost& host_;
};
