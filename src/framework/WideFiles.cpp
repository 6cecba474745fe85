#include "framework/WideFiles.h"

#include "framework/SystemQueries.h"
#include "platform/system/SystemInfo.h"

namespace dm {

using platform::FileAttributeDirectory;

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

bool ProbeWideApi(platform::FileSystem& Files) {
    const std::string windows = Files.specialFolder(platform::SpecialFolder::Windows);
    return !windows.empty() && !Files.find(windows + "/*.*").empty();
}

std::optional<platform::FindEntry> WideFindFirstFile(platform::FileSystem& Files,
                                                     const std::string& Name) {
    auto entries = Files.find(Name);
    if (entries.empty())
        return std::nullopt;
    return entries.front();
}

bool WideFileExists(platform::FileSystem& Files, const std::string& Name) {
    const auto entry = WideFindFirstFile(Files, Name);
    return entry && !(entry->attributes & FileAttributeDirectory);
}

bool WideDirectoryExists(platform::FileSystem& Files, const std::string& Name) {
    if (isBareDrive(Name))
        return Files.driveExists(driveRoot(Name));
    const auto entry = WideFindFirstFile(Files, Name);
    return entry && (entry->attributes & FileAttributeDirectory);
}

bool WideCreateDirectory(platform::FileSystem& Files, const std::string& Name) {
    return Files.createDirectory(Name);
}

bool FileExistsNonEmpty(const platform::Platform& P, const std::string& FileName) {
    SetWow64FsRedirection(*P.system, true);
    const bool result =
        WideFileExists(*P.fileSystem, FileName) && GetFileSize64(*P.fileSystem, FileName) > 0;
    SetWow64FsRedirection(*P.system, false);
    return result;
}

std::int64_t GetFileSize64(platform::FileSystem& Files, const std::string& FileName) {
    if (const auto entry = Files.attributes(FileName))
        return static_cast<std::int64_t>(entry->size);
    return GetFileSizeByFind(Files, FileName);
}

std::int64_t GetFileSizeByFind(platform::FileSystem& Files, const std::string& FileName) {
    const auto entry = WideFindFirstFile(Files, FileName);
    return entry ? static_cast<std::int64_t>(entry->size) : 0;
}

} // namespace dm
