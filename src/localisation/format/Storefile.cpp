// The record file: tagged records behind a signature, appended and read either way.
#include "localisation/format/Storefile.h"

#include "localisation/format/InRange.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "platform/text/ByteOrder.h"

#include <array>
#include <cstring>

namespace dm {

namespace {

constexpr std::int64_t kHeadSize = 8;   // length and tag fields
constexpr std::int64_t kFrameSize = 12; // length, tag and back length fields

std::array<unsigned char, 4> littleEndian(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    return {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
            static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
}

std::int32_t fromLittleEndian(const unsigned char* b) {
    return static_cast<std::int32_t>(platform::readUnsigned(b, 0, 4));
}

std::string completedFilename(platform::FileSystem& files, const std::string& name) {
    if (!platform::folderOfPath(name).empty())
        return name;
    const std::string folder = files.currentFolder();
    return folder.empty() ? name : folder + "/" + name;
}

} // namespace

Storefile::~Storefile() {
    SetActive(false);
}

void Storefile::SetActive(bool value) {
    if (value) {
        if (!Active() && !filename_.empty())
            open();
    } else {
        close();
    }
}

void Storefile::open() {
    filename_ = completedFilename(files_, filename_);
    const auto signatureSize = static_cast<std::int64_t>(signature_.size());
    using Mode = platform::RandomAccessFile::Mode;
    // Why an open failed is not kept: the file just stays inactive.
    const auto openAs = [&](Mode mode) {
        return std::unique_ptr<platform::RandomAccessFile>(
            files_.openRandomAccess(filename_, mode));
    };

    if (const auto entry = files_.status(filename_)) {
        if (entry->type != platform::EntryStatus::Type::File)
            return;
        if (!readOnlyRequested_)
            file_ = openAs(Mode::ReadWrite);
        writable_ = file_ != nullptr;
        if (!file_) {
            if (!readOnlyRequested_)
                readOnlyForced_ = true;
            file_ = openAs(Mode::Read);
        }
        if (!file_)
            return;
        fileEnd_ = file_->size().value_or(-1);
        std::string head(static_cast<std::size_t>(signatureSize), '\0');
        // A file too short for its signature and count is no record file.
        const auto count =
            fileEnd_ >= signatureSize + 4 ? readInt32At(signatureSize) : std::nullopt;
        if (!count || !readAt(0, head.data(), signatureSize) || head != signature_) {
            file_.reset();
            writable_ = false;
            fileEnd_ = 0;
            return;
        }
        count_ = *count;
        dataStart_ = signatureSize + 4;
        moveTo(dataStart_, 0);
        return;
    }

    readOnlyForced_ = false;
    const std::string folder = platform::folderOfPath(filename_);
    if (!folder.empty())
        files_.createDirectories(folder); // a failure shows as the create's
    file_ = openAs(Mode::Create);
    if (!file_)
        return;
    writable_ = true;
    file_->writeAt(0, signature_);
    writeInt32At(signatureSize, 0);
    count_ = 0;
    dataStart_ = fileEnd_ = signatureSize + 4;
    moveTo(dataStart_, 0);
}

void Storefile::close() {
    readOnlyForced_ = false;
    if (Active()) {
        if (writable_)
            writeInt32At(dataStart_ - 4, count_);
        file_.reset();
    }
    writable_ = false;
    count_ = recNo_ = 0;
    position_ = fileEnd_ = dataStart_ = 0;
    current_.reset();
}

std::optional<std::int32_t> Storefile::readInt32At(std::int64_t offset) const {
    unsigned char b[4];
    if (!readAt(offset, b, 4))
        return std::nullopt;
    return fromLittleEndian(b);
}

bool Storefile::readAt(std::int64_t offset, void* buffer, std::int64_t size) const {
    if (!file_ || offset < 0 || size < 0 || offset + size > fileEnd_)
        return false;
    if (size == 0)
        return true;
    const auto bytes = file_->readAt(offset, static_cast<std::size_t>(size));
    if (!bytes) {
        std::memset(buffer, 0, static_cast<std::size_t>(size));
        return false;
    }
    std::memcpy(buffer, bytes->data(), bytes->size());
    return true;
}

bool Storefile::writeInt32At(std::int64_t offset, std::int32_t value) {
    const auto bytes = littleEndian(value);
    return file_->writeAt(
        offset, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Looks at the record at position_: it is current only when its length field is at least 8 and
// the whole record lies inside the file.
void Storefile::settle() {
    current_.reset();
    if (!Active() || position_ >= fileEnd_)
        return;
    const auto length = readInt32At(position_);
    if (length && *length >= kHeadSize && *length <= fileEnd_ - position_ - 4)
        current_ = *length;
}

void Storefile::moveTo(std::int64_t position, std::int32_t recNo) {
    position_ = position;
    recNo_ = recNo;
    settle();
}

// True when an intact record with the given back length starts at position.
bool Storefile::recordFitsAt(std::int64_t position, std::int32_t backLength) const {
    if (backLength < kFrameSize || position < dataStart_)
        return false;
    const auto length = readInt32At(position);
    return length && *length == backLength - 4 && position + backLength <= fileEnd_;
}

bool Storefile::First() {
    recNo_ = 0;
    if (!Active())
        return false;
    moveTo(dataStart_, 0);
    return true;
}

bool Storefile::Last() {
    if (!Active()) {
        recNo_ = 0;
        return false;
    }
    moveTo(dataStart_, 0);
    if (count_ <= 0)
        return true;
    const auto back = readInt32At(fileEnd_ - 4);
    if (back && recordFitsAt(fileEnd_ - *back, *back)) {
        moveTo(fileEnd_ - *back, count_ - 1);
        return true;
    }
    // The file doesn't end with an intact record: walk to the last one that is.
    while (current_) {
        const auto next = position_ + 4 + *current_;
        const auto length = readInt32At(next);
        if (!length || *length < kHeadSize || *length > fileEnd_ - next - 4)
            break;
        moveTo(next, recNo_ + 1);
    }
    return true;
}

bool Storefile::Next() {
    if (Eof())
        return false;
    moveTo(position_ + 4 + *current_, recNo_ + 1);
    return true;
}

bool Storefile::Prior() {
    if (!Active() || recNo_ == 0)
        return false;
    const auto back = readInt32At(position_ - 4);
    if (!back || position_ - 4 < dataStart_ || !recordFitsAt(position_ - *back, *back))
        return false;
    moveTo(position_ - *back, recNo_ - 1);
    return true;
}

void Storefile::GoTo(std::int32_t index) {
    if (!InRange(index, 0, Count()) || index == recNo_)
        return;
    if (index < recNo_) {
        if (index < recNo_ - index) {
            First();
            while (recNo_ < index && Next()) {
            }
        } else {
            while (recNo_ > index && Prior()) {
            }
        }
    } else if (index - recNo_ < count_ - index) {
        while (recNo_ < index && Next()) {
        }
    } else {
        Last();
        while (recNo_ > index && Prior()) {
        }
    }
}

std::int32_t Storefile::DataSize() const {
    return current_ ? *current_ - static_cast<std::int32_t>(kHeadSize) : 0;
}

std::int32_t Storefile::ReadData(void* buffer, std::int32_t& size, bool advance) {
    if (Eof()) {
        size = 0;
        return 0;
    }
    const std::int32_t payload = DataSize();
    if (size < 0 || size > payload)
        size = payload;
    const std::int32_t tag = readInt32At(position_ + 4).value_or(0);
    if (!readAt(position_ + kHeadSize, buffer, size))
        std::memset(buffer, 0, static_cast<std::size_t>(size));
    if (advance)
        moveTo(position_ + payload + kFrameSize, recNo_ + 1);
    return tag;
}

std::int32_t Storefile::ReadString(std::string& text, bool advance) {
    text.assign(static_cast<std::size_t>(DataSize()), '\0');
    std::int32_t size = -1;
    return ReadData(text.data(), size, advance);
}

std::int32_t Storefile::ReadInteger(std::int32_t& value, bool advance) {
    auto bytes = littleEndian(value);
    std::int32_t size = 4;
    const std::int32_t tag = ReadData(bytes.data(), size, advance);
    value = fromLittleEndian(bytes.data());
    return tag;
}

void Storefile::checkWritable() const {
    if (ReadOnly())
        throw StorefileError();
}

std::int32_t Storefile::WriteData(std::int32_t tag, const void* buffer, std::int32_t size) {
    checkWritable();
    // A count that can't grow (a broken count field) takes no more records.
    if (!Active() || !writable_ || position_ != fileEnd_ || size < 0 ||
        size > INT32_MAX - kFrameSize || count_ == INT32_MAX)
        return 0;
    writeInt32At(fileEnd_, size + static_cast<std::int32_t>(kHeadSize));
    writeInt32At(fileEnd_ + 4, tag);
    if (size > 0)
        file_->writeAt(fileEnd_ + kHeadSize, std::string_view(static_cast<const char*>(buffer),
                                                              static_cast<std::size_t>(size)));
    writeInt32At(fileEnd_ + kHeadSize + size, size + static_cast<std::int32_t>(kFrameSize));
    fileEnd_ += size + kFrameSize;
    ++count_;
    moveTo(fileEnd_, recNo_ + 1);
    return count_;
}

std::int32_t Storefile::WriteString(std::int32_t tag, const std::string& text) {
    if (text.size() > static_cast<std::size_t>(INT32_MAX - kFrameSize)) {
        checkWritable();
        return 0;
    }
    return WriteData(tag, text.data(), static_cast<std::int32_t>(text.size()));
}

std::int32_t Storefile::WriteInteger(std::int32_t tag, std::int32_t value) {
    const auto bytes = littleEndian(value);
    return WriteData(tag, bytes.data(), 4);
}

void Storefile::Clear() {
    checkWritable();
    if (Active()) {
        close();
        files_.removeEntry(filename_); // a missing file is no error
        open();
    } else {
        files_.removeEntry(filename_); // a missing file is no error
    }
}

} // namespace dm
