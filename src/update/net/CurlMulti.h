// Runs libcurl transfers on the Qt event loop, without blocking and without threads.
#pragma once

#include <curl/curl.h>

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <map>

namespace dm::update {

// Runs libcurl transfers on the Qt event loop: curl names the sockets it waits on and the time
// of its next timeout, and the loop calls it back when one is ready or due. Nothing blocks and
// no thread is made (names are resolved on curl's own resolver thread).
class CurlMulti : public QObject {
public:
    // Called once per transfer that ended, from the event loop, with curl's result.
    using DoneEvent = std::function<void(CURL* easy, CURLcode result)>;

    explicit CurlMulti(DoneEvent onDone);
    ~CurlMulti() override;
    CurlMulti(const CurlMulti&) = delete;
    CurlMulti& operator=(const CurlMulti&) = delete;

    // curl could make its transfer machinery (it cannot without memory); nothing starts without.
    bool ready() const { return multi_ != nullptr; }
    // Starts easy; false when curl refuses it.
    bool add(CURL* easy);
    // Stops easy without a completion; the caller still frees it.
    void remove(CURL* easy);

private:
    // The notifiers of one socket, children of this object.
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    static int socketChanged(CURL* easy, curl_socket_t socket, int what, void* self, void*);
    static int timerChanged(CURLM* multi, long timeoutMs, void* self);
    void watch(curl_socket_t socket, int what);
    void act(curl_socket_t socket, int events);

    DoneEvent onDone_;
    CURLM* multi_;
    QTimer timer_;
    std::map<curl_socket_t, Watch> watches_;
};

} // namespace dm::update
