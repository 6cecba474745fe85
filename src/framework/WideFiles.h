// File calls that take names as the file system spells them: finds, existence, sizes, folders.
#pragma once

namespace dm::platform {
class SystemInfo;
} // namespace dm::platform
#include "platform/files/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>

// File calls that take names as the file system spells them. On Linux names are bytes already,
// so the wide and the 8-bit forms of these calls are one and the same call.
namespace dm {

// Whether the file calls can list the operating system's own folder (the start-up probe).
bool probeWideApi(platform::FileSystem& files);

// The first entry a find on name returns; nullopt when none.
std::optional<platform::FindEntry> WideFindFirstFile(platform::FileSystem& files,
                                                     const std::string& name);
// A find on name returns an entry without the directory attribute.
bool WideFileExists(platform::FileSystem& files, const std::string& name);
// A bare drive ("X:", "X:\" or "/") when the system knows that drive; otherwise a find on name
// returns an entry with the directory attribute (so a name ending in a delimiter gives False).
bool WideDirectoryExists(platform::FileSystem& files, const std::string& name);
// Creates one folder level; an existing folder is a failure.
bool WideCreateDirectory(platform::FileSystem& files, const std::string& name);
// With redirection switched off: fileName is a file of more than 0 bytes.
bool FileExistsNonEmpty(platform::FileSystem& files, platform::SystemInfo& system,
                        const std::string& fileName);

// The size from the attribute query, else from a find (GetFileSizeByFind).
std::int64_t GetFileSize64(platform::FileSystem& files, const std::string& fileName);
// The size from the first find entry; 0 when nothing is found.
std::int64_t GetFileSizeByFind(platform::FileSystem& files, const std::string& fileName);

} // namespace dm
