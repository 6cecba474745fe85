#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dm::platform {

// Random access to the bytes of a file or a buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Exactly Count bytes from Offset into Out; False (Out unspecified) when they are not all
    // there.
    virtual bool ReadAt(std::uint64_t Offset, std::size_t Count, std::string& Out) const = 0;
};

// The bytes of a buffer that outlives the source.
class BufferByteSource final : public ByteSource {
public:
    explicit BufferByteSource(std::string_view Bytes) : bytes_(Bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t Offset, std::size_t Count, std::string& Out) const override {
        if (Offset > bytes_.size() || Count > bytes_.size() - Offset)
            return false;
        Out.assign(bytes_.substr(Offset, Count));
        return true;
    }

private:
    std::string_view bytes_;
};

} // namespace dm::platform
