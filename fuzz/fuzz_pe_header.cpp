// Arbitrary bytes as an executable file through the PE header reader.
#include "platform/files/ByteSource.h"
#include "update/identify/facts/ExecutableFacts.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dm::update::ReadPEHeader(dm::platform::BufferByteSource(bytes));
    return 0;
}
