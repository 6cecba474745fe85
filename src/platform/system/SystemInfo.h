// The system facts the program asks for: version, language, separators, time, libraries.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace dm::platform {

// What GetVersionEx reports.
struct OsVersionInfo {
    std::uint32_t platformId = 0; // 1: the Windows 95 family, 2: the NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::string servicePack; // szCSDVersion
};

// What NetWkstaGetInfo (level 100) reports.
struct WorkstationVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;
};

// A dynamic library held by the process until this object is gone.
class LoadedLibrary {
public:
    virtual ~LoadedLibrary() = default;
    virtual bool hasEntry(const std::string& name) const = 0;
};

// Facts about the running system and process.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // IsWow64Process: a 32-bit process on a 64-bit system. nullopt when the query is missing.
    virtual std::optional<bool> isWow64Process() = 0;
    // Wow64DisableWow64FsRedirection / Wow64EnableWow64FsRedirection. nullopt when the system
    // has no such switch; otherwise whether the switch succeeded.
    virtual std::optional<bool> setFsRedirectionDisabled(bool disable) = 0;
    virtual std::optional<WorkstationVersion> workstationVersion() = 0;
    virtual std::optional<OsVersionInfo> versionInfo() = 0;
    // GetUserDefaultLangID.
    virtual std::uint16_t userDefaultLanguageId() = 0;
    // GetTickCount: milliseconds from a monotonic clock, wrapping at 2^32.
    virtual std::uint32_t tickCount() = 0;
    virtual void beep(std::uint32_t frequency, std::uint32_t milliseconds) = 0;
    // Whether the process runs with administrator rights.
    virtual bool isAdministrator() = 0;
    // The user's locale separators: decimal ("." or ",") and time (usually ":").
    virtual std::string decimalSeparator() = 0;
    virtual std::string timeSeparator() = 0;
    virtual LocalDateTime localTime() = 0;
    // LoadLibrary: nullptr when the library cannot be loaded.
    virtual std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& name) = 0;
    // OleInitialize: whether the component system is ready.
    virtual bool initializeOle() = 0;
};

} // namespace dm::platform
