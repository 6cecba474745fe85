// Writes a sample SMBIOS image (as `dmidecode --dump-bin` writes it) of a board with SLOTS slots
// and MODULES modules, for DIMMETRIC_SMBIOS.
#include "support/SmbiosWriter.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: %s FILE SLOTS MODULES [MAJOR MINOR] [--maker TEXT] [--part TEXT]\n";

std::optional<int> number(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> positional;
    std::string maker = "Kingston";
    std::string part = "KHX2400C15/8G";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--maker" || arg == "--part") && i + 1 < argc)
            (arg == "--maker" ? maker : part) = argv[++i];
        else
            positional.push_back(arg);
    }
    if (positional.size() != 3 && positional.size() != 5) {
        std::fprintf(stderr, kUsage, argv[0]);
        return 2;
    }
    const std::optional<int> slots = number(positional[1], 0, 0xFFFF);
    const std::optional<int> modules = slots ? number(positional[2], 0, *slots) : std::nullopt;
    const std::optional<int> major = positional.size() == 5 ? number(positional[3], 2, 3) : 3;
    const std::optional<int> minor = positional.size() == 5 ? number(positional[4], 0, 15) : 3;
    if (!slots || !modules || !major || !minor) {
        std::fprintf(stderr, "%s: SLOTS must be 0 to 65535, MODULES 0 to SLOTS, MAJOR 2 or 3\n",
                     argv[0]);
        std::fprintf(stderr, kUsage, argv[0]);
        return 2;
    }
    const dm::test::SmbiosWriter board =
        dm::test::sampleBoard(*slots, *modules, *major, *minor, maker, part);
    if (!board.entryPointCanDescribeTable()) {
        std::fprintf(stderr,
                     "%s: a table of %d slots is too large for an SMBIOS %d.%d entry point "
                     "(at most 65535 bytes); use SMBIOS 3\n",
                     argv[0], *slots, *major, *minor);
        return 1;
    }
    const std::string image = board.imageText();
    std::ofstream out(std::string(positional[0]), std::ios::binary);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    if (!out.good()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], std::string(positional[0]).c_str());
        return 1;
    }
    return 0;
}
