// The TLS checks and the fixed client settings that every request of the program uses.
#include "update/net/HttpPresets.h"

#include "framework/RunLog.h"
#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/system/SystemInfo.h"
#include "platform/system/TlsLibrary.h"

#include <curl/curl.h>

#include <utility>

namespace dm::update {

namespace {

// The transport can speak TLS and the OpenSSL library is there: its version text, else empty.
std::string usableTlsVersionText() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    if (!info || !(info->features & CURL_VERSION_SSL))
        return {};
    return platform::openSslVersionText();
}

} // namespace

bool IsSslAvailable(platform::SystemInfo& system) {
    return !IsPreVistaOS(system) && !usableTlsVersionText().empty();
}

std::string GetSslVersionText(platform::SystemInfo& system) {
    // The library's own words ("OpenSSL 3.0.17 1 Jul 2025"), not the transport's "OpenSSL/3.0.17".
    const std::string text = IsPreVistaOS(system) ? std::string() : usableTlsVersionText();
    return text.empty() ? "Not Available" : text;
}

std::string AdjustUrlScheme(platform::SystemInfo& system, const std::string& url) {
    if (StartsText(url, "https") && !IsSslAvailable(system))
        return "http" + url.substr(5);
    return url;
}

HttpClient& SetupHttpClient(HttpClient& client) {
    client.Agent = "Mozilla/5.0";
    client.RequestVer = "1.1";
    client.Accept = "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8";
    client.AcceptLanguage = "fr,fr-fr;q=0.8,en-us;q=0.5,en;q=0.3";
    client.Timeout = 3;
    client.ProxyAuth = httpAuthBasic;
    return client;
}

void prepareGetRequest(HttpClient& client, platform::SystemInfo& system, RunLog* log,
                       const std::string& logName, const std::string& url, std::string& body,
                       HttpClient::RequestDoneEvent onDone) {
    SetupHttpClient(client);
    client.Timeout = 10;
    client.OnRequestDone = std::move(onDone);
    client.Proxy.clear();
    client.ProxyPort.clear();
    client.ProxyUsername.clear();
    client.ProxyPassword.clear();
    client.URL = AdjustUrlScheme(system, url);
    if (!SameText(client.URL, url))
        addToLog(log, logName + " : No SSL / Back to HTTP", llVerbose);
    client.RcvdStream = &body;
}

void TimedGet::start(HttpClient& client, const std::string& logName, const std::string& url,
                     std::string& body, HttpClient::RequestDoneEvent onDone) {
    body.clear();
    prepareGetRequest(client, system_, log_, logName, url, body, std::move(onDone));
    startTick_ = system_.tickCount();
    // A refused start (the client is still busy) is dropped: no completion follows for it.
    (void)client.getAsync();
}

std::optional<std::uint32_t> TimedGet::completed(HttpRequest rqType, std::uint16_t errCode,
                                                 const std::string& failureLine) const {
    if (errCode != 0 || rqType != httpGET) {
        addToLog(log_, failureLine, llError);
        return std::nullopt;
    }
    return system_.tickCount() - startTick_;
}

} // namespace dm::update
