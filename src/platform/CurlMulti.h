#pragma once

#include <curl/curl.h>

#include <QEventLoop>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

class QSocketNotifier;

namespace platform {

// The program's one libcurl multi handle, driven by the Qt event loop of the
// user-interface thread. The HTTP, FTP and SMTP clients all run their
// transfers through it; it lives as long as the application object, so the
// connections it caches (an FTP log-on, for instance) survive from one
// transfer to the next.
//
// Usage notes for the clients built on it:
// - One thread, no locks: call everything from the thread of the application
//   object, and only once a QCoreApplication exists.
// - Never call libcurl's multi functions on handle() yourself while a transfer
//   runs; use add() and remove(). Options of the easy handle are yours.
// - libcurl callbacks (write, read, header, debug, xferinfo, prereq) run
//   inside libcurl. There, do not call libcurl, do not emit signals whose
//   slots may do anything (stop the transfer, open a dialog, run a nested
//   loop, throw), and never throw: wrap that work in runOutside(), which runs
//   it right after libcurl returns, in the order the calls were made and
//   before the onDone of that same step. Outside a libcurl callback
//   runOutside() runs the function at once.
// - An exception escaping a function given to runOutside() or an onDone goes
//   on into the Qt event loop (the application's error box); the multi handle
//   stays sound and carries on at the next turn of the loop. A client that
//   wants the error in its blocked caller catches it itself (see HttpClient).
// - add() and remove() are safe from any Qt slot, also from one that runs
//   while a transfer is blocked in BlockingTransfer::run(); called from inside
//   a libcurl callback they take effect right after libcurl returns.
// - Before curl_easy_cleanup() of a handle still running, remove() it (the
//   destructor of BlockingTransfer does).
class CurlMulti final : public QObject {
    Q_OBJECT

public:
    static CurlMulti& instance();
    ~CurlMulti() override;

    CURLM* handle() const { return multi_; }

    // Starts the transfer of an easy handle the caller owns and has set up.
    // onDone runs once, from the event loop (never inside libcurl), with the
    // transfer's result; by then the handle is out of the multi handle and
    // may be reused or cleaned up. Should libcurl refuse the handle (or it is
    // running already), onDone runs at once with CURLE_FAILED_INIT.
    void add(CURL* easy, std::function<void(CURLcode)> onDone);

    // Stops a transfer; no onDone follows. A handle that is not running is
    // ignored. libcurl closes the transfer's connection if it was mid-way.
    void remove(CURL* easy);

    bool isRunning(CURL* easy) const { return transfers_.contains(easy); }

    // See the usage notes: fn runs outside libcurl, at once when possible.
    void runOutside(std::function<void()> fn);

    // True while a libcurl multi call is in progress (so inside its callbacks).
    bool insideCurl() const { return depth_ > 0; }

private:
    explicit CurlMulti(QObject* parent);

    struct Socket {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
        int wanted = 0; // CURL_POLL_IN / OUT / INOUT as libcurl last asked
    };

    static int socketCallback(CURL* easy, curl_socket_t fd, int what, void* self, void* socketData);
    static int timerCallback(CURLM* multi, long ms, void* self);
    void watchSocket(curl_socket_t fd, int what);
    void onSocketReady(curl_socket_t fd, int event);
    void onTimeout();
    void socketAction(curl_socket_t fd, int event);
    void enableNotifiers(curl_socket_t fd);
    void settle();

    CURLM* multi_ = nullptr;
    QTimer timer_;
    QHash<curl_socket_t, Socket> sockets_;
    QHash<CURL*, std::function<void(CURLcode)>> transfers_;
    std::deque<std::function<void()>> outside_; // queued by runOutside() while inside libcurl
    std::deque<curl_socket_t> pendingSockets_;  // readiness seen while inside libcurl
    bool pendingTimeout_ = false;
    int depth_ = 0;
};

// One transfer run to its end while the event loop keeps dispatching: run()
// adds the easy handle to CurlMulti and runs a nested QEventLoop until the
// transfer is done or stop() is called. Clients keep one per request:
//
//     BlockingTransfer transfer(easy);
//     stop_ = &transfer;                        // lets a slot reach it
//     CURLcode code = transfer.run();           // Skip, Cancel, timers run in here
//     stop_ = nullptr;
//
//     void Client::abort() { if (stop_) stop_->stop(); }   // from any Qt slot
//
// stop() removes the handle at once (the connection of a half-done transfer
// is dropped) and run() returns the code given to stop(). A stop() before
// run() makes run() return at once without starting anything.
class BlockingTransfer final {
public:
    explicit BlockingTransfer(CURL* easy) : easy_(easy) {}
    ~BlockingTransfer();
    BlockingTransfer(const BlockingTransfer&) = delete;
    BlockingTransfer& operator=(const BlockingTransfer&) = delete;

    CURLcode run();
    void stop(CURLcode code = CURLE_ABORTED_BY_CALLBACK);

    bool isRunning() const { return running_; }
    bool wasStopped() const { return stopped_; }

private:
    CURL* easy_;
    QEventLoop loop_;
    CURLcode result_ = CURLE_OK;
    bool running_ = false;
    bool done_ = false;
    bool stopped_ = false;
};

} // namespace platform
