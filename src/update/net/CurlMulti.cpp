// Drives libcurl transfers from the Qt event loop through socket notifiers and one timer.
#include "update/net/CurlMulti.h"

namespace dm::update {

namespace {

// curl's global set-up, once per process, before the first handle.
void initialiseCurl() {
    static const CURLcode kInitialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)kInitialised;
}

// Stops a notifier that may be the one being delivered right now; it goes at the next turn of
// the loop.
void retire(QSocketNotifier*& notifier) {
    if (!notifier)
        return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace

CurlMulti::CurlMulti(DoneEvent onDone) : onDone_(std::move(onDone)) {
    initialiseCurl();
    multi_ = curl_multi_init();
    if (!multi_)
        return;
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMulti::socketChanged);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMulti::timerChanged);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
}

CurlMulti::~CurlMulti() {
    // Closes the connections it keeps; curl may still name sockets and times while it does.
    if (multi_)
        curl_multi_cleanup(multi_);
}

bool CurlMulti::add(CURL* easy) {
    return multi_ && curl_multi_add_handle(multi_, easy) == CURLM_OK;
}

void CurlMulti::remove(CURL* easy) {
    if (multi_)
        curl_multi_remove_handle(multi_, easy);
}

int CurlMulti::socketChanged(CURL*, curl_socket_t socket, int what, void* self, void*) {
    static_cast<CurlMulti*>(self)->watch(socket, what);
    return 0;
}

int CurlMulti::timerChanged(CURLM*, long timeoutMs, void* self) {
    QTimer& timer = static_cast<CurlMulti*>(self)->timer_;
    if (timeoutMs < 0)
        timer.stop();
    else
        timer.start(static_cast<int>(timeoutMs));
    return 0;
}

void CurlMulti::watch(curl_socket_t socket, int what) {
    Watch& watch = watches_[socket];
    const auto want = [&](QSocketNotifier*& notifier, bool wanted, QSocketNotifier::Type type,
                          int event) {
        if (!wanted) {
            retire(notifier);
        } else if (!notifier) {
            notifier = new QSocketNotifier(socket, type, this);
            connect(notifier, &QSocketNotifier::activated, this,
                    [this, socket, event] { act(socket, event); });
        }
    };
    want(watch.read, what == CURL_POLL_IN || what == CURL_POLL_INOUT, QSocketNotifier::Read,
         CURL_CSELECT_IN);
    want(watch.write, what == CURL_POLL_OUT || what == CURL_POLL_INOUT, QSocketNotifier::Write,
         CURL_CSELECT_OUT);
    if (what == CURL_POLL_REMOVE)
        watches_.erase(socket);
}

void CurlMulti::act(curl_socket_t socket, int events) {
    int running = 0;
    curl_multi_socket_action(multi_, socket, events, &running);
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        // The handler removes the handle, which ends the message.
        CURL* easy = message->easy_handle;
        const CURLcode result = message->data.result;
        onDone_(easy, result);
    }
}

} // namespace dm::update
