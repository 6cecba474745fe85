// The version resource of an executable, found in a PE image or an ELF file.
#pragma once

#include "platform/files/ByteSource.h"
#include "platform/version/VersionBlock.h"

#include <optional>
#include <string_view>

namespace dm::platform {

// The ELF section in which our own programs carry their version resource.
inline constexpr std::string_view kVersionSectionName = ".rsrc_version";

// The version resource of an executable: in a PE image (32 or 64-bit) the first RT_VERSION
// resource, in an ELF file (32 or 64-bit, either byte order) the section kVersionSectionName.
// Nothing for any other file and for any malformed structure on the way.
std::optional<VersionBlock> findVersionResource(const ByteSource& file);

} // namespace dm::platform
