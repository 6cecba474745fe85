// Asks the OpenSSL of this process for its own version text, loading it when needed.
#include "platform/system/TlsLibrary.h"

#include <dlfcn.h>

namespace dm::platform {

namespace {

constexpr unsigned long kLowestVersion = 0x10101000UL; // 1.1.1
constexpr unsigned long kBeyondVersion = 0x40000000UL; // 4.0.0
constexpr int kVersionText = 0;                        // OPENSSL_VERSION

// The library's version text, when it is a version the program takes.
std::string versionTextOf(void* library) {
    using VersionNumber = unsigned long (*)();
    using VersionText = const char* (*)(int);
    const auto number = reinterpret_cast<VersionNumber>(::dlsym(library, "OpenSSL_version_num"));
    const auto text = reinterpret_cast<VersionText>(::dlsym(library, "OpenSSL_version"));
    if (!number || !text)
        return {};
    const unsigned long version = number();
    if (version < kLowestVersion || version >= kBeyondVersion)
        return {};
    const char* words = text(kVersionText);
    return words ? words : "";
}

} // namespace

std::string openSslVersionText() {
    for (const char* name : {"libcrypto.so.3", "libcrypto.so.1.1"}) {
        // The copy already in the process first, so the text is that of the library in use.
        void* library = ::dlopen(name, RTLD_LAZY | RTLD_NOLOAD);
        if (!library)
            library = ::dlopen(name, RTLD_LAZY | RTLD_LOCAL);
        if (!library)
            continue;
        std::string text = versionTextOf(library);
        ::dlclose(library);
        if (!text.empty())
            return text;
    }
    return {};
}

} // namespace dm::platform
