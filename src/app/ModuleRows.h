// The facts of a memory module and the rows and log lines of its slot list.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dm {

// The facts of one memory module that the slot list shows.
struct ModuleFacts {
    std::string DeviceLocator;
    std::string Manufacturer;
    std::string PartNumber;
    std::string SerialNumber;
    std::int64_t Capacity = 0; // bytes
    std::uint16_t MemoryType = 0;
    std::uint32_t Speed = 0; // MHz
};

// The type text of a module: the type name with its speed class, and the text before rounding
// when the rounding changed it (the "RawType :" log line).
struct TypeText {
    std::string Shown;
    std::optional<std::string> Raw;
};

// DDR2 to DDR5 get their PC bandwidth name rounded down to hundreds ("DDR4 / PC4-21300"), DDR its
// unrounded one without generation ("DDR / PC-3200"), anything else "@ <speed>MHz". A speed of 0
// leaves the name as it is.
TypeText moduleTypeText(const std::string& typeName, std::uint32_t speed);

// "N/A" for an empty serial number or one of only "0" characters, else the serial number.
std::string serialText(const std::string& serialNumber);

struct SlotRow {
    std::string Caption;
    std::string Value;
};

// The six rows of a module's slot list and the log lines written while they are filled.
struct ModuleReport {
    std::vector<SlotRow> Rows;
    std::vector<std::string> LogLines;
};

using Translator = std::function<std::string(const std::string&)>;

// Builds the rows "Slot Name", "Capacity", "Manufacturer", "Model", "Type" and "Serial#" of module
// row `index` (captions through ts) with their log lines, each prefixed by the row number and a
// tab.
ModuleReport describeModule(int index, const ModuleFacts& module, const Translator& ts);

// The "Get Specification" search address on host for a list's manufacturer and model values.
std::string specificationAddress(const std::string& host, const std::string& manufacturer,
                                 const std::string& model);

} // namespace dm
