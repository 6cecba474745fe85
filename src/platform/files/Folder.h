// A folder held open, so that a link swapped in cannot lead its entries' changes elsewhere.
#pragma once

#include "platform/files/FileSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace dm::platform {

// A folder held open: every entry is named relative to it, so that once the folder was opened
// without following a link, nothing done here can be led elsewhere by a link swapped in for the
// folder or for one of its subfolders afterwards. Names are single entries, never paths.
class Folder {
public:
    virtual ~Folder() = default;

    // The entries ("." and ".." left out) as find describes them: a symbolic link carries
    // ReparsePoint and is never entered.
    virtual std::vector<FindEntry> list() = 0;
    // The subfolder held open; a failure when it is missing, not a folder, or a symbolic link.
    virtual Result<std::unique_ptr<Folder>> openFolder(const std::string& name) = 0;
    // Deletes a file or a symbolic link itself (never what the link names); never a folder.
    virtual bool deleteFile(const std::string& name) = 0;
    // Removes an empty subfolder.
    virtual bool removeFolder(const std::string& name) = 0;
    // Replaces the file with bytes, whole or not at all. A symbolic link in its place is replaced,
    // not followed; as writeFile, a read-only file or a folder is not replaced.
    virtual Status writeFile(const std::string& name, const std::string& bytes) = 0;
};

} // namespace dm::platform
