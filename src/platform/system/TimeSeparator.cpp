// The separator after the hours in a strftime time format.
#include "platform/system/TimeSeparator.h"

#include <cctype>

namespace dm::platform {

std::string timeSeparatorOfFormat(const std::string& format) {
    for (std::size_t at = 0; at + 2 < format.size(); ++at) {
        if (format[at] != '%')
            continue;
        const char directive = format[at + 1];
        if (directive == 'T' || directive == 'R')
            return ":";
        if (directive == 'H' || directive == 'I' || directive == 'k' || directive == 'l') {
            const auto end = format.find('%', at + 2);
            const auto separator =
                format.substr(at + 2, end == std::string::npos ? 1 : end - at - 2);
            // Only a single punctuation mark separates the numbers; words such as the hour
            // marks of some Asian formats do not.
            const bool mark =
                separator.size() == 1 && std::ispunct(static_cast<unsigned char>(separator[0]));
            return mark ? separator : ":";
        }
        ++at;
    }
    return ":";
}

} // namespace dm::platform
