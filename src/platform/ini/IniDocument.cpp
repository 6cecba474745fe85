// The text of an INI file: its sections, keys and values read and changed line by line.
#include "platform/ini/IniDocument.h"

#include "platform/text/AsciiCase.h"
#include "platform/text/Blanks.h"
#include "platform/text/TextLines.h"

#include <algorithm>

namespace dm::platform {

namespace {

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The section name of a "[name]" line; nullopt for any other line.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    return trimBlanks(line.substr(0, line.find(']')));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key and value of an entry line; nullopt for blank and comment lines.
std::optional<Entry> entryOf(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() == ';')
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return Entry{line, {}};
    return Entry{trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

// A value as the profile functions read it: without one enclosing pair of matching quotes.
std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

IniDocument::IniDocument(std::string_view text) {
    const std::vector<std::string_view> lines = splitLines(text);
    lines_.assign(lines.begin(), lines.end());
}

std::string IniDocument::text() const {
    return joinCrLf(lines_);
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_)
        if (auto name = sectionOf(line))
            if (std::none_of(names.begin(), names.end(), [&](const std::string& seen) {
                    return sameNameIgnoringCase(seen, *name);
                }))
                names.emplace_back(*name);
    return names;
}

std::optional<IniDocument::Found> IniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto name = sectionOf(lines_[i]);
        if (!name || !sameNameIgnoringCase(*name, trimBlanks(section)))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !sectionOf(lines_[end]))
            ++end;
        return Found{i, end};
    }
    return std::nullopt;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    auto found = findSection(section);
    if (!found)
        return names;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (auto entry = entryOf(lines_[i]))
            if (std::none_of(names.begin(), names.end(), [&](const std::string& seen) {
                    return sameNameIgnoringCase(seen, entry->key);
                }))
                names.emplace_back(entry->key);
    return names;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    auto found = findSection(section);
    if (!found)
        return std::nullopt;
    for (std::size_t i = found->header + 1; i < found->end; ++i)
        if (auto entry = entryOf(lines_[i]);
            entry && sameNameIgnoringCase(entry->key, trimBlanks(key)))
            return std::string(unquoted(entry->value));
    return std::nullopt;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (section.empty() || key.empty() || hasLineBreak(section) || hasLineBreak(key) ||
        hasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';')
        return false;
    auto found = findSection(section);
    if (!found) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + std::string(value));
        return true;
    }
    std::size_t last = found->header;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        auto entry = entryOf(lines_[i]);
        if (!trimBlanks(lines_[i]).empty())
            last = i;
        if (entry && sameNameIgnoringCase(entry->key, key)) {
            lines_[i] = std::string(entry->key) + "=" + std::string(value);
            return true;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                  std::string(key) + "=" + std::string(value));
    return true;
}

std::optional<std::int32_t> parseIniInteger(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && foldAsciiCase(c) >= 'a' && foldAsciiCase(c) <= 'f')
            digit = foldAsciiCase(c) - 'a' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (negative && magnitude > 0x80000000ull)
        return std::nullopt;
    const std::uint32_t bits = negative ? static_cast<std::uint32_t>(0 - magnitude)
                                        : static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(bits);
}

} // namespace dm::platform
