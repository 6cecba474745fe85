// Writes a C++ source that places the program's version resource (VS_VERSIONINFO) in the ELF
// section the version reader looks for.
//
// Usage: generator <output.cpp> <file version> <product version> <Name=Value>...
// Versions are dotted "a.b.c.d"; the strings are written in the order given.

#include "platform/text/IntegerText.h"
#include "platform/version/ExecutableVersion.h"
#include "platform/version/VersionBlockWriter.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// "a.b.c.d" as the two 32-bit halves of a fixed-block version: exactly four parts, each read as
// the version parser reads a part and in the range 0 to 65535.
bool parseVersion(const std::string& text, std::uint32_t& ms, std::uint32_t& ls) {
    std::uint32_t parts[4] = {};
    std::size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? text.find('.', at) : text.size();
        if (dot == std::string::npos)
            return false;
        const auto part =
            dm::platform::integerFromText(std::string_view(text).substr(at, dot - at));
        if (!part || *part < 0 || *part > 0xFFFF)
            return false;
        parts[i] = static_cast<std::uint32_t>(*part);
        at = dot + 1;
    }
    ms = parts[0] << 16 | parts[1];
    ls = parts[2] << 16 | parts[3];
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: %s <output.cpp> <file version> <product version> "
                     "<Name=Value>...\n",
                     argv[0]);
        return 2;
    }
    dm::platform::FixedFileInfo fixed;
    if (!parseVersion(argv[2], fixed.FileVersionMS, fixed.FileVersionLS) ||
        !parseVersion(argv[3], fixed.ProductVersionMS, fixed.ProductVersionLS)) {
        std::fprintf(stderr, "versions must read a.b.c.d\n");
        return 2;
    }
    fixed.FileFlagsMask = 0x3F;
    fixed.FileOS = 0x00040004; // VOS_NT_WINDOWS32
    fixed.FileType = 1;        // VFT_APP

    dm::platform::VersionResourceContent content;
    content.Fixed = fixed;
    content.Translations = std::vector<std::uint32_t>{0x04B00409}; // US English, Unicode
    auto& table = content.StringTables.emplace_back();
    table.Key = "040904b0";
    for (int i = 4; i < argc; ++i) {
        const std::string pair = argv[i];
        const auto eq = pair.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "expected Name=Value: %s\n", argv[i]);
            return 2;
        }
        table.Strings.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
    }
    const std::string block = dm::platform::writeVersionBlock(content);

    std::ostringstream out;
    out << "// Generated at build time: the program's version resource.\n"
           "#if defined(__has_attribute)\n"
           "#if __has_attribute(retain)\n"
           "#define DM_VERSION_RETAIN __attribute__((retain))\n"
           "#endif\n"
           "#endif\n"
           "#ifndef DM_VERSION_RETAIN\n"
           "#define DM_VERSION_RETAIN\n"
           "#endif\n"
           "extern const unsigned char dimmetric_version_resource[];\n"
           "__attribute__((used, aligned(4), section(\""
        << dm::platform::kVersionSectionName
        << "\"))) DM_VERSION_RETAIN\nconst unsigned char dimmetric_version_resource[] = {";
    for (std::size_t i = 0; i < block.size(); ++i)
        out << (i % 16 == 0 ? "\n    " : " ")
            << static_cast<unsigned>(static_cast<unsigned char>(block[i])) << ',';
    out << "\n};\n";

    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    file.close();
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
