// The separator that follows the hours in a strftime time format.
#pragma once

#include <string>

namespace dm::platform {

// The separator that follows the hours in a strftime time format ("%H:%M:%S" gives ":"); ":"
// when the format names none or puts anything but one punctuation mark there.
std::string timeSeparatorOfFormat(const std::string& format);

} // namespace dm::platform
