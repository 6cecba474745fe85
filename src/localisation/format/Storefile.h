// The record file: tagged, variable-length records behind a fixed signature.
#pragma once

#include "platform/Error.h"
#include "platform/files/RandomAccessFile.h"

namespace dm::platform {
class FileSystem;
}

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace dm {

// The record file's only error: a write, append or clear while the file reads as read-only.
class StorefileError : public Error {
public:
    StorefileError() : Error("Attempt to write a data while in ReadOnly mode") {}
};

// A file of tagged, variable-length records behind a fixed signature. Layout (integers
// 32-bit little-endian): the signature bytes, the record count, then the records back to back,
// each as length (payload + 8), tag, payload, back length (payload + 12). Records are appended at
// the end only and read forwards or backwards one at a time.
//
// A record whose length is below 8 or that runs past the end of the file counts as the end of
// the file; no read copies more than the caller asked for.
class Storefile {
public:
    // The file is opened, created and deleted through files.
    explicit Storefile(platform::FileSystem& files) : files_(files) {}
    ~Storefile();
    Storefile(const Storefile&) = delete;
    Storefile& operator=(const Storefile&) = delete;

    // The file system the file lives in.
    platform::FileSystem& files() const { return files_; }

    const std::string& Signature() const { return signature_; }
    void setSignature(std::string value) { signature_ = std::move(value); }
    // A name without a folder part is completed with the current folder on opening.
    const std::string& Filename() const { return filename_; }
    void setFilename(std::string value) { filename_ = std::move(value); }
    // True when read-only access was asked for or forced by a file that can't be written.
    bool ReadOnly() const { return readOnlyRequested_ || readOnlyForced_; }
    void setReadOnly(bool value) { readOnlyRequested_ = value; }

    bool Active() const { return file_ != nullptr; }
    // Opening creates a missing file (even for read-only access); a file that can't be opened
    // or created, or whose signature differs, leaves the file inactive. Closing writes the count.
    void SetActive(bool value);

    std::int32_t Count() const { return Active() ? count_ : 0; }
    bool Eof() const { return !current_.has_value(); }

    bool First();
    bool Last();
    bool Next();
    bool Prior();
    void GoTo(std::int32_t index);

    // Payload size of the current record; 0 at the end.
    std::int32_t DataSize() const;
    // Copies up to size payload bytes (all of them when size is negative) into buffer; size
    // returns the number copied. Returns the record's tag, 0 at the end.
    std::int32_t ReadData(void* buffer, std::int32_t& size, bool advance);
    std::int32_t ReadString(std::string& text, bool advance);
    // Fills only as many low-order bytes of value as the payload has (at most 4).
    std::int32_t ReadInteger(std::int32_t& value, bool advance);

    // Append one record at the end; return the new count, or 0 when nothing was written.
    std::int32_t WriteData(std::int32_t tag, const void* buffer, std::int32_t size);
    std::int32_t WriteString(std::int32_t tag, const std::string& text);
    std::int32_t WriteInteger(std::int32_t tag, std::int32_t value);

    // Deletes the file; an active file is opened again as a new, empty one.
    void Clear();

private:
    void open();
    void close();
    void settle();
    void moveTo(std::int64_t position, std::int32_t recNo);
    bool recordFitsAt(std::int64_t position, std::int32_t backLength) const;
    std::optional<std::int32_t> readInt32At(std::int64_t offset) const;
    bool readAt(std::int64_t offset, void* buffer, std::int64_t size) const;
    bool writeInt32At(std::int64_t offset, std::int32_t value);
    void checkWritable() const;

    std::string signature_;
    std::string filename_;
    bool readOnlyRequested_ = false;
    bool readOnlyForced_ = false;

    platform::FileSystem& files_;
    std::unique_ptr<platform::RandomAccessFile> file_;
    bool writable_ = false;
    std::int32_t count_ = 0;
    std::int32_t recNo_ = 0;
    std::int64_t position_ = 0;
    std::int64_t dataStart_ = 0;
    std::int64_t fileEnd_ = 0;
    // Length field of the intact record at position_; empty at the end.
    std::optional<std::int32_t> current_;
};

} // namespace dm
