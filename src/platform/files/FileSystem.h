// The file system: finds, attributes, folders held open, reads and writes, special folders.
#pragma once

#include "platform/Result.h"
#include "platform/files/ByteSource.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/RandomAccessFile.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dm::platform {

class Folder;

// One entry of a folder as a find returns it.
struct FindEntry {
    std::string name; // the name alone, without its folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    // Which mounted file system holds the entry (a link's own, not its target's): the same for
    // all entries of one; a folder mounted inside another (a bind or FUSE mount, even of a
    // folder on the same disk) has another.
    std::uint64_t device = 0;
};

// What a path names once symbolic links are followed (stat).
struct EntryStatus {
    enum class Type { File, Folder, Other } type = Type::Other; // Other: a device, a pipe...
    std::uint64_t size = 0;                                     // of a file; 0 for the rest
};

enum class SpecialFolder {
    RoamingAppData, // CSIDL_APPDATA
    LocalAppData,   // CSIDL_LOCAL_APPDATA
    Windows,        // the operating system's own folder (GetWindowsDirectory)
    System,         // CSIDL_SYSTEM: the folder of the system's libraries
    Temporary,      // GetTempPath: the folder for scratch files
};

// The file system, with paths as 8-bit texts and "/" as the path delimiter. Failures are results
// (see docs/DESIGN-ERRORS.md): what is only absent is an empty list or nullopt; the calls named
// after a Windows function that returns BOOL keep that bool; opening and writing say why they
// failed.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // FindFirstFile/FindNextFile: the entries of the pattern's folder whose names match its last
    // part ("*" any run of characters, "?" one character, ASCII case ignored; a trailing ".*"
    // also matches names without a dot). A last part without wildcards finds that entry alone.
    // A pattern ending in "/" finds nothing; "." and ".." are never returned.
    virtual std::vector<FindEntry> find(const std::string& pattern) = 0;
    // GetFileAttributesEx: the attributes and size of one entry.
    virtual std::optional<FindEntry> attributes(const std::string& path) = 0;
    // What path names, symbolic links followed; nullopt when nothing (a link to nothing included).
    virtual std::optional<EntryStatus> status(const std::string& path) = 0;
    // Whether path names an existing entry that is not a folder (its attributes, not a find: a
    // name with wildcards is taken as it is).
    bool fileExists(const std::string& path) { return fileAttributes(path).has_value(); }
    // The attributes of what fileExists finds; nullopt when it finds nothing.
    std::optional<FindEntry> fileAttributes(const std::string& path);
    // SetFileAttributes: only the read-only bit has an effect (a symbolic link is left alone).
    virtual bool setAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // CreateDirectory: one level; an existing entry is a failure.
    virtual bool createDirectory(const std::string& path) = 0;
    // The folder and the missing folders above it (ForceDirectories); true when it is there.
    bool createDirectories(const std::string& path);
    // RemoveDirectory: only an empty folder.
    virtual bool removeDirectory(const std::string& path) = 0;
    // DeleteFile: a file or a symbolic link, never a folder.
    virtual bool deleteFile(const std::string& path) = 0;
    // Deletes the file, the symbolic link or the empty folder at path.
    bool removeEntry(const std::string& path);
    // Whether a drive root ("X:\" or "/") exists (GetDriveType is not "unknown").
    virtual bool driveExists(const std::string& root) = 0;
    // The whole file, or nullopt when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // The bytes of a regular file, read in place; or why it cannot be opened.
    virtual Result<std::unique_ptr<ByteSource>> openBytes(const std::string& path) = 0;
    // A regular file opened for reads and writes at any offset (mode says how); or why it cannot
    // be opened so.
    virtual Result<std::unique_ptr<RandomAccessFile>>
    openRandomAccess(const std::string& path, RandomAccessFile::Mode mode) = 0;
    // Replaces the file with bytes, whole or not at all.
    virtual Status writeFile(const std::string& path, const std::string& bytes) = 0;
    // The folder held open (see Folder); or a failure when it is missing, not a folder, or a
    // symbolic link: a folder that has become a link is refused, never followed.
    virtual Result<std::unique_ptr<Folder>> openFolder(const std::string& path) = 0;
    // Replaces the file with bytes, whole or not at all, through its folder held open (openFolder):
    // for the files of a folder that was checked once, such as the data folder, so that a link
    // swapped in for the folder since cannot lead the write elsewhere.
    Status writeFileInFolder(const std::string& path, const std::string& bytes);
    // The folder, without a trailing delimiter; empty when the system has none.
    virtual std::string specialFolder(SpecialFolder folder) = 0;
    // The current (working) folder, without a trailing delimiter; empty when it cannot be told.
    virtual std::string currentFolder() = 0;
};

} // namespace dm::platform
