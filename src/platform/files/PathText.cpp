// Paths as text: trailing delimiters added or removed, the folder part of a path.
#include "platform/files/PathText.h"

namespace dm::platform {

std::string withTrailingDelimiter(std::string path) {
    if (!path.ends_with('/'))
        path += '/';
    return path;
}

std::string withoutTrailingDelimiter(std::string path) {
    while (path.size() > 1 && path.ends_with('/'))
        path.pop_back();
    return path;
}

std::string folderOfPath(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace dm::platform
