// Rule and registry paths turned to the platform's delimiter.
#include "update/identify/rules/RulePath.h"

#include "platform/files/PathText.h"

namespace dm::update {

std::string rulePath(std::string_view text) {
    std::string path(text);
    for (char& c : path)
        if (c == '\\')
            c = platform::kPathDelimiter;
    return path;
}

std::string registryPath(std::string_view path) {
    std::string result(path);
    for (char& c : result)
        if (c == '\\' || c == '/')
            c = platform::kPathDelimiter;
    return result;
}

} // namespace dm::update
