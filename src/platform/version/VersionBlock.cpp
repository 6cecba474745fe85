// The nodes of a raw version resource, walked without reading outside the block.
#include "platform/version/VersionBlock.h"

#include "platform/text/AsciiCase.h"
#include "platform/text/ByteOrder.h"
#include "platform/text/Utf16.h"

#include <algorithm>
#include <iterator>

namespace dm::platform {

namespace {

constexpr std::size_t kHeaderSize = 6; // wLength, wValueLength, wType

std::size_t align4(std::size_t at) {
    return (at + 3) & ~static_cast<std::size_t>(3);
}

// One node of the resource tree, viewing the block it was parsed from; offsets are from the
// start of the block.
struct Node {
    std::size_t End = 0;  // one past the node's last byte
    std::string_view Key; // UTF-16LE units, without the NUL
    bool IsText = false;
    std::string_view Value;
    std::size_t ChildrenAt = 0; // first child's offset; children run up to End
};

std::optional<Node> parseNode(std::string_view block, std::size_t at, std::size_t limit) {
    if (at + kHeaderSize > limit)
        return std::nullopt;
    const std::size_t length = readLe16(block, at);
    const std::size_t valueLength = readLe16(block, at + 2);
    const bool isText = readLe16(block, at + 4) == 1;
    if (length < kHeaderSize || at + length > limit)
        return std::nullopt;
    Node node;
    node.End = at + length;
    std::size_t keyEnd = at + kHeaderSize;
    while (keyEnd + 2 <= node.End && readLe16(block, keyEnd) != 0)
        keyEnd += 2;
    if (keyEnd + 2 > node.End)
        return std::nullopt; // key without its NUL
    node.Key = block.substr(at + kHeaderSize, keyEnd - at - kHeaderSize);
    const std::size_t valueAt = std::min(align4(keyEnd + 2), node.End);
    const std::size_t declared = isText ? valueLength * 2 : valueLength;
    const std::size_t valueEnd = std::min(valueAt + declared, node.End);
    node.IsText = isText;
    node.Value = block.substr(valueAt, valueEnd - valueAt);
    node.ChildrenAt = std::min(align4(valueAt + declared), node.End);
    return node;
}

// Keys compare ignoring ASCII case. An ASCII name is compared unit by unit: a unit above 0x7F
// becomes bytes above 0x7F in UTF-8, so such a name matches only a key of as many ASCII units.
// Any other name is compared with the key's UTF-8 form.
bool sameKey(std::string_view utf16, std::string_view name) {
    const bool asciiName = std::all_of(name.begin(), name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!asciiName)
        return sameNameIgnoringCase(utf16LeToUtf8(utf16), name);
    if (utf16.size() != 2 * name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::uint16_t unit = readLe16(utf16, 2 * i);
        if (unit >= 0x80 || foldAsciiCase(static_cast<char>(unit)) != foldAsciiCase(name[i]))
            return false;
    }
    return true;
}

// Hands each well-formed child of parent, in order, to visit until it returns false.
template <typename Visit>
void forEachChild(std::string_view block, const Node& parent, Visit visit) {
    std::size_t at = parent.ChildrenAt;
    while (auto child = parseNode(block, at, parent.End)) {
        if (!visit(*child))
            return;
        at = align4(child->End); // each child is at least a header long, so this advances
    }
}

std::optional<Node> findChild(std::string_view block, const Node& parent, std::string_view name) {
    std::optional<Node> found;
    forEachChild(block, parent, [&](const Node& child) {
        if (sameKey(child.Key, name))
            found = child;
        return !found;
    });
    return found;
}

// The node a sub-block path leads to from node: keys separated by "\", empty ones skipped.
std::optional<Node> follow(std::string_view block, std::optional<Node> node,
                           std::string_view subBlock) {
    while (node && !subBlock.empty()) {
        const std::size_t cut = subBlock.find('\\');
        const std::string_view key = subBlock.substr(0, cut);
        subBlock = cut == std::string_view::npos ? std::string_view() : subBlock.substr(cut + 1);
        if (!key.empty())
            node = findChild(block, *node, key);
    }
    return node;
}

std::optional<VersionValue> valueOf(const std::optional<Node>& node) {
    if (!node)
        return std::nullopt;
    return VersionValue{node->IsText, std::string(node->Value)};
}

} // namespace

std::optional<VersionBlock> VersionBlock::fromBytes(std::string bytes) {
    const auto root = parseNode(bytes, 0, bytes.size());
    if (!root || !sameKey(root->Key, "VS_VERSION_INFO"))
        return std::nullopt;
    bytes.resize(root->End);
    return VersionBlock(std::move(bytes));
}

std::optional<VersionValue> VersionBlock::queryValue(std::string_view subBlock) const {
    return valueOf(follow(bytes_, parseNode(bytes_, 0, bytes_.size()), subBlock));
}

std::vector<std::optional<VersionValue>>
VersionBlock::queryValues(std::string_view parent, std::span<const std::string_view> keys) const {
    std::vector<std::optional<VersionValue>> values(keys.size());
    const auto node = follow(bytes_, parseNode(bytes_, 0, bytes_.size()), parent);
    if (!node)
        return values;
    // One walk over the parent's children: each key takes the first child it names.
    std::size_t missing = keys.size();
    forEachChild(bytes_, *node, [&](const Node& child) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (!values[i] && sameKey(child.Key, keys[i])) {
                values[i] = valueOf(child);
                --missing;
            }
        return missing > 0;
    });
    return values;
}

std::optional<std::string> VersionBlock::queryText(std::string_view subBlock) const {
    const auto value = queryValue(subBlock);
    if (!value)
        return std::nullopt;
    std::string_view units = value->Bytes;
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        if (readLe16(units, i) == 0) {
            units = units.substr(0, i);
            break;
        }
    }
    return utf16LeToUtf8(units);
}

std::vector<std::string> VersionBlock::stringTables() const {
    std::vector<std::string> keys;
    const auto root = parseNode(bytes_, 0, bytes_.size());
    const auto tables = root ? findChild(bytes_, *root, "StringFileInfo") : std::nullopt;
    if (!tables)
        return keys;
    forEachChild(bytes_, *tables, [&](const Node& child) {
        keys.push_back(utf16LeToUtf8(child.Key));
        return true;
    });
    return keys;
}

std::optional<FixedFileInfo> VersionBlock::queryFixed() const {
    const auto value = queryValue("\\");
    if (!value || value->Bytes.size() < FixedFileInfo::kSize)
        return std::nullopt;
    const std::string_view b = value->Bytes;
    FixedFileInfo f;
    std::uint32_t* fields[] = {&f.Signature,     &f.StrucVersion,     &f.FileVersionMS,
                               &f.FileVersionLS, &f.ProductVersionMS, &f.ProductVersionLS,
                               &f.FileFlagsMask, &f.FileFlags,        &f.FileOS,
                               &f.FileType,      &f.FileSubtype,      &f.FileDateMS,
                               &f.FileDateLS};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = readLe32(b, 4 * i);
    return f;
}

std::optional<std::vector<std::uint32_t>> VersionBlock::queryTranslations() const {
    const auto value = queryValue("\\VarFileInfo\\Translation");
    if (!value || value->Bytes.size() < 4)
        return std::nullopt;
    std::vector<std::uint32_t> entries;
    for (std::size_t at = 0; at + 4 <= value->Bytes.size(); at += 4)
        entries.push_back(readLe32(value->Bytes, at));
    return entries;
}

} // namespace dm::platform
