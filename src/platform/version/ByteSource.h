#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dm::platform {

// Random access to the bytes of a file or a buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly Count bytes from Offset into Out; False (Out unspecified) when they are not all
    // there.
    virtual bool readAt(std::uint64_t offset, std::size_t count, std::string& out) const = 0;
};

// The bytes of a buffer that outlives the source.
class BufferByteSource final : public ByteSource {
public:
    explicit BufferByteSource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, std::size_t count, std::string& out) const override {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            return false;
        out.assign(bytes_.substr(offset, count));
        return true;
    }

private:
    std::string_view bytes_;
};

} // namespace dm::platform
