// The version text of the TLS library this process uses, as the library reports it.
#pragma once

#include <string>

namespace dm::platform {

// The version text that the OpenSSL of this process reports about itself ("OpenSSL 3.0.17 1 Jul
// 2025"): the library already loaded (by the HTTP transport), else one loaded now, the 3.x series
// first, then 1.1. Empty when none can be loaded or its version is outside 1.1.1 to 3.x.
std::string openSslVersionText();

} // namespace dm::platform
