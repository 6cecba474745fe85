// The id of the mount that holds an entry, to tell a bind mount from its folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dm::platform {

// The id of the mount that holds the entry at path (relative to the folder open as dirFd, or to
// the working folder for AT_FDCWD), a link not followed; nullopt when the kernel does not tell
// it. A folder bind-mounted from the same disk has the same device number as the folder it is
// mounted in, but a mount of its own.
std::optional<std::uint64_t> mountIdAt(int dirFd, const std::string& path);

} // namespace dm::platform
