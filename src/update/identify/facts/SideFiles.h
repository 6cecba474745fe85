// The one reader of the files that rules look at beside an executable, every read bounded.
#pragma once

#include "update/identify/IdentifyContext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one reader of the files that rules look at beside an executable: looked up by their exact
// names, and every read bounded. A file larger than its bound reads as missing, so no rule loads
// an arbitrary amount into memory.
namespace dm::update {

inline constexpr std::uint64_t kMaxRuleTextFile = 16 * 1024 * 1024;
inline constexpr std::uint64_t kMaxScannedFile = 512 * 1024 * 1024;
// The most of one text that a file hands to a rule (a tag's text, a first line, an INI value);
// the rest is cut, so no rule works on an arbitrarily long text.
inline constexpr std::size_t kMaxRuleText = 4096;

// The lines of a text, broken at CR LF, CR or LF (a final line break adds no empty line), found
// while they are walked: each line is a view into the one text, so a file of many short lines
// costs no more memory than its bytes.
class TextLines {
public:
    class Iterator {
    public:
        Iterator() = default;
        Iterator(std::string_view text, std::size_t start);
        std::string_view operator*() const { return text_.substr(start_, end_ - start_); }
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return start_ == other.start_; }

    private:
        std::string_view text_;
        std::size_t start_ = std::string_view::npos;
        std::size_t end_ = std::string_view::npos;
    };

    TextLines() = default;
    explicit TextLines(std::string text) : text_(std::move(text)) {}

    Iterator begin() const { return Iterator(text_, 0); }
    Iterator end() const { return {}; }
    bool empty() const { return text_.empty(); }
    std::string_view front() const { return *begin(); }
    std::string_view text() const { return text_; }
    // The line that holds the byte at, which is no line break.
    std::string_view lineAt(std::size_t at) const;

private:
    std::string text_;
};

// The whole file; nullopt when it cannot be read or is larger than limit.
std::optional<std::string> readRuleFile(IdentifyContext& context, const std::string& path,
                                        std::uint64_t limit = kMaxRuleTextFile);
// The file's lines (broken at CR LF, CR or LF); nullopt as for readRuleFile.
std::optional<TextLines> readRuleLines(IdentifyContext& context, const std::string& path);
// Whether the file's bytes hold text (byte for byte), scanned piece by piece; False when it cannot
// be read or is larger than kMaxScannedFile.
bool fileHoldsText(IdentifyContext& context, const std::string& path, const std::string& text);

// A file of more than 0 bytes, looked up by its exact name (FileSystem::fileExists: of any size).
bool fileExistsNonEmpty(IdentifyContext& context, const std::string& path);
// The bytes of a whole file; nothing when it cannot be read or is larger than the rules read.
std::optional<std::string> readSideBytes(IdentifyContext& context, const std::string& path);
// The lines of a side file; nothing when readSideBytes gives nothing.
std::optional<TextLines> readSideLines(IdentifyContext& context, const std::string& path);
// The first line of a side file, cut at kMaxRuleText; nothing when it has none.
std::optional<std::string> readFirstLine(IdentifyContext& context, const std::string& path);
// Value key of section of an INI file, cut at kMaxRuleText; empty when missing.
std::string readIniKey(IdentifyContext& context, const std::string& path,
                       const std::string& section, const std::string& key);

// The subfolders of folder, as full paths.
std::vector<std::string> listSubFolderPaths(IdentifyContext& context, const std::string& folder);
// The files of folder named name, ignoring case; the same recursively below folder.
std::vector<std::string> findFilesNamed(IdentifyContext& context, const std::string& folder,
                                        const std::string& name);
std::vector<std::string> findFilesNamedRecursive(IdentifyContext& context,
                                                 const std::string& folder,
                                                 const std::string& name);

} // namespace dm::update
