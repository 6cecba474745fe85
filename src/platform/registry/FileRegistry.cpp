#include "platform/registry/FileRegistry.h"

#include "platform/files/AtomicFile.h"
#include "platform/registry/HiveFormat.h"

#include <cstdlib>
#include <filesystem>

namespace dm::platform {

namespace {

class FileHiveStore : public HiveStore {
public:
    explicit FileHiveStore(std::string folder) : folder_(std::move(folder)) {}

    Result<const Hive*> read(RegistryRoot root) override {
        Cache& cache = cache_[Index(root)];
        const std::string path = pathOf(root);
        const std::optional<FileIdentity> now = identifyFile(path);
        if (cache.hive && now == cache.identity)
            return &*cache.hive;
        cache.hive.reset();
        auto loaded = load(root);
        if (!loaded)
            return Failure{loaded.error()};
        cache.hive = std::move(loaded->first);
        cache.identity = loaded->second;
        return &*cache.hive;
    }

    Status modify(RegistryRoot root, const std::function<bool(Hive&)>& change) override {
        std::error_code failed;
        std::filesystem::create_directories(folder_, failed);
        if (failed)
            return Failure{"cannot make the registry folder " + folder_ + ": " + failed.message()};
        const std::string path = pathOf(root);
        auto lock = FileLock::acquire(path + ".lock");
        if (!lock)
            return Failure{lock.error()};
        removeStaleTemporaries(path);
        // Another process may have changed the hive: start from what is on disk now.
        Cache& cache = cache_[Index(root)];
        cache.hive.reset();
        auto loaded = load(root);
        if (!loaded)
            return Failure{loaded.error()};
        Hive& hive = loaded->first;
        if (!change(hive))
            return Failure{"the change was refused"};
        const Result<FileIdentity> written = writeFileAtomically(path, serializeHive(hive));
        if (!written)
            return Failure{written.error()};
        cache.hive = std::move(hive);
        cache.identity = *written;
        return {};
    }

private:
    struct Cache {
        std::optional<Hive> hive;
        std::optional<FileIdentity> identity; // nullopt: the file was missing
    };

    static int Index(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? 0 : 1; }

    std::string pathOf(RegistryRoot root) const {
        return (std::filesystem::path(folder_) /
                (root == RegistryRoot::CurrentUser ? "user.reg" : "system.reg"))
            .string();
    }

    // The hive on disk with the identity of what was read; an empty hive when the file is missing.
    Result<std::pair<Hive, std::optional<FileIdentity>>> load(RegistryRoot root) {
        const std::string path = pathOf(root);
        FileContents file = readWholeFile(path);
        if (file.status == FileContents::Status::Missing) {
            Hive hive;
            hive.header = {root == RegistryRoot::CurrentUser
                               ? ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000"
                               : ";; All keys relative to \\\\Machine",
                           "#arch=win64"};
            return std::pair<Hive, std::optional<FileIdentity>>{std::move(hive), std::nullopt};
        }
        if (file.status == FileContents::Status::Failed)
            return Failure{"registry hive " + file.error};
        auto hive = parseHive(file.bytes);
        if (!hive)
            return Failure{"registry hive " + path +
                           " is damaged and is left as it is: " + hive.error()};
        return std::pair{std::move(*hive), std::optional<FileIdentity>(file.identity)};
    }

    std::string folder_;
    Cache cache_[2];
};

} // namespace

FileRegistry::FileRegistry(std::string folder)
    : HiveRegistry(std::make_unique<FileHiveStore>(std::move(folder))) {}

std::string FileRegistry::defaultFolder() {
    if (const char* folder = std::getenv("DIMMETRIC_REGISTRY_DIR"); folder && *folder)
        return folder;
    std::filesystem::path config;
    // A relative XDG_CONFIG_HOME is not valid and is ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::filesystem::path(home) / ".config";
    else
        config = ".config";
    return (config / "dimmetric" / "registry").string();
}

} // namespace dm::platform
