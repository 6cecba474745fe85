// The Linux file system: attributes from stat, finds, folders held open, XDG special folders.
#include "platform/files/LinuxFileSystem.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/FindMask.h"
#include "platform/files/Folder.h"
#include "platform/files/LinuxErrorKind.h"
#include "platform/files/LinuxFileByteSource.h"
#include "platform/files/LinuxMountId.h"
#include "platform/files/LinuxRandomAccessFile.h"
#include "platform/files/PathText.h"
#include "platform/files/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

namespace dm::platform {

namespace {

std::uint32_t attributesOf(const std::string& name, const struct stat& st) {
    std::uint32_t attributes =
        S_ISDIR(st.st_mode) ? kFileAttributeDirectory : kFileAttributeArchive;
    if ((st.st_mode & 0222) == 0)
        attributes |= kFileAttributeReadOnly;
    if (!name.empty() && name[0] == '.')
        attributes |= kFileAttributeHidden;
    return attributes;
}

// Which file system holds the entry: its mount, which tells a folder bind-mounted from the same
// disk apart, and its device number, which tells a subvolume apart (both fit 32 bits in practice).
std::uint64_t fileSystemOf(int dirFd, const std::string& path, const struct stat& st) {
    const std::uint64_t device = st.st_dev;
    return (mountIdAt(dirFd, path).value_or(0) << 32) ^ device;
}

// The entry at path (relative to the folder open as dirFd, or to the working folder for
// AT_FDCWD), described by what a link points to plus the reparse-point bit.
std::optional<FindEntry> describe(int dirFd, const std::string& path, const std::string& name) {
    struct stat st {};
    if (::fstatat(dirFd, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    FindEntry entry{name, 0, 0, fileSystemOf(dirFd, path, st)};
    if (S_ISLNK(st.st_mode)) {
        struct stat target {};
        if (::fstatat(dirFd, path.c_str(), &target, 0) == 0) {
            entry.attributes = attributesOf(name, target) | kFileAttributeReparsePoint;
            entry.size = S_ISREG(target.st_mode) ? static_cast<std::uint64_t>(target.st_size) : 0;
        } else {
            entry.attributes = kFileAttributeArchive | kFileAttributeReparsePoint;
        }
        return entry;
    }
    entry.attributes = attributesOf(name, st);
    entry.size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    return entry;
}

std::string lastPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The folder named relative to the folder open as dirFd (or AT_FDCWD), opened when it is a
// folder and not a symbolic link.
UniqueFd openRealFolder(int dirFd, const std::string& path) {
    return UniqueFd(::openat(dirFd, path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// Why the folder could not be opened by openRealFolder, of the kind errno tells.
Failure cannotOpenFolder(const std::string& path) {
    return {"Cannot open the folder \"" + path + "\" (missing, not a folder, or a link)",
            errorKindOf(errno, true)};
}

Failure readOnlyFile(const std::string& path) {
    return Failure::refused("Cannot replace \"" + path + "\": it is read-only or a folder");
}

// A write's outcome without the identity of the file written.
Status statusOf(const Result<FileIdentity>& written) {
    if (!written)
        return written.failure();
    return {};
}

class LinuxFolder final : public Folder {
public:
    explicit LinuxFolder(UniqueFd fd) : fd_(std::move(fd)) {}

    std::vector<FindEntry> list() override {
        std::vector<FindEntry> entries;
        // The listing reads through a handle of its own; fd_ stays where it is.
        const int listed = ::openat(fd_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (listed < 0)
            return entries;
        std::unique_ptr<DIR, DirCloser> dir(::fdopendir(listed));
        if (!dir) {
            ::close(listed);
            return entries;
        }
        while (const dirent* item = ::readdir(dir.get())) {
            const std::string name = item->d_name;
            if (name == "." || name == "..")
                continue;
            if (auto entry = describe(fd_.get(), name, name))
                entries.push_back(*entry);
        }
        return entries;
    }

    Result<std::unique_ptr<Folder>> openFolder(const std::string& name) override {
        if (!isEntryName(name))
            return Failure::refused("Not an entry name: \"" + name + "\"");
        UniqueFd sub = openRealFolder(fd_.get(), name);
        if (sub.get() < 0)
            return cannotOpenFolder(name);
        return std::make_unique<LinuxFolder>(std::move(sub));
    }

    bool deleteFile(const std::string& name) override {
        struct stat st {};
        return isEntryName(name) &&
               ::fstatat(fd_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
               !S_ISDIR(st.st_mode) && ::unlinkat(fd_.get(), name.c_str(), 0) == 0;
    }

    bool removeFolder(const std::string& name) override {
        return isEntryName(name) && ::unlinkat(fd_.get(), name.c_str(), AT_REMOVEDIR) == 0;
    }

    Status writeFile(const std::string& name, const std::string& bytes) override {
        // As on Windows, a read-only file or a folder is not replaced.
        struct stat existing {};
        if (::fstatat(fd_.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(existing.st_mode) && (existing.st_mode & 0222) == 0)
            return readOnlyFile(name);
        return statusOf(writeFileAtomicallyIn(fd_, name, bytes));
    }

private:
    static bool isEntryName(const std::string& name) {
        return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
    }

    UniqueFd fd_;
};

// mkdir -p with mode 0700 for the folders we make.
bool makeFolders(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash)))
        return false;
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string xdgFolder(const char* variable, const char* belowHome) {
    const char* value = std::getenv(variable);
    std::string folder;
    if (value && value[0] == '/') {
        folder = value;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/')
            return {};
        folder = std::string(home) + belowHome;
    }
    folder = withoutTrailingDelimiter(std::move(folder));
    return makeFolders(folder) ? folder : std::string();
}

} // namespace

std::vector<FindEntry> LinuxFileSystem::find(const std::string& pattern) {
    std::vector<FindEntry> entries;
    const auto split = splitFindPattern(pattern);
    if (!split)
        return entries;
    const std::string& mask = split->mask;
    const std::string& folder = split->folder;
    if (split->namesOneEntry()) {
        if (auto entry = describe(AT_FDCWD, pattern, mask))
            entries.push_back(*entry);
        return entries;
    }
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir)
        return entries;
    // Entries are described relative to the open folder: no walk of the whole path for each.
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* item = ::readdir(dir.get())) {
        const std::string name = item->d_name;
        if (name == "." || name == ".." || !matchesFindMask(name, mask))
            continue;
        if (auto entry = describe(dirFd, name, name))
            entries.push_back(*entry);
    }
    return entries;
}

std::optional<FindEntry> LinuxFileSystem::attributes(const std::string& path) {
    const std::string trimmed = withoutTrailingDelimiter(path);
    return describe(AT_FDCWD, trimmed, lastPart(trimmed));
}

std::optional<EntryStatus> LinuxFileSystem::status(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    if (S_ISREG(st.st_mode))
        return EntryStatus{EntryStatus::Type::File, static_cast<std::uint64_t>(st.st_size)};
    return EntryStatus{S_ISDIR(st.st_mode) ? EntryStatus::Type::Folder : EntryStatus::Type::Other,
                       0};
}

bool LinuxFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    if (S_ISLNK(st.st_mode))
        return true;
    const mode_t mode = (attributes & kFileAttributeReadOnly) ? (st.st_mode & ~mode_t(0222))
                                                              : (st.st_mode | S_IWUSR);
    return ::chmod(path.c_str(), mode & 07777) == 0;
}

bool LinuxFileSystem::createDirectory(const std::string& path) {
    return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

bool LinuxFileSystem::removeDirectory(const std::string& path) {
    return !path.empty() && ::rmdir(path.c_str()) == 0;
}

bool LinuxFileSystem::deleteFile(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return ::unlink(path.c_str()) == 0;
}

bool LinuxFileSystem::driveExists(const std::string& root) {
    return root == "/";
}

std::optional<std::string> LinuxFileSystem::readFile(const std::string& path) {
    auto contents = readWholeFile(path);
    if (!contents)
        return std::nullopt;
    return std::move(contents->bytes);
}

Status LinuxFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    // As on Windows, a read-only file or a folder is not replaced.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 &&
        (S_ISDIR(existing.st_mode) || (existing.st_mode & 0222) == 0))
        return readOnlyFile(path);
    return statusOf(writeFileAtomically(path, bytes));
}

Result<std::unique_ptr<ByteSource>> LinuxFileSystem::openBytes(const std::string& path) {
    auto source = std::make_unique<LinuxFileByteSource>(path);
    if (!source->isOpen())
        return Failure{"Cannot open the file \"" + path + "\""};
    return source;
}

Result<std::unique_ptr<RandomAccessFile>>
LinuxFileSystem::openRandomAccess(const std::string& path, RandomAccessFile::Mode mode) {
    auto file = openLinuxRandomAccessFile(path, mode);
    if (!file)
        return Failure{"Cannot open the file \"" + path + "\""};
    return file;
}

Result<std::unique_ptr<Folder>> LinuxFileSystem::openFolder(const std::string& path) {
    if (path.empty())
        return Failure::notFound(cannotOpenFolder(path).error);
    UniqueFd fd = openRealFolder(AT_FDCWD, withoutTrailingDelimiter(path));
    if (fd.get() < 0)
        return cannotOpenFolder(path);
    return std::make_unique<LinuxFolder>(std::move(fd));
}

std::string LinuxFileSystem::specialFolder(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::RoamingAppData:
        return xdgFolder("XDG_DATA_HOME", "/.local/share");
    case SpecialFolder::LocalAppData:
        return xdgFolder("XDG_CACHE_HOME", "/.cache");
    case SpecialFolder::Windows:
        return "/usr";
    case SpecialFolder::System:
        return "/usr/lib";
    case SpecialFolder::Temporary:
        // As the C++ library's temp_directory_path: the first of these variables set, else /tmp.
        for (const char* variable : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"})
            if (const char* value = std::getenv(variable); value && value[0] != '\0')
                return withoutTrailingDelimiter(value);
        return "/tmp";
    }
    return {};
}

std::string LinuxFileSystem::currentFolder() {
    std::string folder(PATH_MAX, '\0');
    if (::getcwd(folder.data(), folder.size()) == nullptr)
        return {};
    folder.resize(std::char_traits<char>::length(folder.c_str()));
    return folder;
}

} // namespace dm::platform
