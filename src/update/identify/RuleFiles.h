#pragma once

#include "update/identify/IdentifyContext.h"

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

// Reads of the files that rules look at beside an executable. Every read is bounded: a file
// larger than its bound reads as missing, so no rule loads an arbitrary amount into memory.
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
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;

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

} // namespace dm::update
