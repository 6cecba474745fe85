// Arbitrary bytes as an update reply body (after 8 bytes giving the running version's two
// words): the reply is read, and what it says must hold together.
#include "update/Version.h"
#include "update/net/UpdateProtocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint32_t words[2] = {0, 0};
    if (size >= sizeof(words)) {
        std::memcpy(words, data, sizeof(words));
        data += sizeof(words);
        size -= sizeof(words);
    }
    const std::string body(reinterpret_cast<const char*>(data), size);
    const dm::update::UpdateReply reply = dm::update::readUpdateReply(body, words[0], words[1]);
    if (reply.newer && !reply.valid)
        std::abort();
    // The version text read back gives the same version.
    const dm::update::VigilVersion read(reply.versionText);
    if (read.ToText() != reply.versionText)
        std::abort();
    if (reply.valid && (read.Major < 0 || read.Minor < 0 || read.Release < 0 || read.Build < 0))
        std::abort();
    if (reply.newer && !read.IsNewerThanDwords(words[0], words[1]))
        std::abort();
    // The body as name and company makes a request target of URL-safe characters only.
    const std::string target =
        dm::update::updateRequestTarget(body, body, read.MSText(), read.LSText());
    for (const char c : target) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F)
            std::abort();
    }
    return 0;
}
