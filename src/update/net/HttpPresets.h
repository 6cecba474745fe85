#pragma once

#include "update/net/HttpClient.h"

#include <string>

namespace dm {
class RunLog;
}
namespace dm::platform {
class SystemInfo;
}

namespace dm::update {

// TLS can be used: the system is Vista or later and the transport has a TLS library.
bool IsSslAvailable(platform::SystemInfo& system);
// The TLS library's own version text, or "Not Available".
std::string GetSslVersionText(platform::SystemInfo& system);
// url, or, when it starts with "https" (any case) and TLS cannot be used, "http" followed by url
// without its first five characters.
std::string AdjustUrlScheme(platform::SystemInfo& system, const std::string& url);
// Agent "Mozilla/5.0", HTTP 1.1, the fixed Accept and Accept-Language texts, Timeout 3 and
// Basic proxy authentication; nothing else of the client changes.
HttpClient& SetupHttpClient(HttpClient& client);
// Readies client for a GET of url into body, onDone following it: the presets above, Timeout 10,
// no proxy, and url as AdjustUrlScheme gives it; falling back to HTTP logs
// "<logName> : No SSL / Back to HTTP".
void PrepareGetRequest(HttpClient& client, platform::SystemInfo& system, RunLog* log,
                       const std::string& logName, const std::string& url, std::string& body,
                       HttpClient::RequestDoneEvent onDone);

} // namespace dm::update
