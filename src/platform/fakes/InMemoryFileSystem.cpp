// The file system held in memory: its tree of folders and files and its failures on demand.
#include "platform/fakes/InMemoryFileSystem.h"

#include "platform/files/FindMask.h"
#include "platform/files/Folder.h"
#include "platform/files/PathText.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace dm::platform {

struct InMemoryFileSystem::Node {
    bool folder = false;
    bool readOnly = false;
    std::uint64_t device = 1;
    // A file's bytes, shared with the snapshots opened from it and copied before a change while
    // one is held.
    std::shared_ptr<std::string> bytes = std::make_shared<std::string>();
    std::map<std::string, std::shared_ptr<Node>, std::less<>> entries; // a folder's, by name
};

namespace {

using Node = InMemoryFileSystem::Node;

std::string lastPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string childPath(const std::string& folder, const std::string& name) {
    return withTrailingDelimiter(folder) + name;
}

bool isEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

FindEntry describe(const std::string& name, const Node& node) {
    std::uint32_t attributes = node.folder ? kFileAttributeDirectory : kFileAttributeArchive;
    if (node.readOnly)
        attributes |= kFileAttributeReadOnly;
    if (!name.empty() && name[0] == '.')
        attributes |= kFileAttributeHidden;
    return {name, attributes, node.folder ? 0 : static_cast<std::uint64_t>(node.bytes->size()),
            node.device};
}

// Removes the file, or the empty folder, name from folder unless folder is read-only.
bool eraseEntry(Node& folder, std::string_view name, bool isFolder) {
    if (folder.readOnly)
        return false;
    const auto it = folder.entries.find(name);
    if (it == folder.entries.end() || it->second->folder != isFolder ||
        !it->second->entries.empty())
        return false;
    folder.entries.erase(it);
    return true;
}

std::string readOnlyFile(const std::string& path) {
    return "Cannot replace \"" + path + "\": it is read-only or a folder";
}

std::string cannotOpenFolder(const std::string& path) {
    return "Cannot open the folder \"" + path + "\" (missing, not a folder, or a link)";
}

std::string cannotOpenFile(const std::string& path) {
    return "Cannot open the file \"" + path + "\"";
}

// A file's bytes as they were when it was opened.
class SnapshotByteSource final : public ByteSource {
public:
    explicit SnapshotByteSource(std::shared_ptr<const std::string> bytes)
        : bytes_(std::move(bytes)), view_(*bytes_) {}
    std::uint64_t size() const override { return view_.size(); }
    std::optional<std::string> readAt(std::uint64_t offset, std::size_t count) const override {
        return view_.readAt(offset, count);
    }

private:
    std::shared_ptr<const std::string> bytes_;
    BufferByteSource view_;
};

class OpenFile final : public RandomAccessFile {
public:
    OpenFile(std::shared_ptr<Node> node, bool writable)
        : node_(std::move(node)), writable_(writable) {}

    std::optional<std::int64_t> size() const override {
        return static_cast<std::int64_t>(node_->bytes->size());
    }

    std::optional<std::string> readAt(std::int64_t offset, std::size_t count) const override {
        const std::string& bytes = *node_->bytes;
        if (offset < 0 || static_cast<std::uint64_t>(offset) > bytes.size() ||
            count > bytes.size() - static_cast<std::size_t>(offset))
            return std::nullopt;
        return bytes.substr(static_cast<std::size_t>(offset), count);
    }

    bool writeAt(std::int64_t offset, std::string_view bytes) override {
        if (!writable_ || offset < 0)
            return false;
        if (node_->bytes.use_count() > 1)
            node_->bytes = std::make_shared<std::string>(*node_->bytes);
        std::string& held = *node_->bytes;
        const auto at = static_cast<std::size_t>(offset);
        if (held.size() < at + bytes.size())
            held.resize(at + bytes.size(), '\0');
        held.replace(at, bytes.size(), bytes);
        return true;
    }

private:
    std::shared_ptr<Node> node_;
    bool writable_;
};

} // namespace

class InMemoryFileSystem::HeldFolder final : public Folder {
public:
    HeldFolder(InMemoryFileSystem& files, std::shared_ptr<Node> node, std::string path)
        : files_(files), node_(std::move(node)), path_(std::move(path)) {}

    std::vector<FindEntry> list() override {
        std::vector<FindEntry> entries;
        for (const auto& [name, node] : node_->entries)
            entries.push_back(describe(name, *node));
        return entries;
    }

    Result<std::unique_ptr<Folder>> openFolder(const std::string& name) override {
        const auto it = isEntryName(name) ? node_->entries.find(name) : node_->entries.end();
        if (it == node_->entries.end() || !it->second->folder)
            return Failure{cannotOpenFolder(name)};
        if (const std::string* reason = files_.openFailure(childPath(path_, name)))
            return Failure{*reason};
        return std::make_unique<HeldFolder>(files_, it->second, childPath(path_, name));
    }

    bool deleteFile(const std::string& name) override {
        return isEntryName(name) && eraseEntry(*node_, name, false);
    }

    bool removeFolder(const std::string& name) override {
        return isEntryName(name) && eraseEntry(*node_, name, true);
    }

    Status writeFile(const std::string& name, const std::string& bytes) override {
        if (!isEntryName(name))
            return Failure{"Not an entry name: \"" + name + "\""};
        return files_.writeInto(*node_, path_, name, bytes);
    }

private:
    InMemoryFileSystem& files_;
    std::shared_ptr<Node> node_;
    std::string path_;
};

InMemoryFileSystem::InMemoryFileSystem() : root_(std::make_shared<Node>()) {
    root_->folder = true;
    addFolder("/tmp");
    special_[SpecialFolder::Temporary] = "/tmp";
}

InMemoryFileSystem::~InMemoryFileSystem() = default;

namespace {

// Whether path is already absolute with nothing to work out: no empty, "." or ".." part and no
// "/" at its end (the root aside).
bool isPlainAbsolute(std::string_view path) {
    if (path.empty() || path[0] != '/')
        return false;
    if (path.size() == 1)
        return true;
    std::size_t start = 1;
    while (start <= path.size()) {
        const auto slash = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, slash - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = slash + 1;
    }
    return true;
}

} // namespace

std::string InMemoryFileSystem::absolute(const std::string& path) const {
    if (isPlainAbsolute(path))
        return path;
    const std::string full = !path.empty() && path[0] == '/' ? path : current_ + "/" + path;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= full.size()) {
        const auto slash = std::min(full.find('/', start), full.size());
        const std::string part = full.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    std::string joined;
    for (const std::string& part : parts)
        joined += "/" + part;
    return joined.empty() ? "/" : joined;
}

std::shared_ptr<Node> InMemoryFileSystem::lookUp(const std::string& path) const {
    if (path.empty())
        return nullptr;
    if (isPlainAbsolute(path)) // the common case, walked without a copy
        return walk(path);
    return walk(absolute(path));
}

std::shared_ptr<Node> InMemoryFileSystem::walk(std::string_view full) const {
    const std::shared_ptr<Node>* node = &root_;
    std::size_t start = 1;
    while (start < full.size()) {
        const auto slash = std::min(full.find('/', start), full.size());
        if (!(*node)->folder)
            return nullptr;
        const auto it = (*node)->entries.find(full.substr(start, slash - start));
        if (it == (*node)->entries.end())
            return nullptr;
        node = &it->second;
        start = slash + 1;
    }
    return *node;
}

std::pair<std::shared_ptr<Node>, std::string>
InMemoryFileSystem::parentOf(const std::string& path) const {
    if (path.empty())
        return {};
    const std::string full = absolute(path);
    if (full == "/")
        return {};
    const auto slash = full.find_last_of('/');
    auto folder = lookUp(slash == 0 ? "/" : full.substr(0, slash));
    if (!folder || !folder->folder)
        return {};
    return {std::move(folder), full.substr(slash + 1)};
}

const std::string* InMemoryFileSystem::openFailure(const std::string& path) const {
    if (failedOpens_.empty())
        return nullptr;
    const auto it = failedOpens_.find(absolute(path));
    return it == failedOpens_.end() ? nullptr : &it->second;
}

const std::string* InMemoryFileSystem::writeFailure(const std::string& path) const {
    if (failedWrites_.empty())
        return nullptr;
    const auto it = failedWrites_.find(absolute(path));
    return it == failedWrites_.end() ? nullptr : &it->second;
}

InMemoryFileSystem::Node& InMemoryFileSystem::folderMadeAt(const std::string& full) {
    Node* node = root_.get();
    const std::string_view rest(full);
    std::size_t start = 1;
    while (start < rest.size()) {
        const auto slash = std::min(rest.find('/', start), rest.size());
        const std::string_view name = rest.substr(start, slash - start);
        auto it = node->entries.find(name);
        if (it == node->entries.end()) {
            auto made = std::make_shared<Node>();
            made->folder = true;
            made->device = node->device;
            it = node->entries.emplace(std::string(name), std::move(made)).first;
        }
        if (!it->second->folder)
            throw std::invalid_argument("a file is in the way of the folder " + full);
        node = it->second.get();
        start = slash + 1;
    }
    return *node;
}

void InMemoryFileSystem::addFolder(const std::string& path) {
    folderMadeAt(absolute(path));
}

void InMemoryFileSystem::addFile(const std::string& path, std::string bytes) {
    addFile(path, std::make_shared<std::string>(std::move(bytes)));
}

void InMemoryFileSystem::addFile(const std::string& path, std::shared_ptr<std::string> bytes) {
    const std::string full = absolute(path);
    if (full == "/")
        throw std::invalid_argument("the root is a folder");
    const auto slash = full.find_last_of('/');
    Node& folder = folderMadeAt(full.substr(0, slash));
    auto& entry = folder.entries[full.substr(slash + 1)];
    if (entry && entry->folder)
        throw std::invalid_argument("a folder is in the way of the file " + full);
    entry = std::make_shared<Node>();
    entry->device = folder.device;
    entry->bytes = std::move(bytes);
}

namespace {

void putOnDevice(Node& node, std::uint64_t device) {
    node.device = device;
    for (auto& [name, entry] : node.entries)
        putOnDevice(*entry, device);
}

} // namespace

void InMemoryFileSystem::mountAt(const std::string& path, std::uint64_t device) {
    addFolder(path);
    putOnDevice(*lookUp(path), device);
}

void InMemoryFileSystem::failOpening(const std::string& path, std::string reason) {
    failedOpens_[absolute(path)] = std::move(reason);
}

void InMemoryFileSystem::failWriting(const std::string& path, std::string reason) {
    failedWrites_[absolute(path)] = std::move(reason);
}

void InMemoryFileSystem::setSpecialFolder(SpecialFolder folder, std::string path) {
    special_[folder] = std::move(path);
}

void InMemoryFileSystem::setCurrentFolder(const std::string& path) {
    current_ = absolute(path);
}

std::vector<FindEntry> InMemoryFileSystem::find(const std::string& pattern) {
    std::vector<FindEntry> entries;
    const auto split = splitFindPattern(pattern);
    if (!split)
        return entries;
    const std::string& mask = split->mask;
    const std::string& folder = split->folder;
    if (split->namesOneEntry()) {
        if (const auto node = lookUp(pattern))
            entries.push_back(describe(mask, *node));
        return entries;
    }
    const auto node = lookUp(folder);
    if (!node || !node->folder)
        return entries;
    for (const auto& [name, entry] : node->entries)
        if (matchesFindMask(name, mask))
            entries.push_back(describe(name, *entry));
    return entries;
}

std::optional<FindEntry> InMemoryFileSystem::attributes(const std::string& path) {
    if (path.size() > 1 && path.back() == '/')
        return attributes(withoutTrailingDelimiter(path));
    const auto node = lookUp(path);
    if (!node)
        return std::nullopt;
    return describe(lastPart(path), *node);
}

std::optional<EntryStatus> InMemoryFileSystem::status(const std::string& path) {
    const auto node = lookUp(path);
    if (!node)
        return std::nullopt;
    if (node->folder)
        return EntryStatus{EntryStatus::Type::Folder, 0};
    return EntryStatus{EntryStatus::Type::File, static_cast<std::uint64_t>(node->bytes->size())};
}

bool InMemoryFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    const auto node = lookUp(path);
    if (!node)
        return false;
    node->readOnly = (attributes & kFileAttributeReadOnly) != 0;
    return true;
}

bool InMemoryFileSystem::createDirectory(const std::string& path) {
    const auto [folder, name] = parentOf(path);
    if (!folder || folder->readOnly || folder->entries.count(name) != 0)
        return false;
    auto made = std::make_shared<Node>();
    made->folder = true;
    made->device = folder->device;
    folder->entries.emplace(name, std::move(made));
    return true;
}

bool InMemoryFileSystem::removeDirectory(const std::string& path) {
    const auto [folder, name] = parentOf(path);
    return folder && eraseEntry(*folder, name, true);
}

bool InMemoryFileSystem::deleteFile(const std::string& path) {
    const auto [folder, name] = parentOf(path);
    return folder && eraseEntry(*folder, name, false);
}

bool InMemoryFileSystem::driveExists(const std::string& root) {
    return root == "/";
}

std::optional<std::string> InMemoryFileSystem::readFile(const std::string& path) {
    const auto node = lookUp(path);
    if (!node || node->folder || openFailure(path))
        return std::nullopt;
    return *node->bytes;
}

Result<std::unique_ptr<ByteSource>> InMemoryFileSystem::openBytes(const std::string& path) {
    if (const std::string* reason = path.empty() ? nullptr : openFailure(path))
        return Failure{*reason};
    const auto node = lookUp(path);
    if (!node)
        return Failure::notFound(cannotOpenFile(path));
    if (node->folder)
        return Failure{cannotOpenFile(path)};
    return std::make_unique<SnapshotByteSource>(node->bytes);
}

Result<std::unique_ptr<RandomAccessFile>>
InMemoryFileSystem::openRandomAccess(const std::string& path, RandomAccessFile::Mode mode) {
    if (const std::string* reason = path.empty() ? nullptr : openFailure(path))
        return Failure{*reason};
    const bool writing = mode != RandomAccessFile::Mode::Read;
    if (const std::string* reason = writing && !path.empty() ? writeFailure(path) : nullptr)
        return Failure{*reason};
    auto node = lookUp(path);
    if (mode == RandomAccessFile::Mode::Create) {
        const auto [folder, name] = parentOf(path);
        if (!node && folder && !folder->readOnly) {
            node = std::make_shared<Node>();
            node->device = folder->device;
            folder->entries.emplace(name, node);
        } else if (node && !node->folder && !node->readOnly) {
            node->bytes = std::make_shared<std::string>();
        } else {
            return Failure{cannotOpenFile(path)};
        }
    }
    if (!node || node->folder || (writing && node->readOnly))
        return Failure{cannotOpenFile(path)};
    return std::make_unique<OpenFile>(node, writing);
}

Status InMemoryFileSystem::writeInto(Node& folder, const std::string& folderPath,
                                     const std::string& name, const std::string& bytes) {
    const std::string path = childPath(folderPath, name);
    if (const std::string* reason = writeFailure(path))
        return Failure{*reason};
    auto& entry = folder.entries[name];
    if (entry && (entry->folder || entry->readOnly))
        return Failure::refused(readOnlyFile(name));
    if (folder.readOnly) {
        if (!entry)
            folder.entries.erase(name);
        return Failure::refused("Cannot write \"" + path + "\": its folder is read-only");
    }
    // Replaced whole, as a rename puts a new file in place: one opened before keeps the old bytes.
    entry = std::make_shared<Node>();
    entry->device = folder.device;
    *entry->bytes = bytes;
    return {};
}

Status InMemoryFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    const auto [folder, name] = parentOf(path);
    if (!folder)
        return Failure::notFound("Cannot write \"" + path + "\": its folder is missing");
    const auto it = folder->entries.find(name);
    if (it != folder->entries.end() && (it->second->folder || it->second->readOnly))
        return Failure::refused(readOnlyFile(path));
    return writeInto(*folder, withoutTrailingDelimiter(folderOfPath(absolute(path))), name, bytes);
}

Result<std::unique_ptr<Folder>> InMemoryFileSystem::openFolder(const std::string& path) {
    const auto node = lookUp(path);
    if (!node)
        return Failure::notFound(cannotOpenFolder(path));
    if (!node->folder)
        return Failure{cannotOpenFolder(path)};
    if (const std::string* reason = openFailure(path))
        return Failure{*reason};
    return std::make_unique<HeldFolder>(*this, node, absolute(path));
}

std::string InMemoryFileSystem::specialFolder(SpecialFolder folder) {
    const auto it = special_.find(folder);
    return it == special_.end() ? std::string() : it->second;
}

std::string InMemoryFileSystem::currentFolder() {
    return current_;
}

} // namespace dm::platform
