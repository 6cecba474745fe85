// Facts of an executable: a valid version text, its PE header, its Sysnative path.
#pragma once

#include "update/identify/IdentifyContext.h"

#include <optional>
#include <string>

namespace dm::platform {
class ByteSource;
}

namespace dm::update {

// Not empty, and valid as a four-part version (its parts sum to more than 0).
bool IsValidVersionText(const std::string& text);

// What the PE header of an executable tells.
struct PEHeader {
    bool Is64 = false; // the optional header is the 64-bit one
};

// The PE header facts of an image; nullopt when it is no PE image (no "MZ", no "PE\0\0" where the
// DOS header points). Never reads outside the bytes.
std::optional<PEHeader> ReadPEHeader(const platform::ByteSource& file);
// The same for a file, opened by its Sysnative form; nullopt also when it cannot be read.
std::optional<PEHeader> ReadPEHeader(IdentifyContext& context, const std::string& fileName);

// Under WOW64, a path inside the system folder (tested with case) gets its first "<d>system32<d>"
// (found ignoring case) replaced by "<d>sysnative<d>", d being the path delimiter.
std::string MapToSysnative(const std::string& fileName, const std::string& systemFolder, bool wow64,
                           char delimiter);
// The same with the system's folder, WOW64 fact and delimiter.
std::string MapToSysnative(IdentifyContext& context, const std::string& fileName);

} // namespace dm::update
