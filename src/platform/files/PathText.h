// Paths as text with "/" as the delimiter: trailing delimiters and folder parts.
#pragma once

#include <string>

namespace dm::platform {

// Paths as text, with "/" as the delimiter.
inline constexpr char kPathDelimiter = '/';

// The path with one "/" at its end ("" gives "/").
std::string withTrailingDelimiter(std::string path);
// The path without the "/"s at its end; the root "/" stays as it is.
std::string withoutTrailingDelimiter(std::string path);
// The folder part of a path, up to and with its last "/"; empty when the path has no "/".
std::string folderOfPath(const std::string& path);

} // namespace dm::platform
