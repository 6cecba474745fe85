#include "platform/files/PathText.h"

namespace dm::platform {

std::string WithTrailingDelimiter(std::string path) {
    if (!path.ends_with('/'))
        path += '/';
    return path;
}

std::string WithoutTrailingDelimiter(std::string path) {
    while (path.size() > 1 && path.ends_with('/'))
        path.pop_back();
    return path;
}

std::string FolderOfPath(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace dm::platform
