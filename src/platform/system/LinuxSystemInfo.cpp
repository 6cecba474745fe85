// The running Linux system's facts: locale settings, time, ticks, beep and library loading.
#include "platform/system/LinuxSystemInfo.h"

#include "platform/system/LocaleLanguageId.h"
#include "platform/system/TimeSeparator.h"

#include <dlfcn.h>
#include <langinfo.h>
#include <locale.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace dm::platform {

namespace {

// The first locale setting that is set, in the order the C library consults them.
std::string localeSetting(const char* category) {
    for (const char* name : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

// One item of the user's locale for a category; fallback when the locale is unknown here.
std::string localeItem(int categoryMask, nl_item item, const std::string& fallback) {
    locale_t locale = ::newlocale(categoryMask, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return fallback;
    const char* value = ::nl_langinfo_l(item, locale);
    std::string result = (value && *value) ? value : fallback;
    ::freelocale(locale);
    return result;
}

class DynamicLibrary : public LoadedLibrary {
public:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    ~DynamicLibrary() override { ::dlclose(handle_); }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    bool hasEntry(const std::string& name) const override {
        return ::dlsym(handle_, name.c_str()) != nullptr;
    }

private:
    void* handle_;
};

} // namespace

std::optional<bool> LinuxSystemInfo::isWow64Process() {
    return false;
}

std::optional<bool> LinuxSystemInfo::setFsRedirectionDisabled(bool) {
    return std::nullopt;
}

std::optional<WorkstationVersion> LinuxSystemInfo::workstationVersion() {
    // What Windows compatibility layers on Linux report by default.
    return WorkstationVersion{10, 0};
}

std::optional<OsVersionInfo> LinuxSystemInfo::versionInfo() {
    return std::nullopt;
}

std::uint16_t LinuxSystemInfo::userDefaultLanguageId() {
    return languageIdFromLocale(localeSetting("LC_MESSAGES"));
}

std::uint32_t LinuxSystemInfo::tickCount() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

void LinuxSystemInfo::beep(std::uint32_t, std::uint32_t) {
    // No speaker to program here: ring the terminal's bell when there is one.
    if (::isatty(STDERR_FILENO) == 1)
        (void)!::write(STDERR_FILENO, "\a", 1);
}

bool LinuxSystemInfo::isAdministrator() {
    return ::geteuid() == 0;
}

std::string LinuxSystemInfo::decimalSeparator() {
    return localeItem(LC_NUMERIC_MASK, RADIXCHAR, ".");
}

std::string LinuxSystemInfo::timeSeparator() {
    return timeSeparatorOfFormat(localeItem(LC_TIME_MASK, T_FMT, "%H:%M:%S"));
}

LocalDateTime LinuxSystemInfo::localTime() {
    const time_t now = ::time(nullptr);
    tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::unique_ptr<LoadedLibrary> LinuxSystemInfo::loadLibrary(const std::string& name) {
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    return std::make_unique<DynamicLibrary>(handle);
}

bool LinuxSystemInfo::initializeOle() {
    return true;
}

} // namespace dm::platform
