// A file's version as text, read from its version resource.
#pragma once

#include "platform/version/VersionBlock.h"

#include <optional>
#include <string>

namespace dm::platform {
class VersionResources;
}

namespace dm {

// The file version of the fixed part of fileName's version resource as four numbers joined by
// "." ("1.23.0.47"); "File not found" when there is no such file; empty when it carries no
// readable version resource.
std::string GetFileVersionText(platform::VersionResources& versions, const std::string& fileName);
// The same text from a resource already read from an existing file.
std::string fileVersionTextOf(const std::optional<platform::VersionBlock>& block);

} // namespace dm
