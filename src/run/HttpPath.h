#pragma once

class RunHost;

// The HTTP form submission of one site (the main window's HTTP1 client, the
// HTTPTimer time-out).
class THttpPath final {
public:
    explicit THttpPath(RunHost& host);

    bool SubmitByHttp(bool isNew);
    // Skip and Cancel: the client goes idle; the blocked SubmitByHttp returns.
    void stop();

private:
    RunHost& host_;
};
