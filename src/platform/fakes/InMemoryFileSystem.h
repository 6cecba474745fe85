// A file system held in memory, for tests and fuzz targets whose files are only bytes.
#pragma once

#include "platform/files/FileSystem.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace dm::platform {

// A file system held in memory, for tests and fuzz targets whose files are only bytes: folders,
// files, the read-only bit, device ids, the special and current folders, and failures on demand. It
// starts with an empty "/tmp", the temporary folder; the other special folders are empty texts
// until set. Paths are as on Linux ("/" between names, "." and ".." understood, relative to the
// current folder, "/" at first); names are case-sensitive. There are no symbolic links. A read-only
// folder takes no new entries and loses none. Not for use from several threads.
class InMemoryFileSystem final : public FileSystem {
public:
    InMemoryFileSystem();
    ~InMemoryFileSystem() override;
    InMemoryFileSystem(const InMemoryFileSystem&) = delete;
    InMemoryFileSystem& operator=(const InMemoryFileSystem&) = delete;

    // Puts a file holding bytes at path, replacing a file there, with the missing folders above
    // it. Throws std::invalid_argument when a folder is in the way.
    void addFile(const std::string& path, std::string bytes);
    // The same with bytes that other files may share: a write to one of them copies them first.
    void addFile(const std::string& path, std::shared_ptr<std::string> bytes);
    // Puts a folder at path, with the missing folders above it. Throws std::invalid_argument when
    // a file is in the way.
    void addFolder(const std::string& path);
    // Makes every open of path (for reading or writing) fail with reason.
    void failOpening(const std::string& path, std::string reason);
    // Makes every write of the file at path fail with reason (its opens for reading still work).
    void failWriting(const std::string& path, std::string reason);
    // Puts the folder at path, and all below it, on another device, as a file system mounted
    // there (entries are on device 1 otherwise, and new ones on their folder's).
    void mountAt(const std::string& path, std::uint64_t device);
    void setSpecialFolder(SpecialFolder folder, std::string path);
    // Relative paths are taken from here.
    void setCurrentFolder(const std::string& path);

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

    struct Node;

private:
    class HeldFolder;

    // The absolute path of path, "." and ".." worked out.
    std::string absolute(const std::string& path) const;
    std::shared_ptr<Node> lookUp(const std::string& path) const;
    // The entry at full, an absolute path with nothing to work out.
    std::shared_ptr<Node> walk(std::string_view full) const;
    // The folder at full (an absolute path), made with the missing folders above it. Throws
    // std::invalid_argument when a file is in the way.
    Node& folderMadeAt(const std::string& full);
    // The folder that would hold path, and the entry's name in it; a null folder when it is not
    // there or path names the root.
    std::pair<std::shared_ptr<Node>, std::string> parentOf(const std::string& path) const;
    const std::string* openFailure(const std::string& path) const;
    const std::string* writeFailure(const std::string& path) const;
    // Replaces or makes the file name in folder (held as folderPath) with bytes.
    Status writeInto(Node& folder, const std::string& folderPath, const std::string& name,
                     const std::string& bytes);

    std::shared_ptr<Node> root_;
    std::string current_ = "/";
    std::map<SpecialFolder, std::string> special_;
    std::map<std::string, std::string> failedOpens_;
    std::map<std::string, std::string> failedWrites_;
};

} // namespace dm::platform
