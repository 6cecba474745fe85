#pragma once

#include <string_view>
#include <vector>

namespace dm::platform {

// The lines of a text ended LF or CR LF. Every CR before a line's end is dropped too, as programs
// that treat a lone CR as a line break see it. A last line without its LF counts; a text that
// ends with LF has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace dm::platform
