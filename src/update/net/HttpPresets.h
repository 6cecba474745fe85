#pragma once

#include "update/net/HttpClient.h"

#include <string>

namespace dm::platform {
class SystemInfo;
}

namespace dm::update {

// TLS can be used: the system is Vista or later and Qt's TLS backend loads.
bool IsSslAvailable(platform::SystemInfo& System);
// The TLS library's own version text, or "Not Available".
std::string GetSslVersionText(platform::SystemInfo& System);
// URL, or, when it starts with "https" (any case) and TLS cannot be used, "http" followed by URL
// without its first five characters.
std::string AdjustUrlScheme(platform::SystemInfo& System, const std::string& URL);
// Agent "Mozilla/5.0", HTTP 1.1, the fixed Accept and Accept-Language texts, Timeout 3 and
// Basic proxy authentication; nothing else of the client changes.
HttpClient& SetupHttpClient(HttpClient& Client);

} // namespace dm::update
