// The HTTP(S) client on libcurl: one request at a time, bounded, redirections checked.
#include "update/net/HttpClient.h"

#include "framework/TextUtils.h"
#include "update/net/CurlMulti.h"

#include <curl/curl.h>

#include <array>
#include <cstdlib>
#include <utility>

namespace dm::update {

namespace {

constexpr long kMaxRedirections = 5;

// Whole seconds as "N s", anything else as "N ms".
std::string durationText(std::chrono::milliseconds duration) {
    const auto ms = duration.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

std::string tooLargeText(const char* part, std::size_t limit) {
    return std::string("Reply ") + part + " larger than " + std::to_string(limit) + " bytes";
}

// A header line without its line end.
std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

// The text after the code of a status line ("HTTP/1.1 404 Not Found"), without its line end.
std::string statusText(std::string_view line) {
    line = withoutLineEnd(line);
    const auto code = line.find(' ');
    const auto text = code == std::string_view::npos ? code : line.find(' ', code + 1);
    return text == std::string_view::npos ? std::string() : std::string(line.substr(text + 1));
}

} // namespace

// One GET on its curl handle, with the request headers and the error text curl writes.
struct HttpClient::Transfer {
    CURL* easy = curl_easy_init();
    curl_slist* headers = nullptr;
    std::array<char, CURL_ERROR_SIZE> error{};
    CURLcode refused = CURLE_OK;

    ~Transfer() {
        curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
    }

    // Sets option, remembering the first that curl refuses (an older libcurl lacks some).
    template <typename T> void set(CURLoption option, T value) {
        const CURLcode result = curl_easy_setopt(easy, option, value);
        if (refused == CURLE_OK)
            refused = result;
    }

    void addHeader(const char* name, const std::string& value) {
        if (!value.empty())
            headers = curl_slist_append(headers, (std::string(name) + ": " + value).c_str());
    }

    static std::size_t onBody(char* data, std::size_t, std::size_t size, void* client) {
        return static_cast<HttpClient*>(client)->takeBody({data, size}) ? size : 0;
    }
    static std::size_t onHeader(char* data, std::size_t, std::size_t size, void* client) {
        return static_cast<HttpClient*>(client)->takeHeader({data, size}) ? size : 0;
    }
    // What curl read from the connection, as it reads it: header lines as they come and body
    // bytes before chunks are unwrapped, so chunk sizes, extensions and trailers count too.
    static int onTrace(CURL*, curl_infotype type, char*, std::size_t size, void* client) {
        if (type == CURLINFO_HEADER_IN || type == CURLINFO_DATA_IN)
            static_cast<HttpClient*>(client)->takeWireBytes(size);
        return 0;
    }
    // Called after every read of the connection; non-zero ends the transfer.
    static int onProgress(void* client, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<HttpClient*>(client)->withinBounds() ? 0 : 1;
    }
    // The connection is made (and secured): the request goes out now.
    static int onConnected(void* client, char*, char*, int, int) {
        return static_cast<HttpClient*>(client)->takeConnection() ? CURL_PREREQFUNC_OK
                                                                  : CURL_PREREQFUNC_ABORT;
    }
};

HttpClient::HttpClient(QObject* owner, TransferLimits limits)
    : QObject(owner), limits_(limits),
      multi_(std::make_unique<CurlMulti>(
          [this](CURL*, CURLcode result) { transferDone(static_cast<int>(result)); })) {
    for (QTimer* timer : {&stallTimer_, &totalTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer); // a limit is never cut short
    }
    connect(&stallTimer_, &QTimer::timeout, this, [this] {
        fail(kHttpErrorTimedOut, "No progress for " + durationText(limits_.stallTimeout));
    });
    connect(&totalTimer_, &QTimer::timeout, this, [this] {
        fail(kHttpErrorTimedOut, "Not finished within " + durationText(limits_.totalTimeout));
    });
}

HttpClient::~HttpClient() {
    if (transfer_)
        multi_->remove(transfer_->easy);
    transfer_.reset();
    multi_.reset(); // closes its connections
}

platform::Status HttpClient::getAsync() {
    if (busy_)
        return platform::Failure{"A request is still running"};
    auto transfer = std::make_unique<Transfer>();
    if (!transfer->easy)
        return platform::Failure{"No transfer could be made"};
    transfer->addHeader("Accept", Accept);
    transfer->addHeader("Accept-Language", AcceptLanguage);
    transfer->set(CURLOPT_URL, URL.c_str());
    transfer->set(CURLOPT_HTTPHEADER, transfer->headers);
    if (!Agent.empty())
        transfer->set(CURLOPT_USERAGENT, Agent.c_str());
    transfer->set(
        CURLOPT_HTTP_VERSION,
        static_cast<long>(RequestVer == "1.1" ? CURL_HTTP_VERSION_1_1 : CURL_HTTP_VERSION_NONE));
    transfer->set(CURLOPT_PROTOCOLS_STR, "http,https");
    transfer->set(CURLOPT_FOLLOWLOCATION, 1L);
    transfer->set(CURLOPT_MAXREDIRS, kMaxRedirections);
    // Never from https to anything less safe (a chain that became https later is held to it by
    // takeConnection).
    transfer->set(CURLOPT_REDIR_PROTOCOLS_STR, StartsText(URL, "https:") ? "https" : "http,https");
    // The body as sent: nothing is asked for compressed, nothing is inflated.
    transfer->set(CURLOPT_HTTP_CONTENT_DECODING, 0L);
    transfer->set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.maxBodyBytes));
    transfer->set(CURLOPT_SSL_VERIFYPEER, sslContext_.verifyPeer ? 1L : 0L);
    transfer->set(CURLOPT_SSL_VERIFYHOST, sslContext_.verifyPeer ? 2L : 0L);
    if (Proxy.empty()) {
        // Not even the environment's proxy.
        transfer->set(CURLOPT_PROXY, "");
        transfer->set(CURLOPT_NOPROXY, "*");
    } else {
        transfer->set(CURLOPT_PROXY, Proxy.c_str());
        transfer->set(CURLOPT_PROXYPORT, std::atol(ProxyPort.c_str()));
        if (ProxyAuth == httpAuthBasic && !ProxyUsername.empty()) {
            transfer->set(CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
            transfer->set(CURLOPT_PROXYUSERNAME, ProxyUsername.c_str());
            transfer->set(CURLOPT_PROXYPASSWORD, ProxyPassword.c_str());
        }
    }
    transfer->set(CURLOPT_NOSIGNAL, 1L);
    // Ending a transfer never waits for a name lookup still running.
    transfer->set(CURLOPT_QUICK_EXIT, 1L);
    transfer->set(CURLOPT_ERRORBUFFER, transfer->error.data());
    transfer->set(CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    transfer->set(CURLOPT_WRITEDATA, this);
    transfer->set(CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    transfer->set(CURLOPT_HEADERDATA, this);
    transfer->set(CURLOPT_PREREQFUNCTION, &Transfer::onConnected);
    transfer->set(CURLOPT_PREREQDATA, this);
    // The trace is how the bytes read are counted; with a function of ours none is printed.
    transfer->set(CURLOPT_DEBUGFUNCTION, &Transfer::onTrace);
    transfer->set(CURLOPT_DEBUGDATA, this);
    transfer->set(CURLOPT_VERBOSE, 1L);
    transfer->set(CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
    transfer->set(CURLOPT_XFERINFODATA, this);
    transfer->set(CURLOPT_NOPROGRESS, 0L);
    if (transfer->refused != CURLE_OK)
        return platform::Failure{std::string("The transport refuses a setting: ") +
                                 curl_easy_strerror(transfer->refused)};
    failure_.reset();
    reasonPhrase_.clear();
    statusLine_.clear();
    received_ = 0;
    headerBytes_ = 0;
    wireBytes_ = 0;
    headEnded_ = false;
    wentSecure_ = false;
    if (!multi_->ready()) {
        // Without curl's transfer machinery (no memory for it) the request fails like any other.
        busy_ = true;
        deliver({kHttpErrorNoTransport, "The transport could not be set up"});
        return {};
    }
    if (!multi_->add(transfer->easy))
        return platform::Failure{"The transfer could not be started"};

    transfer_ = std::move(transfer);
    busy_ = true;
    stallTimer_.start(limits_.stallTimeout);
    totalTimer_.start(limits_.totalTimeout);
    return {};
}

void HttpClient::progressed() {
    if (transfer_)
        stallTimer_.start(limits_.stallTimeout);
}

bool HttpClient::takeConnection() {
    if (!transfer_)
        return true;
    const char* scheme = nullptr;
    curl_easy_getinfo(transfer_->easy, CURLINFO_SCHEME, &scheme);
    const bool secure = scheme && SameText(scheme, "https");
    if (wentSecure_ && !secure) {
        failure_ = Ending{CURLE_UNSUPPORTED_PROTOCOL, "Redirection from https to http refused"};
        return false;
    }
    wentSecure_ = secure;
    progressed();
    return true;
}

bool HttpClient::takeBody(std::string_view data) {
    if (!withinBounds())
        return false;
    if (received_ + data.size() > limits_.maxBodyBytes) {
        failure_ = Ending{kHttpErrorBodyTooLarge, tooLargeText("body", limits_.maxBodyBytes)};
        return false;
    }
    received_ += data.size();
    if (RcvdStream)
        RcvdStream->append(data);
    if (!data.empty())
        progressed();
    return true;
}

bool HttpClient::takeHeader(std::string_view line) {
    if (!withinBounds())
        return false;
    headerBytes_ += line.size();
    if (headerBytes_ > limits_.maxHeaderBytes) {
        failure_ = Ending{kHttpErrorHeaderTooLarge, tooLargeText("header", limits_.maxHeaderBytes)};
        return false;
    }
    if (line.substr(0, 5) == "HTTP/") {
        reasonPhrase_ = statusText(line); // each reply of a redirection has its own
        statusLine_ = withoutLineEnd(line);
        headEnded_ = false;
    } else if (line == "\r\n" || line == "\n") {
        headEnded_ = true;
        progressed(); // a whole header came
    }
    return true;
}

void HttpClient::takeWireBytes(std::size_t size) {
    wireBytes_ += size;
}

bool HttpClient::withinBounds() {
    if (wireBytes_ <= limits_.maxReceivedBytes)
        return true;
    failure_ = Ending{kHttpErrorReceivedTooMuch, "Reply larger than " +
                                                     std::to_string(limits_.maxReceivedBytes) +
                                                     " bytes in all, framing included"};
    return false;
}

void HttpClient::fail(std::uint16_t code, std::string reason) {
    if (transfer_)
        finish({code, std::move(reason)});
}

void HttpClient::transferDone(int result) {
    if (!transfer_)
        return;
    const auto code = static_cast<CURLcode>(result);
    Ending ending{0, reasonPhrase_};
    if (failure_)
        ending = *failure_;
    else if (code == CURLE_FILESIZE_EXCEEDED)
        ending = {kHttpErrorBodyTooLarge, tooLargeText("body", limits_.maxBodyBytes)};
    else if (code == CURLE_OUT_OF_MEMORY && received_ == 0)
        // What curl says when one line of the head outgrows its buffer.
        ending = {kHttpErrorHeaderTooLarge, tooLargeText("header line", CURL_MAX_HTTP_HEADER)};
    else if (code != CURLE_OK)
        ending = {static_cast<std::uint16_t>(code), transfer_->error[0] != '\0'
                                                        ? std::string(transfer_->error.data())
                                                        : std::string(curl_easy_strerror(code))};
    else if (!headEnded_)
        // The connection closed before the blank line that ends a head.
        ending = {kHttpErrorCutShort, "Reply cut short inside its head"};
    finish(ending);
}

void HttpClient::finish(const Ending& ending) {
    stallTimer_.stop();
    totalTimer_.stop();
    multi_->remove(transfer_->easy);
    transfer_.reset();
    deliver(ending);
}

void HttpClient::deliver(const Ending& ending) {
    reasonPhrase_ = ending.reason;
    // Delivered from the event loop, so the handler may free this client; a client freed
    // before then drops the delivery with its pending events.
    QMetaObject::invokeMethod(
        this,
        [this, code = ending.code] {
            busy_ = false;
            const RequestDoneEvent handler = OnRequestDone;
            if (handler)
                handler(*this, httpGET, code);
        },
        Qt::QueuedConnection);
}

} // namespace dm::update
