// Folder walks that list files and subfolders, by extension or by name, with redirection off.
#include "framework/FolderWalks.h"

#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"

#include <functional>

namespace dm {

using platform::FindEntry;
using platform::kFileAttributeDirectory;
using platform::kFileAttributeReparsePoint;

namespace {

std::string extensionOf(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool isFolder(const FindEntry& entry) {
    return entry.attributes & kFileAttributeDirectory;
}

// Redirection switched off for the lifetime of the object.
class RedirectionOff {
public:
    explicit RedirectionOff(platform::SystemInfo& system) : system_(system) {
        SetWow64FsRedirection(system_, true);
    }
    ~RedirectionOff() { SetWow64FsRedirection(system_, false); }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

private:
    platform::SystemInfo& system_;
};

using EntryTest = std::function<bool(const FindEntry&)>;

// Lists Folder; files that pass the test are added; folders (not links to folders) are walked at
// once when recursive.
void walk(platform::FileSystem& files, const std::string& folder, bool recursive,
          const EntryTest& test, std::vector<std::string>& list) {
    const std::string prefix = platform::withTrailingDelimiter(folder);
    for (const FindEntry& entry : files.find(prefix + "*")) {
        if (recursive && isFolder(entry)) {
            if (!(entry.attributes & kFileAttributeReparsePoint))
                walk(files, prefix + entry.name, true, test, list);
            continue;
        }
        if (test(entry))
            list.push_back(prefix + entry.name);
    }
}

} // namespace

void FindFilesByExt(platform::FileSystem& files, platform::SystemInfo& system,
                    const std::string& folder, const std::string& ext,
                    std::vector<std::string>& list) {
    RedirectionOff off(system);
    walk(
        files, folder, true,
        [&](const FindEntry& e) { return !isFolder(e) && SameText(extensionOf(e.name), ext); },
        list);
}

void ListFiles(platform::FileSystem& files, platform::SystemInfo& system, const std::string& folder,
               std::vector<std::string>& list) {
    RedirectionOff off(system);
    walk(
        files, folder, false, [](const FindEntry& e) { return !isFolder(e); }, list);
}

void ListSubFolders(platform::FileSystem& files, platform::SystemInfo& system,
                    const std::string& folder, std::vector<std::string>& list) {
    RedirectionOff off(system);
    walk(files, folder, false, isFolder, list);
}

void FindFileByName(platform::FileSystem& files, platform::SystemInfo& system,
                    const std::string& folder, const std::string& name,
                    std::vector<std::string>& list) {
    RedirectionOff off(system);
    walk(
        files, folder, false,
        [&](const FindEntry& e) { return !isFolder(e) && SameText(e.name, name); }, list);
}

void FindFileByNameRecursive(platform::FileSystem& files, platform::SystemInfo& system,
                             const std::string& folder, const std::string& name,
                             std::vector<std::string>& list) {
    RedirectionOff off(system);
    walk(
        files, folder, true,
        [&](const FindEntry& e) { return !isFolder(e) && SameText(e.name, name); }, list);
}

} // namespace dm
