// "%NAME%" in a text replaced by the environment variable NAME.
#include "platform/system/EnvironmentText.h"

#include <cstdlib>

namespace dm::platform {

std::string expandEnvironmentText(const std::string& text) {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto open = text.find('%', at);
        const auto close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result += text.substr(at);
            break;
        }
        const std::string name = text.substr(open + 1, close - open - 1);
        result += text.substr(at, open - at);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            result += value;
            at = close + 1;
        } else {
            result += '%';
            at = open + 1;
        }
    }
    return result;
}

} // namespace dm::platform
