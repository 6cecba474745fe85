// The running Linux system as the system queries see it: version, locale, time, libraries.
#pragma once

#include "platform/system/SystemInfo.h"

namespace dm::platform {

// The running Linux system as the Windows queries see it: a native 64-bit process, so no WOW64
// and no file-system redirection; the workstation query answers 10.0 as a current system does
// (so TLS is used), while the 8-bit version query has no Windows version to report; language,
// separators and time from the user's locale settings (LC_ALL, LC_MESSAGES / LC_NUMERIC /
// LC_TIME, LANG).
class LinuxSystemInfo : public SystemInfo {
public:
    std::optional<bool> isWow64Process() override;
    std::optional<bool> setFsRedirectionDisabled(bool disable) override;
    std::optional<WorkstationVersion> workstationVersion() override;
    std::optional<OsVersionInfo> versionInfo() override;
    std::uint16_t userDefaultLanguageId() override;
    std::uint32_t tickCount() override;
    void beep(std::uint32_t frequency, std::uint32_t milliseconds) override;
    bool isAdministrator() override;
    std::string decimalSeparator() override;
    std::string timeSeparator() override;
    LocalDateTime localTime() override;
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& name) override;
    bool initializeOle() override;
};

} // namespace dm::platform
