// Parsing and writing the text format of hive files: sections, values and escapes.
#include "platform/registry/HiveFormat.h"

#include "platform/text/Blanks.h"

#include "platform/text/Utf16.h"

#include <cstdio>

namespace dm::platform {

namespace {

constexpr std::string_view kFormatLine = "WINE REGISTRY Version 2";

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// One character of raw (unescaped) text at pos: a valid UTF-8 sequence as its UTF-16 units,
// any other byte as the unit of the same number.
void decodeRaw(std::string_view text, std::size_t& pos, std::u16string& out) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(pos);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
    if (lead >= 0xF5)
        length = 1;
    unsigned code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool valid = length > 1 && pos + length <= text.size();
    for (std::size_t i = 1; valid && i < length; ++i) {
        valid = (byte(pos + i) & 0xC0) == 0x80;
        code = code << 6 | (byte(pos + i) & 0x3F);
    }
    if (valid)
        valid = (length != 3 || (code >= 0x800 && (code < 0xD800 || code > 0xDFFF))) &&
                (length != 4 || (code >= 0x10000 && code <= 0x10FFFF));
    if (!valid) {
        out.push_back(static_cast<char16_t>(lead));
        ++pos;
        return;
    }
    if (code > 0xFFFF) {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | code >> 10));
        out.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
    pos += length;
}

// Escaped text from pos up to the first unescaped end character, which is passed over, into out;
// false when the end character is missing.
bool unescape(std::string_view line, std::size_t& pos, char end, std::u16string& out) {
    out.clear();
    while (pos < line.size()) {
        // A run of plain ASCII goes over in one step.
        std::size_t run = pos;
        while (run < line.size() && line[run] != end && line[run] != '\\' &&
               static_cast<unsigned char>(line[run]) < 0x80)
            ++run;
        out.append(line.begin() + static_cast<std::ptrdiff_t>(pos),
                   line.begin() + static_cast<std::ptrdiff_t>(run));
        pos = run;
        if (pos == line.size())
            break;
        const char c = line[pos];
        if (c == end) {
            ++pos;
            return true;
        }
        if (c != '\\') {
            decodeRaw(line, pos, out);
            continue;
        }
        if (++pos == line.size())
            return false;
        const char e = line[pos];
        static constexpr std::string_view kNamed = "abtnvfre";
        static constexpr char16_t kUnits[] = {7, 8, 9, 10, 11, 12, 13, 27};
        if (auto at = kNamed.find(e); at != std::string_view::npos) {
            out.push_back(kUnits[at]);
            ++pos;
        } else if (e == 'x') {
            ++pos;
            if (pos < line.size() && isHexDigit(line[pos])) {
                unsigned value = 0;
                for (int i = 0; i < 4 && pos < line.size() && isHexDigit(line[pos]); ++i)
                    value = value * 16 + hexValue(line[pos++]);
                out.push_back(static_cast<char16_t>(value));
            } else {
                out.push_back(u'x');
            }
        } else if (e >= '0' && e <= '7') {
            unsigned value = 0;
            for (int i = 0; i < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++i)
                value = value * 8 + (line[pos++] - '0');
            out.push_back(static_cast<char16_t>(value));
        } else if (static_cast<unsigned char>(e) < 0x80) {
            out.push_back(static_cast<char16_t>(e));
            ++pos;
        } else {
            decodeRaw(line, pos, out);
        }
    }
    return false;
}

// Units as escaped ASCII text; the two characters in quotes get a backslash.
std::string escape(std::u16string_view units, const char quotes[2]) {
    static constexpr char kNamed[33] = ".......abtnvfr.............e....";
    std::string out;
    char buffer[16];
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool more = i + 1 < units.size();
        if (unit > 127) {
            // Four digits when a hex digit follows, so that it is not taken into the escape.
            const bool wide =
                more && units[i + 1] < 128 && isHexDigit(static_cast<char>(units[i + 1]));
            std::snprintf(buffer, sizeof buffer, wide ? "\\x%04x" : "\\x%x", unsigned(unit));
            out += buffer;
        } else if (unit < 32) {
            if (kNamed[unit] != '.') {
                out += '\\';
                out += kNamed[unit];
            } else {
                const bool digitFollows = more && units[i + 1] >= u'0' && units[i + 1] <= u'7';
                std::snprintf(buffer, sizeof buffer, digitFollows ? "\\%03o" : "\\%o",
                              unsigned(unit));
                out += buffer;
            }
        } else {
            const char c = static_cast<char>(unit);
            if (c == '\\' || c == quotes[0] || c == quotes[1])
                out += '\\';
            out += c;
        }
    }
    return out;
}

// A hexadecimal number of 1 to 8 digits at pos.
std::optional<std::uint32_t> parseHexNumber(std::string_view text, std::size_t& pos) {
    std::uint32_t value = 0;
    std::size_t digits = 0;
    for (; pos < text.size() && isHexDigit(text[pos]); ++pos, ++digits) {
        if (digits == 8)
            return std::nullopt;
        value = value << 4 | hexValue(text[pos]);
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

// "01,ab,ff" as bytes; a trailing comma is allowed.
std::optional<std::string> parseHexBytes(std::string_view text) {
    std::string bytes;
    text = trimLineBlanks(text);
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isLineBlank(text[pos]))
            ++pos;
        unsigned value = 0;
        std::size_t digits = 0;
        for (; pos < text.size() && isHexDigit(text[pos]); ++pos, ++digits)
            value = value << 4 | hexValue(text[pos]);
        if (digits == 0 || digits > 2)
            return std::nullopt;
        bytes.push_back(static_cast<char>(value));
        while (pos < text.size() && isLineBlank(text[pos]))
            ++pos;
        if (pos < text.size() && text[pos++] != ',')
            return std::nullopt;
    }
    return bytes;
}

// Reads the hive line by line over the text, reusing its buffers from line to line.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Result<Hive> parse() {
        Hive hive;
        std::string_view line;
        if (!nextLine(line))
            return hive;
        if (trimLineBlanks(line) != kFormatLine)
            return fail("not a registry hive (the first line is not \"" + std::string(kFormatLine) +
                        "\")");
        HiveKey* key = nullptr;
        while (nextLine(line)) {
            while (!line.empty() && isLineBlank(line.front()))
                line.remove_prefix(1);
            if (trimLineBlanks(line).empty())
                continue;
            const char first = line.front();
            if (first == ';' || first == '#') {
                (key ? key->meta : hive.header).emplace_back(trimLineBlanks(line));
            } else if (first == '[') {
                Result<HiveKey*> section = parseSection(hive, line);
                if (!section)
                    return fail(section.error());
                key = *section;
            } else if (key && (first == '"' || first == '@')) {
                if (const Status value = parseValue(*key, line); !value)
                    return fail(value.error());
            } else {
                return fail("neither a key, a value nor a comment");
            }
        }
        return hive;
    }

private:
    // The next line without its line end; false at the end of the text.
    bool nextLine(std::string_view& line) {
        if (next_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', next_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(next_, end - next_);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        next_ = end + 1;
        ++lineNumber_;
        return true;
    }

    // What does not parse, on the line last read.
    Failure fail(const std::string& why) const {
        return Failure::damaged("line " + std::to_string(lineNumber_) + ": " + why);
    }

    Result<HiveKey*> parseSection(Hive& hive, std::string_view line) {
        std::size_t pos = 1;
        if (!unescape(line, pos, ']', path_))
            return Failure{"a key name without its closing \"]\""};
        // Sections of one parent follow one another, so the keys of the names this path shares
        // with the one before are taken from there instead of being looked up again.
        const std::u16string_view path = path_;
        std::size_t depth = 0;
        std::size_t start = 0;
        std::size_t shared = 0;
        bool sharing = true;
        HiveKey* key = &hive.root;
        while (start <= path.size()) {
            std::size_t end = path.find(u'\\', start);
            if (end == std::u16string_view::npos)
                end = path.size();
            if (end > start) {
                if (++depth > kMaxKeyDepth)
                    return Failure{"keys nested too deep"};
                const std::u16string_view name = path.substr(start, end - start);
                sharing = sharing && shared < names_.size() && names_[shared] == name;
                if (sharing) {
                    key = keys_[shared++];
                } else {
                    key = &key->subKey(name);
                    names_.resize(depth - 1);
                    keys_.resize(depth - 1);
                    names_.emplace_back(name);
                    keys_.push_back(key);
                    shared = depth;
                }
            }
            start = end + 1;
        }
        names_.resize(shared);
        keys_.resize(shared);
        key->stamp = trimLineBlanks(line.substr(pos));
        return key;
    }

    Status parseValue(HiveKey& key, std::string_view line) {
        name_.clear();
        std::size_t pos = 1;
        if (line.front() == '"' && !unescape(line, pos, '"', name_))
            return Failure{"a value name without its closing quote"};
        while (pos < line.size() && isLineBlank(line[pos]))
            ++pos;
        if (pos == line.size() || line[pos] != '=')
            return Failure{"a value name without \"=\""};
        ++pos;
        while (pos < line.size() && isLineBlank(line[pos]))
            ++pos;
        Result<RegistryValue> value = parseData(line, pos);
        if (!value)
            return value.failure();
        key.setValue(name_, std::move(*value));
        return {};
    }

    Result<RegistryValue> parseData(std::string_view line, std::size_t pos) {
        const std::string_view rest = line.substr(pos);
        if (rest.starts_with("\""))
            return parseString(RegType::Sz, line, pos + 1);
        if (rest.starts_with("str(")) {
            pos += 4;
            auto type = parseHexNumber(line, pos);
            if (!type || line.substr(pos, 3) != "):\"")
                return Failure{"a malformed str() value"};
            return parseString(static_cast<RegType>(*type), line, pos + 3);
        }
        if (rest.starts_with("dword:")) {
            pos += 6;
            auto number = parseHexNumber(line, pos);
            if (!number || !trimLineBlanks(line.substr(pos)).empty())
                return Failure{"a malformed dword value"};
            return RegistryValue::dword(*number);
        }
        RegType type = RegType::Binary;
        if (rest.starts_with("hex:")) {
            pos += 4;
        } else if (rest.starts_with("hex(")) {
            pos += 4;
            auto number = parseHexNumber(line, pos);
            if (!number || line.substr(pos, 2) != "):")
                return Failure{"a malformed hex() value"};
            type = static_cast<RegType>(*number);
            pos += 2;
        } else {
            return Failure{"a value of unknown form"};
        }
        // Long byte lists go on over lines that end with "\".
        std::string_view part = trimLineBlanks(line.substr(pos));
        std::optional<std::string> bytes;
        if (part.empty() || part.back() != '\\') {
            bytes = parseHexBytes(part);
        } else {
            std::string text;
            while (!part.empty() && part.back() == '\\') {
                part.remove_suffix(1);
                text += part;
                if (!nextLine(part)) {
                    ++lineNumber_;
                    return Failure{"a byte list that goes on past the end"};
                }
                part = trimLineBlanks(part);
            }
            text += part;
            bytes = parseHexBytes(text);
        }
        if (!bytes)
            return Failure{"a malformed byte list"};
        return RegistryValue{type, std::move(*bytes)};
    }

    Result<RegistryValue> parseString(RegType type, std::string_view line, std::size_t pos) {
        if (!unescape(line, pos, '"', units_) || !trimLineBlanks(line.substr(pos)).empty())
            return Failure{"a malformed string value"};
        // UTF-16LE with its terminating zero.
        RegistryValue value{type, std::string(2 * units_.size() + 2, '\0')};
        char* out = value.data.data();
        for (const char16_t unit : units_) {
            *out++ = static_cast<char>(unit & 0xFF);
            *out++ = static_cast<char>(unit >> 8);
        }
        return value;
    }

    std::string_view text_;
    std::size_t next_ = 0;       // where the next line starts
    std::size_t lineNumber_ = 0; // of the line last read, from 1
    std::u16string path_;        // the key path of the section being read
    std::u16string name_;        // the name of the value being read
    std::u16string units_;       // the text of the string value being read
    // The names of the last section's path and their keys, as far as they were looked up.
    std::vector<std::u16string> names_;
    std::vector<HiveKey*> keys_;
};

std::string serializeData(const RegistryValue& value, std::size_t column) {
    const std::string& data = value.data;
    const bool terminated = data.size() >= 2 && data.size() % 2 == 0 &&
                            data[data.size() - 1] == 0 && data[data.size() - 2] == 0;
    char buffer[32];
    if ((value.type == RegType::Sz || value.type == RegType::ExpandSz) && terminated) {
        std::u16string units = utf16LeToUnits(data);
        units.pop_back();
        std::string out;
        if (value.type != RegType::Sz) {
            std::snprintf(buffer, sizeof buffer, "str(%x):", unsigned(value.type));
            out = buffer;
        }
        return out + "\"" + escape(units, "\"\"") + "\"";
    }
    if (value.type == RegType::Dword && data.size() == 4) {
        std::snprintf(buffer, sizeof buffer, "dword:%08x", unsigned(value.dword()));
        return buffer;
    }
    std::string out = "hex:";
    if (value.type != RegType::Binary) {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", unsigned(value.type));
        out = buffer;
    }
    column += out.size();
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", unsigned(static_cast<unsigned char>(data[i])));
        out += buffer;
        column += 2;
        if (i + 1 < data.size()) {
            out += ',';
            if (++column > 76) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
    return out;
}

void serializeKey(const HiveKey& key, const std::string& path, bool isRoot, std::string& out) {
    const bool written =
        !key.values().empty() || !key.meta.empty() || (!isRoot && key.subKeys().empty());
    if (written) {
        out += "\n[" + path + "]";
        if (!key.stamp.empty())
            out += " " + key.stamp;
        out += "\n";
        for (const std::string& line : key.meta)
            out += line + "\n";
        for (const HiveValue& value : key.values()) {
            std::string line = value.name.empty() ? "@" : "\"" + escape(value.name, "\"\"") + "\"";
            line += "=";
            out += line + serializeData(value.value, line.size()) + "\n";
        }
    }
    for (const auto& sub : key.subKeys()) {
        const std::string name = escape(sub->name, "[]");
        serializeKey(*sub, isRoot ? name : path + "\\\\" + name, false, out);
    }
}

} // namespace

Result<Hive> parseHive(std::string_view text) {
    return Parser(text).parse();
}

std::string serializeHive(const Hive& hive) {
    std::string out = std::string(kFormatLine) + "\n";
    for (const std::string& line : hive.header)
        out += line + "\n";
    serializeKey(hive.root, "", true, out);
    return out;
}

} // namespace dm::platform
