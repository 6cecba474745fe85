// The SMBIOS images in samples/: plausible desktops and a server.
#pragma once

#include <string>
#include <vector>

namespace dm::test {

// The SMBIOS images in samples/: plausible desktops and a server, to show the window filled on a
// machine whose firmware tables cannot be read.
struct SampleImage {
    std::string FileName;
    std::string Bytes;
};

std::vector<SampleImage> sampleImages();

} // namespace dm::test
