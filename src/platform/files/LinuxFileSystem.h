// The file system of the running Linux system, with special folders from the XDG directories.
#pragma once

#include "platform/files/FileSystem.h"

namespace dm::platform {

// The file system of the running Linux system. Special folders follow the XDG base directories:
// roaming application data is $XDG_DATA_HOME (~/.local/share), local application data is
// $XDG_CACHE_HOME (~/.cache); they are made (mode 0700) when missing. The system folder is
// /usr/lib.
class LinuxFileSystem : public FileSystem {
public:
    std::vector<FindEntry> find(const std::string& pattern) override;
    std::optional<FindEntry> attributes(const std::string& path) override;
    std::optional<EntryStatus> status(const std::string& path) override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    bool createDirectory(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool driveExists(const std::string& root) override;
    std::optional<std::string> readFile(const std::string& path) override;
    Result<std::unique_ptr<ByteSource>> openBytes(const std::string& path) override;
    Result<std::unique_ptr<RandomAccessFile>>
    openRandomAccess(const std::string& path, RandomAccessFile::Mode mode) override;
    Status writeFile(const std::string& path, const std::string& bytes) override;
    Result<std::unique_ptr<Folder>> openFolder(const std::string& path) override;
    std::string specialFolder(SpecialFolder folder) override;
    std::string currentFolder() override;
};

} // namespace dm::platform
