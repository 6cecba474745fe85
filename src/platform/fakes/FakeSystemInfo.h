// System facts for tests: every answer a public field, redirection and beeps recorded.
#pragma once

#include "platform/system/SystemInfo.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace dm::platform {

// System facts for tests: every answer is a public field; the redirection switch and beeps are
// recorded.
class FakeSystemInfo : public SystemInfo {
public:
    std::optional<bool> isWow64Process() override { return wow64; }
    std::optional<bool> setFsRedirectionDisabled(bool disable) override {
        redirectionSwitches.push_back(disable);
        return redirection;
    }
    std::optional<WorkstationVersion> workstationVersion() override { return workstation; }
    std::optional<OsVersionInfo> versionInfo() override { return version; }
    std::uint16_t userDefaultLanguageId() override { return languageId; }
    std::uint32_t tickCount() override { return ticks; }
    void beep(std::uint32_t, std::uint32_t) override { ++beeps; }
    bool isAdministrator() override { return administrator; }
    std::string decimalSeparator() override { return decimal; }
    std::string timeSeparator() override { return time; }
    LocalDateTime localTime() override { return now; }
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& name) override {
        loadedLibraries.push_back(name);
        if (!libraries.count(name))
            return nullptr;
        return std::make_unique<Library>(libraries.at(name));
    }
    bool initializeOle() override { return true; }

    std::optional<bool> wow64 = false;
    std::optional<bool> redirection;
    std::optional<WorkstationVersion> workstation;
    std::optional<OsVersionInfo> version;
    std::uint16_t languageId = 0x0409;
    std::uint32_t ticks = 0;
    bool administrator = false;
    std::string decimal = ".";
    std::string time = ":";
    LocalDateTime now{2026, 12, 7, 14, 16, 10};
    // Libraries that load, with the entry points each one has.
    std::map<std::string, std::set<std::string>> libraries;

    std::vector<bool> redirectionSwitches;
    std::vector<std::string> loadedLibraries;
    int beeps = 0;

private:
    class Library : public LoadedLibrary {
    public:
        explicit Library(std::set<std::string> entries) : entries_(std::move(entries)) {}
        bool hasEntry(const std::string& name) const override { return entries_.count(name) > 0; }

    private:
        std::set<std::string> entries_;
    };
};

} // namespace dm::platform
