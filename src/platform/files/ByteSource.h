// Random access to the bytes of a file or a buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dm::platform {

// Random access to the bytes of a file or a buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly count bytes from offset; nullopt when they are not all there.
    virtual std::optional<std::string> readAt(std::uint64_t offset, std::size_t count) const = 0;
};

// The bytes of a buffer that outlives the source.
class BufferByteSource final : public ByteSource {
public:
    explicit BufferByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::optional<std::string> readAt(std::uint64_t offset, std::size_t count) const override {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            return std::nullopt;
        return std::string(bytes_.substr(offset, count));
    }

private:
    std::string_view bytes_;
};

} // namespace dm::platform
