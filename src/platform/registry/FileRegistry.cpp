// The hive-file registry: reads, atomic writes and locking of user.reg and system.reg.
#include "platform/registry/FileRegistry.h"

#include "platform/files/AtomicFile.h"
#include "platform/registry/HiveFormat.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace dm::platform {

namespace {

class FileHiveStore : public HiveStore {
public:
    FileHiveStore(std::string folder, std::string machineHive, FileRegistry::Parser parse)
        : folder_(std::move(folder)), machineHive_(std::move(machineHive)),
          parse_(std::move(parse)) {}

    Result<const Hive*> read(RegistryRoot root) override {
        Result<const Hive*> own = readOwn(root);
        if (root != RegistryRoot::LocalMachine || machineHive_.empty() || !own)
            return own;
        return withMachineHive(**own);
    }

    Status modify(RegistryRoot root, const std::function<bool(Hive&)>& change) override {
        std::error_code failed;
        noteFoldersToMake();
        std::filesystem::create_directories(folder_, failed);
        if (failed)
            return Failure{"cannot make the registry folder " + folder_ + ": " + failed.message()};
        const std::string path = pathOf(root);
        auto lock = FileLock::acquire(path + ".lock");
        if (!lock)
            return lock.failure();
        removeStaleTemporaries(path);
        // Another process may have changed the hive: start from what is on disk now.
        Cache& cache = cache_[Index(root)];
        cache.hive.reset();
        auto loaded = load(root);
        if (!loaded)
            return loaded.failure();
        Hive& hive = loaded->first;
        // A key that only the machine hive holds is written as one of the user's own.
        if (!change(hive) &&
            !(root == RegistryRoot::LocalMachine && addMachineKeys(hive) && change(hive)))
            return Failure::refused("the change was refused");
        const Result<FileIdentity> written = writeFileAtomically(path, serializeHive(hive));
        if (!written)
            return written.failure();
        cache.hive = std::move(hive);
        cache.identity = *written;
        return {};
    }

    void removeEmptyStorage(const std::vector<RegistryKeyPath>& ownKeys) override {
        std::error_code ignored;
        for (const RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
            const std::string path = pathOf(root);
            const std::string lockPath = path + ".lock";
            if (!std::filesystem::exists(path, ignored) &&
                !std::filesystem::exists(lockPath, ignored))
                continue;
            std::vector<std::vector<std::u16string>> own;
            for (const RegistryKeyPath& key : ownKeys)
                if (key.root == root)
                    own.push_back(splitKeyPath(key.path));
            // Under the lock, so that no other process writes between the test and the removal.
            auto lock = FileLock::acquire(lockPath);
            if (!lock)
                continue;
            removeStaleTemporaries(path);
            cache_[Index(root)].hive.reset();
            auto loaded = load(root);
            std::vector<const std::vector<std::u16string>*> along;
            for (const auto& names : own)
                along.push_back(&names);
            if (!loaded || !holdsOnlyEmptyKeysOn(loaded->first.root, along, 0))
                continue;
            std::filesystem::remove(path, ignored);
            std::filesystem::remove(lockPath, ignored);
        }
        // Innermost first; a folder that holds anything stays.
        std::vector<std::string> folders = madeFolders_;
        folders.push_back(folder_);
        std::sort(folders.begin(), folders.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
        for (const std::string& folder : folders)
            std::filesystem::remove(folder, ignored);
    }

private:
    struct Cache {
        std::optional<Hive> hive;
        std::optional<FileIdentity> identity; // nullopt: the file was missing
    };

    // The user's own hive of root.
    Result<const Hive*> readOwn(RegistryRoot root) {
        Cache& cache = cache_[Index(root)];
        const std::string path = pathOf(root);
        const std::optional<FileIdentity> now = identifyFile(path);
        if (cache.hive && now == cache.identity)
            return &*cache.hive;
        cache.hive.reset();
        auto loaded = load(root);
        if (!loaded)
            return loaded.failure();
        cache.hive = std::move(loaded->first);
        cache.identity = loaded->second;
        return &*cache.hive;
    }

    // The machine hive beneath own, rebuilt when either file changed; own alone when the machine
    // hive is missing or damaged.
    const Hive* withMachineHive(const Hive& own) {
        const std::optional<FileIdentity> machine = identifyFile(machineHive_);
        if (!machine)
            return &own;
        const std::optional<FileIdentity>& user =
            cache_[Index(RegistryRoot::LocalMachine)].identity;
        if (layered_.hive && layered_.machine == machine && layered_.user == user)
            return &*layered_.hive;
        // A damaged machine hive is read again only once it has changed.
        if (machine == damagedMachine_)
            return &own;
        layered_.hive.reset();
        FileIdentity read;
        const std::optional<Hive> parsed = loadMachineHive(read);
        if (!parsed) {
            damagedMachine_ = read;
            return &own;
        }
        Hive merged;
        merged.header = own.header;
        overlayKey(merged.root, parsed->root);
        overlayKey(merged.root, own.root);
        layered_ = {std::move(merged), read, user};
        return &*layered_.hive;
    }

    // The machine hive and the identity of what was read; nothing when missing or damaged.
    std::optional<Hive> loadMachineHive(FileIdentity& identity) const {
        const Result<FileContents> file = readWholeFile(machineHive_);
        if (!file)
            return std::nullopt;
        identity = file->identity;
        Result<Hive> hive = parse_(file->bytes);
        return hive ? std::optional<Hive>(std::move(*hive)) : std::nullopt;
    }

    // The machine hive's keys, without their values, added to hive; false without a machine hive.
    bool addMachineKeys(Hive& hive) const {
        FileIdentity ignored;
        const std::optional<Hive> machine =
            machineHive_.empty() ? std::nullopt : loadMachineHive(ignored);
        if (!machine)
            return false;
        addKeys(hive.root, machine->root);
        return true;
    }

    // Whether key holds no value, and no subkey but the next name of one of paths at depth (the
    // paths that led here), each of them likewise: such keys are what opening those paths for
    // writing leaves once their values are gone.
    static bool holdsOnlyEmptyKeysOn(const HiveKey& key,
                                     const std::vector<const std::vector<std::u16string>*>& paths,
                                     std::size_t depth) {
        if (!key.values().empty())
            return false;
        for (const auto& sub : key.subKeys()) {
            std::vector<const std::vector<std::u16string>*> along;
            for (const auto* names : paths)
                if (names->size() > depth && equalsIgnoringCase((*names)[depth], sub->name))
                    along.push_back(names);
            if (along.empty() || !holdsOnlyEmptyKeysOn(*sub, along, depth + 1))
                return false;
        }
        return true;
    }

    // Remembers the folders down to the registry's folder that are missing now: this run makes
    // them, so they may go again once empty.
    void noteFoldersToMake() {
        std::error_code ignored;
        for (std::filesystem::path folder = folder_;
             !folder.empty() && !std::filesystem::exists(folder, ignored);
             folder = folder.parent_path()) {
            if (std::find(madeFolders_.begin(), madeFolders_.end(), folder.string()) ==
                madeFolders_.end())
                madeFolders_.push_back(folder.string());
            if (folder == folder.parent_path())
                break;
        }
    }

    static void addKeys(HiveKey& into, const HiveKey& from) {
        for (const auto& sub : from.subKeys())
            addKeys(into.subKey(sub->name), *sub);
    }

    static int Index(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? 0 : 1; }

    std::string pathOf(RegistryRoot root) const {
        return (std::filesystem::path(folder_) /
                (root == RegistryRoot::CurrentUser ? "user.reg" : "system.reg"))
            .string();
    }

    // The hive on disk with the identity of what was read; an empty hive when the file is missing.
    Result<std::pair<Hive, std::optional<FileIdentity>>> load(RegistryRoot root) {
        const std::string path = pathOf(root);
        const Result<FileContents> file = readWholeFile(path);
        if (file.kind() == ErrorKind::NotFound) {
            Hive hive;
            hive.header = {root == RegistryRoot::CurrentUser
                               ? ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000"
                               : ";; All keys relative to \\\\Machine",
                           "#arch=win64"};
            return std::pair<Hive, std::optional<FileIdentity>>{std::move(hive), std::nullopt};
        }
        if (!file)
            return Failure{"registry hive " + file.error(), *file.kind()};
        auto hive = parse_(file->bytes);
        if (!hive)
            return Failure{"registry hive " + path +
                               " is damaged and is left as it is: " + hive.error(),
                           *hive.kind()};
        return std::pair{std::move(*hive), std::optional<FileIdentity>(file->identity)};
    }

    struct Layered {
        std::optional<Hive> hive;
        std::optional<FileIdentity> machine;
        std::optional<FileIdentity> user;
    };

    std::string folder_;
    std::string machineHive_;
    FileRegistry::Parser parse_;
    Cache cache_[2];
    Layered layered_;
    std::optional<FileIdentity> damagedMachine_; // the machine hive as it was when it failed
    std::vector<std::string> madeFolders_;       // made by this run's writes
};

} // namespace

FileRegistry::FileRegistry(std::string folder, std::string machineHive, Parser parse)
    : HiveRegistry(std::make_unique<FileHiveStore>(std::move(folder), std::move(machineHive),
                                                   std::move(parse))) {}

std::string FileRegistry::machineHiveOf(const std::string& exeName) {
    const std::filesystem::path bin = std::filesystem::path(exeName).parent_path();
    return (bin.parent_path() / "share" / "dimmetric" / "system.reg").lexically_normal().string();
}

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
