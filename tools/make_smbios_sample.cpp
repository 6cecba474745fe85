// Writes a sample SMBIOS image (as `dmidecode --dump-bin` writes it) of a board with SLOTS slots
// and MODULES modules, for DIMMETRIC_SMBIOS.
#include "support/SmbiosWriter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FILE SLOTS MODULES [MAJOR MINOR]\n", argv[0]);
        return 2;
    }
    const int major = argc > 5 ? std::atoi(argv[4]) : 3;
    const int minor = argc > 5 ? std::atoi(argv[5]) : 3;
    const std::string image =
        dm::test::sampleBoard(std::atoi(argv[2]), std::atoi(argv[3]), major, minor).imageText();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    return out.good() ? 0 : 1;
}
