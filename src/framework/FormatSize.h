// Byte counts as short texts with their unit (B, KB, MB, GB, TB).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace dm {

// Names of bytes, kilobytes, megabytes, gigabytes and terabytes.
using SizeUnitNames = std::array<std::string, 5>;

// The names a size carries until the main window sets its translated ones.
SizeUnitNames defaultSizeUnitNames(); // "b.", "Kb.", "Mb.", "Gb.", "Tb."

// A byte count as a short text with its unit: below 1024 the count padded to four characters;
// else the value in the largest unit up to terabytes, truncated from 1000 on and otherwise with at
// most three significant digits and decimalSeparator.
std::string FormatSize(std::int64_t size, const SizeUnitNames& units,
                       const std::string& decimalSeparator);

// The unit-name table of a run with the user's decimal separator.
class SizeFormatter {
public:
    explicit SizeFormatter(std::string decimalSeparator = ".");

    void setUnitNames(SizeUnitNames names) { units_ = std::move(names); }
    std::string FormatSize(std::int64_t size) const;

private:
    SizeUnitNames units_;
    std::string decimalSeparator_;
};

} // namespace dm
