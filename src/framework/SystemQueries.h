// Queries of the system: 32-bit on 64-bit, redirection, version names and build texts.
#pragma once

#include "platform/registry/Registry.h"
#include "platform/system/SystemInfo.h"

#include <functional>
#include <string>

namespace dm {

// The HKEY_LOCAL_MACHINE key of the system's version facts; the version queries open it for
// writing, so it is made when missing.
inline constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// A 32-bit process on a 64-bit system; False when the system has no such query.
bool IsWow64(platform::SystemInfo& system);
// The workstation query fails or reports a version before 6 (Vista).
bool IsPreVistaOS(platform::SystemInfo& system);
// Switches the thread's file-system redirection off (True) or on (False). Not counted: one
// switch on undoes any number of switches off. False only when the switch threw.
bool SetWow64FsRedirection(platform::SystemInfo& system, bool disable);
// "CurrentBuildNumber" of HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion"; empty when absent.
std::string GetCurrentBuildNumber(platform::Registry& registry);
// "Unknown", "major.minor" with a name suffix, or "10.0.<build> (Windows10)" /
// "11.0.<build> (Windows11)".
std::string GetNTVersionName(platform::SystemInfo& system, int build);
std::string GetWindowsVersionText(platform::SystemInfo& system, platform::Registry& registry);
// Empty unless the registry names the system ReactOS. `fileVersionText` gives a file's version
// text (GetFileVersionText).
std::string
GetReactOSBuildText(platform::Registry& registry,
                    const std::function<std::string(const std::string&)>& fileVersionText);

} // namespace dm
