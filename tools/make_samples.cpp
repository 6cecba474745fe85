// Writes the SMBIOS sample images into the folder given (samples/ of the repository).
#include "app/SampleImages.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (const auto& sample : dm::test::sampleImages()) {
        std::ofstream out(std::string(argv[1]) + "/" + sample.FileName,
                          std::ios::binary | std::ios::trunc);
        out << sample.Bytes;
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", sample.FileName.c_str());
            return 1;
        }
    }
    return 0;
}
