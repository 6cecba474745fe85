// The lines of a text, split at its line breaks, and lines joined with CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// The lines of a text ended LF or CR LF. Every CR before a line's end is dropped too, as programs
// that treat a lone CR as a line break see it. A last line without its LF counts; a text that
// ends with LF has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text);

// The lines of a text broken at CR LF, a lone CR or LF, as the lines of a string list loaded from
// a file; a final line break adds no empty line.
std::vector<std::string> textToLines(std::string_view text);

// The lines as one text, each ended CR LF, as Windows text files and the components' multi-line
// texts have them. lines is any container of std::string or QString.
template <typename Lines> auto joinCrLf(const Lines& lines) {
    typename Lines::value_type text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace dm::platform
