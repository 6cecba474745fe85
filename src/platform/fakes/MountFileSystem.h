// The real file system with one folder made to lie on another device, as a mount would.
#pragma once

#include "platform/fakes/FolderFileSystem.h"
#include "platform/files/Folder.h"
#include "platform/files/PathText.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace dm::platform {

// The real file system (special folders as FolderFileSystem) on which one folder, and all below
// it, lies on another device, as a folder mounted there would: what a test cannot mount. Entries
// are described as they are, but for their device.
class MountFileSystem : public FolderFileSystem {
public:
    std::optional<FindEntry> attributes(const std::string& path) override {
        auto entry = FolderFileSystem::attributes(path);
        if (entry)
            entry->device = deviceOf(path, entry->device);
        return entry;
    }

    Result<std::unique_ptr<Folder>> openFolder(const std::string& path) override {
        auto folder = FolderFileSystem::openFolder(path);
        if (!folder)
            return folder;
        return std::make_unique<MountedFolder>(*this, std::unique_ptr<Folder>(std::move(folder)),
                                               withoutTrailingDelimiter(path));
    }

    std::string mounted; // the mounted folder's path, without a trailing "/"

private:
    std::uint64_t deviceOf(const std::string& path, std::uint64_t device) const {
        const std::string plain = withoutTrailingDelimiter(path);
        const bool below =
            !mounted.empty() && (plain == mounted || plain.rfind(mounted + "/", 0) == 0);
        return below ? device + 1 : device;
    }

    // A folder held open whose entries' devices are told by the file system's mount.
    class MountedFolder : public Folder {
    public:
        MountedFolder(const MountFileSystem& files, std::unique_ptr<Folder> held, std::string path)
            : files_(files), held_(std::move(held)), path_(std::move(path)) {}
        std::vector<FindEntry> list() override {
            auto entries = held_->list();
            for (auto& entry : entries)
                entry.device = files_.deviceOf(path_ + "/" + entry.name, entry.device);
            return entries;
        }
        Result<std::unique_ptr<Folder>> openFolder(const std::string& name) override {
            auto folder = held_->openFolder(name);
            if (!folder)
                return folder;
            return std::make_unique<MountedFolder>(
                files_, std::unique_ptr<Folder>(std::move(folder)), path_ + "/" + name);
        }
        bool deleteFile(const std::string& name) override { return held_->deleteFile(name); }
        bool removeFolder(const std::string& name) override { return held_->removeFolder(name); }
        Status writeFile(const std::string& name, const std::string& bytes) override {
            return held_->writeFile(name, bytes);
        }

    private:
        const MountFileSystem& files_;
        std::unique_ptr<Folder> held_;
        std::string path_;
    };
};

} // namespace dm::platform
