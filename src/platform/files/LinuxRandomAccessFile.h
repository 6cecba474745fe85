// Opens a regular file for reading and writing at any offset, on Linux.
#pragma once

#include "platform/files/RandomAccessFile.h"

#include <memory>
#include <string>

namespace dm::platform {

// The regular file at path opened in mode; null when it cannot be opened so.
std::unique_ptr<RandomAccessFile> openLinuxRandomAccessFile(const std::string& path,
                                                            RandomAccessFile::Mode mode);

} // namespace dm::platform
