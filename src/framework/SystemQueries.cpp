// Queries of the system: 32-bit on 64-bit, redirection, version names and build texts.
#include "framework/SystemQueries.h"

#include "framework/TextUtils.h"

#include <charconv>
#include <cstdio>

namespace dm {

using platform::RegistryAccess;
using platform::RegistryRoot;

namespace {

std::string majorMinor(std::uint32_t major, std::uint32_t minor) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u", major, minor);
    return text;
}

struct NtSuffix {
    std::uint32_t major;
    std::uint32_t minor;
    const char* suffix;
};

constexpr NtSuffix kNtSuffixes[] = {
    {5, 0, " (Windows 2000)"}, {5, 1, " (Windows XP)"}, {5, 2, " (Windows 2003)"},
    {6, 0, " (Vista)"},        {6, 1, " (Seven)"},      {6, 2, " (Windows8)"},
    {6, 3, " (Windows8.1)"},
};

// The whole text as a decimal integer; 0 when it is empty or not a number.
int integerOf(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (error == std::errc() && end == text.data() + text.size()) ? value : 0;
}

std::string readText(platform::RegistryKey& key, const char* name) {
    const auto value = key.readString(name);
    return value.ok() ? value.value : std::string();
}

} // namespace

bool IsWow64(platform::SystemInfo& system) {
    return system.isWow64Process().value_or(false);
}

bool IsPreVistaOS(platform::SystemInfo& system) {
    const auto version = system.workstationVersion();
    return !version || version->major < 6;
}

bool SetWow64FsRedirection(platform::SystemInfo& system, bool disable) {
    try {
        system.setFsRedirectionDisabled(disable);
        return true;
    } catch (...) {
        return false;
    }
}

std::string GetCurrentBuildNumber(platform::Registry& registry) {
    auto key =
        registry.createKey(RegistryRoot::LocalMachine, kCurrentVersionKey, RegistryAccess::Full);
    return key ? readText(*key, "CurrentBuildNumber") : std::string();
}

std::string GetNTVersionName(platform::SystemInfo& system, int build) {
    const auto version = system.workstationVersion();
    if (!version)
        return "Unknown";
    if (version->major == 10 && version->minor == 0)
        return (build < 20000 ? "10.0." : "11.0.") + std::to_string(build) +
               (build < 20000 ? " (Windows10)" : " (Windows11)");
    std::string result = majorMinor(version->major, version->minor);
    for (const auto& row : kNtSuffixes)
        if (row.major == version->major && row.minor == version->minor)
            result += row.suffix;
    return result;
}

std::string GetWindowsVersionText(platform::SystemInfo& system, platform::Registry& registry) {
    const auto version = system.versionInfo();
    if (!version)
        return "Unknown";
    if (version->platformId == 1) {
        const std::string number = majorMinor(version->major, version->minor);
        if (version->major == 4 && version->minor == 0)
            return number + " (95)";
        if (version->major == 4 && version->minor == 10)
            return number + (version->servicePack.size() >= 2 && version->servicePack[1] == 'A'
                                 ? " (98SE)"
                                 : " (98)");
        if (version->major == 4 && version->minor == 90)
            return number + " (ME)";
        return number + " (Unknown)";
    }
    if (version->platformId == 2)
        return GetNTVersionName(system, integerOf(GetCurrentBuildNumber(registry)));
    return "Unknown";
}

std::string
GetReactOSBuildText(platform::Registry& registry,
                    const std::function<std::string(const std::string&)>& fileVersionText) {
    auto key =
        registry.createKey(RegistryRoot::LocalMachine, kCurrentVersionKey, RegistryAccess::Full);
    if (!key)
        return {};
    const auto product = key->readString("ProductName");
    if (!product.ok() || !SameText(product.value, "ReactOS") || !key->hasValue("BuildLab"))
        return {};
    const std::string buildLab = readText(*key, "BuildLab");
    if (!ContainsText("unknown", buildLab) || !key->hasValue("SystemRoot"))
        return buildLab;
    std::string explorer = readText(*key, "SystemRoot");
    if (explorer.empty() || (explorer.back() != '/' && explorer.back() != '\\'))
        explorer += '/';
    explorer += "explorer.exe";
    return fileVersionText(explorer) + " (" + buildLab + ")";
}

} // namespace dm
