// Sets environment variables for one test and puts the old values back.
#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace dm::test {

// Sets environment variables for one test (nullptr unsets) and puts the old values back.
class EnvironmentGuard {
public:
    EnvironmentGuard() = default;
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;
    ~EnvironmentGuard() {
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

    void set(const char* name, const char* value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace dm::test
