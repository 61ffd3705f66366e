#include "platform/CurlMulti.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>

namespace platform {

namespace {

QPointer<CurlMulti>& theInstance() {
    static QPointer<CurlMulti> instance;
    return instance;
}

// Counts libcurl multi calls in progress so that work asked for from inside
// a callback waits until libcurl has returned.
class Depth {
public:
    explicit Depth(int& depth) : depth_(depth) { ++depth_; }
    ~Depth() { --depth_; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;

private:
    int& depth_;
};

} // namespace

CurlMulti& CurlMulti::instance() {
    QPointer<CurlMulti>& instance = theInstance();
    if (!instance) {
        Q_ASSERT(QCoreApplication::instance());
        static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
        Q_UNUSED(initialised);
        // Owned by the application object: its notifiers and timer must go
        // before the event dispatcher does.
        instance = new CurlMulti(QCoreApplication::instance());
    }
    return *instance;
}

CurlMulti::CurlMulti(QObject* parent) : QObject(parent), multi_(curl_multi_init()) {
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMulti::socketCallback);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMulti::timerCallback);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CurlMulti::onTimeout);
}

CurlMulti::~CurlMulti() {
    const QList<CURL*> running = transfers_.keys();
    transfers_.clear();
    ++depth_;
    for (CURL* easy : running)
        curl_multi_remove_handle(multi_, easy);
    curl_multi_cleanup(multi_);
    --depth_;
    timer_.stop();
}

int CurlMulti::socketCallback(CURL*, curl_socket_t fd, int what, void* self, void*) {
    static_cast<CurlMulti*>(self)->watchSocket(fd, what);
    return 0;
}

int CurlMulti::timerCallback(CURLM*, long ms, void* self) {
    // Only arms the timer: libcurl must not be called from here.
    // While transfers run the timer never waits more than a quarter second: a
    // transfer that libcurl forgot to watch a socket for is then still driven.
    auto* multi = static_cast<CurlMulti*>(self);
    const long cap = multi->transfers_.isEmpty() ? 24L * 3600 * 1000 : 250L;
    if (ms < 0 && multi->transfers_.isEmpty())
        multi->timer_.stop();
    else
        multi->timer_.start(static_cast<int>(ms < 0 ? cap : std::min(ms, cap)));
    return 0;
}

void CurlMulti::watchSocket(curl_socket_t fd, int what) {
    if (what == CURL_POLL_REMOVE) {
        auto it = sockets_.find(fd);
        if (it == sockets_.end())
            return;
        for (QSocketNotifier* notifier : {it->read, it->write}) {
            if (notifier) {
                notifier->setEnabled(false);
                notifier->deleteLater();
            }
        }
        sockets_.erase(it);
        return;
    }
    Socket& socket = sockets_[fd];
    socket.wanted = what;
    if ((what & CURL_POLL_IN) && !socket.read) {
        socket.read = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(socket.read, &QSocketNotifier::activated, this, [this, fd] { onSocketReady(fd, CURL_CSELECT_IN); });
    }
    if ((what & CURL_POLL_OUT) && !socket.write) {
        socket.write = new QSocketNotifier(fd, QSocketNotifier::Write, this);
        connect(socket.write, &QSocketNotifier::activated, this, [this, fd] { onSocketReady(fd, CURL_CSELECT_OUT); });
    }
    // A socket whose readiness is still waiting to be handled stays quiet
    // until settle() gets to it.
    if (std::find(pendingSockets_.begin(), pendingSockets_.end(), fd) == pendingSockets_.end())
        enableNotifiers(fd);
}

void CurlMulti::enableNotifiers(curl_socket_t fd) {
    auto it = sockets_.find(fd);
    if (it == sockets_.end())
        return;
    if (it->read)
        it->read->setEnabled(it->wanted & CURL_POLL_IN);
    if (it->write)
        it->write->setEnabled(it->wanted & CURL_POLL_OUT);
}

void CurlMulti::onSocketReady(curl_socket_t fd, int event) {
    if (depth_ > 0) {
        // A callback is running a nested loop: handle the socket once libcurl
        // has returned, and keep its level-triggered notifiers from spinning.
        auto it = sockets_.find(fd);
        if (it != sockets_.end()) {
            if (it->read)
                it->read->setEnabled(false);
            if (it->write)
                it->write->setEnabled(false);
        }
        if (std::find(pendingSockets_.begin(), pendingSockets_.end(), fd) == pendingSockets_.end())
            pendingSockets_.push_back(fd);
        return;
    }
    socketAction(fd, event);
}

void CurlMulti::onTimeout() {
    if (depth_ > 0) {
        pendingTimeout_ = true;
        return;
    }
    socketAction(CURL_SOCKET_TIMEOUT, 0);
    if (!transfers_.isEmpty() && !timer_.isActive())
        timer_.start(250);
}

void CurlMulti::socketAction(curl_socket_t fd, int event) {
    {
        Depth depth(depth_);
        int running = 0;
        curl_multi_socket_action(multi_, fd, event, &running);
    }
    settle();
}

void CurlMulti::settle() {
    if (depth_ > 0)
        return;
    // Should a queued function or an onDone throw, the rest is done at the
    // next turn of the event loop, so no transfer is left without its end.
    struct Resume {
        CurlMulti* multi;
        bool armed = true;
        ~Resume() {
            if (armed)
                QTimer::singleShot(0, multi, [m = multi] { m->settle(); });
        }
    } resume{this};

    for (;;) {
        if (!outside_.empty()) {
            std::function<void()> fn = std::move(outside_.front());
            outside_.pop_front();
            fn();
            continue;
        }
        if (!pendingSockets_.empty()) {
            const curl_socket_t fd = pendingSockets_.front();
            pendingSockets_.pop_front();
            if (!sockets_.contains(fd))
                continue;
            enableNotifiers(fd);
            Depth depth(depth_);
            int running = 0;
            curl_multi_socket_action(multi_, fd, 0, &running);
            continue;
        }
        if (pendingTimeout_) {
            pendingTimeout_ = false;
            Depth depth(depth_);
            int running = 0;
            curl_multi_socket_action(multi_, CURL_SOCKET_TIMEOUT, 0, &running);
            continue;
        }
        int left = 0;
        CURLMsg* message = curl_multi_info_read(multi_, &left);
        if (!message)
            break;
        if (message->msg != CURLMSG_DONE)
            continue;
        CURL* easy = message->easy_handle;
        const CURLcode result = message->data.result; // the message dies with remove_handle
        {
            Depth depth(depth_);
            curl_multi_remove_handle(multi_, easy);
        }
        auto it = transfers_.find(easy);
        if (it == transfers_.end())
            continue;
        std::function<void(CURLcode)> onDone = std::move(*it);
        transfers_.erase(it);
        if (onDone)
            onDone(result);
    }
    resume.armed = false;
}

void CurlMulti::add(CURL* easy, std::function<void(CURLcode)> onDone) {
    if (transfers_.contains(easy)) {
        if (onDone)
            onDone(CURLE_FAILED_INIT); // already running: leave that transfer alone
        return;
    }
    transfers_.insert(easy, std::move(onDone));
    if (depth_ > 0) {
        outside_.push_back([this, easy] {
            if (!transfers_.contains(easy))
                return; // removed before it could start
            Depth depth(depth_);
            curl_multi_add_handle(multi_, easy);
        });
        return;
    }
    CURLMcode added;
    {
        Depth depth(depth_);
        added = curl_multi_add_handle(multi_, easy);
    }
    if (added != CURLM_OK) {
        auto it = transfers_.find(easy);
        std::function<void(CURLcode)> failed = std::move(*it);
        transfers_.erase(it);
        if (failed)
            failed(CURLE_FAILED_INIT);
        return;
    }
    // libcurl asked for a 0 ms timer; the transfer starts at the next turn.
    settle();
}

void CurlMulti::remove(CURL* easy) {
    if (!transfers_.remove(easy))
        return;
    if (depth_ > 0) {
        outside_.push_back([this, easy] {
            if (transfers_.contains(easy))
                return; // added again meanwhile
            Depth depth(depth_);
            curl_multi_remove_handle(multi_, easy);
        });
        return;
    }
    {
        Depth depth(depth_);
        curl_multi_remove_handle(multi_, easy);
    }
    settle(); // trace lines a client queued while its connection closed
}

void CurlMulti::runOutside(std::function<void()> fn) {
    if (depth_ > 0)
        outside_.push_back(std::move(fn));
    else
        fn();
}

BlockingTransfer::~BlockingTransfer() {
    if (running_ && !done_)
        CurlMulti::instance().remove(easy_);
}

CURLcode BlockingTransfer::run() {
    if (done_)
        return result_; // stopped before it started
    running_ = true;
    CurlMulti::instance().add(easy_, [this](CURLcode code) {
        if (done_)
            return;
        result_ = code;
        done_ = true;
        loop_.quit();
    });
    if (!done_)
        loop_.exec();
    running_ = false;
    return result_;
}

void BlockingTransfer::stop(CURLcode code) {
    if (done_)
        return;
    stopped_ = true;
    done_ = true;
    result_ = code;
    if (running_) {
        CurlMulti::instance().remove(easy_);
        loop_.quit();
    }
}

} // namespace platform
