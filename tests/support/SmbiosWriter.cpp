// Writes SMBIOS memory structures, tables and images in the layout of a given version.
#include "SmbiosWriter.h"

#include <algorithm>

namespace dm::test {

namespace {

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putAt(std::vector<std::uint8_t>& out, std::size_t offset, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint8_t checksum(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = from; i < from + count; ++i)
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    return static_cast<std::uint8_t>(0x100 - sum);
}

// Collects the strings of a structure and gives each its number (0 for an absent one).
class StringSet {
public:
    std::uint8_t number(const std::optional<std::string>& text) {
        if (!text || text->empty())
            return 0;
        strings.push_back(*text);
        return static_cast<std::uint8_t>(strings.size());
    }
    std::vector<std::string> strings;
};

} // namespace

SmbiosWriter::SmbiosWriter(int major, int minor) : major_(major), minor_(minor) {}

SmbiosWriter& SmbiosWriter::Add(std::uint8_t type, const std::vector<std::uint8_t>& fields,
                                const std::vector<std::string>& strings) {
    const std::size_t start = structures_.size();
    structures_.push_back(type);
    structures_.push_back(static_cast<std::uint8_t>(4 + fields.size()));
    put(structures_, nextHandle_++, 2);
    structures_.insert(structures_.end(), fields.begin(), fields.end());
    for (const std::string& s : strings) {
        structures_.insert(structures_.end(), s.begin(), s.end());
        structures_.push_back(0);
    }
    if (strings.empty())
        structures_.push_back(0);
    structures_.push_back(0);
    ++count_;
    maxStructureSize_ = std::max(maxStructureSize_, int(structures_.size() - start));
    return *this;
}

SmbiosWriter& SmbiosWriter::addBytes(const std::vector<std::uint8_t>& bytes) {
    structures_.insert(structures_.end(), bytes.begin(), bytes.end());
    return *this;
}

SmbiosWriter& SmbiosWriter::addArray(const SmbiosMemoryArray& array) {
    const bool extendedField = major_ > 2 || (major_ == 2 && minor_ >= 7);
    const bool extended = array.maxCapacityKb >= 0x80000000 && extendedField;
    std::vector<std::uint8_t> f;
    f.push_back(array.location);
    f.push_back(array.use);
    f.push_back(array.errorCorrection);
    put(f, extended ? 0x80000000 : std::min<std::uint64_t>(array.maxCapacityKb, 0xFFFFFFFF), 4);
    put(f, 0xFFFE, 2); // no error information
    put(f, array.memoryDevices, 2);
    if (extendedField)
        put(f, extended ? array.maxCapacityKb * 1024 : 0, 8);
    lastArrayHandle_ = nextHandle_;
    return Add(16, f);
}

SmbiosWriter& SmbiosWriter::addDevice(const SmbiosMemoryDevice& d) {
    const int version = major_ * 100 + minor_;
    std::size_t length = 0x15;
    if (version >= 303)
        length = 0x5C;
    else if (version >= 302)
        length = 0x54;
    else if (version >= 208)
        length = 0x28;
    else if (version >= 207)
        length = 0x22;
    else if (version >= 206)
        length = 0x1C;
    else if (version >= 203)
        length = 0x1B;

    StringSet strings;
    std::vector<std::uint8_t> f(length - 4, 0);
    const auto at = [&](std::size_t offset, std::uint64_t value, int bytes) {
        if (offset + bytes <= length)
            putAt(f, offset - 4, value, bytes);
    };
    at(0x04, lastArrayHandle_, 2);
    at(0x06, 0xFFFE, 2);
    at(0x08, d.totalWidth, 2);
    at(0x0A, d.dataWidth, 2);
    const bool extendedSize = d.sizeMb >= 0x7FFF && length >= 0x22;
    at(0x0C, extendedSize ? 0x7FFF : std::min<std::uint64_t>(d.sizeMb, 0x7FFE), 2);
    at(0x0E, d.formFactor, 1);
    at(0x10, strings.number(d.deviceLocator), 1);
    at(0x11, strings.number(d.bankLocator), 1);
    at(0x12, d.memoryType, 1);
    at(0x13, d.typeDetail, 2);
    const bool extendedSpeeds = length >= 0x5C;
    const auto speedWord = [&](std::uint32_t speed) {
        return speed > 0xFFFE ? (extendedSpeeds ? 0xFFFF : 0xFFFE) : speed;
    };
    at(0x15, speedWord(d.speed), 2);
    if (length >= 0x1B) {
        at(0x17, strings.number(d.manufacturer), 1);
        at(0x18, strings.number(d.serialNumber), 1);
        at(0x19, strings.number(d.assetTag), 1);
        at(0x1A, strings.number(d.partNumber), 1);
    }
    at(0x1B, d.rank, 1);
    at(0x1C, extendedSize ? d.sizeMb : 0, 4);
    at(0x20, speedWord(d.configuredSpeed), 2);
    at(0x22, d.minimumVoltage, 2);
    at(0x24, d.maximumVoltage, 2);
    at(0x26, d.configuredVoltage, 2);
    at(0x28, 0x02, 1); // memory technology unknown
    at(0x54, d.speed > 0xFFFE ? d.speed : 0, 4);
    at(0x58, d.configuredSpeed > 0xFFFE ? d.configuredSpeed : 0, 4);
    return Add(17, f, strings.strings);
}

std::vector<std::uint8_t> SmbiosWriter::table() const {
    std::vector<std::uint8_t> table = structures_;
    const std::vector<std::uint8_t> end = {127, 4, 0xFF, 0xFE, 0, 0};
    table.insert(table.end(), end.begin(), end.end());
    return table;
}

std::vector<std::uint8_t> SmbiosWriter::entryPoint(std::uint64_t address) const {
    const std::size_t tableLength = table().size();
    std::vector<std::uint8_t> e;
    if (major_ >= 3) {
        e = {'_', 'S', 'M', '3', '_', 0, 0x18, std::uint8_t(major_), std::uint8_t(minor_), 0, 1, 0};
        put(e, tableLength, 4);
        put(e, address, 8);
        e[5] = checksum(e, 0, e.size());
        return e;
    }
    e = {'_', 'S', 'M', '_', 0, 0x1F, std::uint8_t(major_), std::uint8_t(minor_)};
    put(e, std::max(maxStructureSize_, 6), 2);
    e.insert(e.end(), {0, 0, 0, 0, 0, 0});
    e.insert(e.end(), {'_', 'D', 'M', 'I', '_', 0});
    put(e, tableLength, 2);
    put(e, address, 4);
    put(e, count_ + 1, 2);
    e.push_back(static_cast<std::uint8_t>((major_ << 4) | (minor_ & 0x0F)));
    e[0x15] = checksum(e, 0x10, 0x0F);
    e[0x04] = checksum(e, 0, 0x1F);
    return e;
}

std::vector<std::uint8_t> SmbiosWriter::image() const {
    std::vector<std::uint8_t> image = entryPoint(0x20);
    image.resize(0x20, 0);
    const std::vector<std::uint8_t> structures = table();
    image.insert(image.end(), structures.begin(), structures.end());
    return image;
}

std::string SmbiosWriter::imageText() const {
    const std::vector<std::uint8_t> bytes = image();
    return std::string(bytes.begin(), bytes.end());
}

bool SmbiosWriter::entryPointCanDescribeTable() const {
    return major_ >= 3 ? table().size() <= 0xFFFFFFFF
                       : table().size() <= 0xFFFF && count_ + 1 <= 0xFFFF;
}

SmbiosWriter sampleBoard(int slots, int modules, int major, int minor, const std::string& maker,
                         const std::string& part) {
    SmbiosWriter writer(major, minor);
    writer.addArray({.maxCapacityKb = 64ull * 1024 * 1024, .memoryDevices = std::uint16_t(slots)});
    for (int i = 0; i < slots; ++i) {
        SmbiosMemoryDevice d;
        d.deviceLocator = "DIMM" + std::to_string(i);
        d.bankLocator = "BANK " + std::to_string(i);
        if (i < modules) {
            d.sizeMb = 8192;
            d.manufacturer = maker;
            d.serialNumber = "1A2B3C" + std::to_string(i);
            d.partNumber = part;
            d.speed = 2400;
            d.configuredSpeed = 2400;
        }
        writer.addDevice(d);
    }
    return writer;
}

} // namespace dm::test
