// File calls that take names as the file system spells them: finds, existence, sizes, folders.
#include "framework/WideFiles.h"

#include "framework/SystemQueries.h"
#include "platform/system/SystemInfo.h"

namespace dm {

using platform::kFileAttributeDirectory;

namespace {

bool isBareDrive(const std::string& name) {
    if (name == "/")
        return true;
    return (name.size() == 2 && name[1] == ':') ||
           (name.size() == 3 && name[1] == ':' && name[2] == '\\');
}

std::string driveRoot(const std::string& name) {
    return name == "/" ? name : name.substr(0, 1) + ":\\";
}

} // namespace

bool probeWideApi(platform::FileSystem& files) {
    const std::string windows = files.specialFolder(platform::SpecialFolder::Windows);
    return !windows.empty() && !files.find(windows + "/*.*").empty();
}

std::optional<platform::FindEntry> WideFindFirstFile(platform::FileSystem& files,
                                                     const std::string& name) {
    auto entries = files.find(name);
    if (entries.empty())
        return std::nullopt;
    return entries.front();
}

bool WideFileExists(platform::FileSystem& files, const std::string& name) {
    const auto entry = WideFindFirstFile(files, name);
    return entry && !(entry->attributes & kFileAttributeDirectory);
}

bool WideDirectoryExists(platform::FileSystem& files, const std::string& name) {
    if (isBareDrive(name))
        return files.driveExists(driveRoot(name));
    const auto entry = WideFindFirstFile(files, name);
    return entry && (entry->attributes & kFileAttributeDirectory);
}

bool WideCreateDirectory(platform::FileSystem& files, const std::string& name) {
    return files.createDirectory(name);
}

bool FileExistsNonEmpty(platform::FileSystem& files, platform::SystemInfo& system,
                        const std::string& fileName) {
    SetWow64FsRedirection(system, true);
    const bool result = WideFileExists(files, fileName) && GetFileSize64(files, fileName) > 0;
    SetWow64FsRedirection(system, false);
    return result;
}

std::int64_t GetFileSize64(platform::FileSystem& files, const std::string& fileName) {
    if (const auto entry = files.attributes(fileName))
        return static_cast<std::int64_t>(entry->size);
    return GetFileSizeByFind(files, fileName);
}

std::int64_t GetFileSizeByFind(platform::FileSystem& files, const std::string& fileName) {
    const auto entry = WideFindFirstFile(files, fileName);
    return entry ? static_cast<std::int64_t>(entry->size) : 0;
}

} // namespace dm
