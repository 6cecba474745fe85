// One instance of a WMI class: its property values by position and the object they came from.
#pragma once

#include "platform/wmi/Wmi.h"

#include <cstddef>
#include <vector>

namespace dm {

// One instance of a WMI class: its property values by the position of their names in the class's
// name list, and the WMI object they came from, kept alive with the row.
class DataWmiClass {
public:
    static constexpr std::size_t kValueSlots = 256;

    // A row with room for `propertyCount` values and never fewer than 256, all Null.
    explicit DataWmiClass(std::size_t propertyCount)
        : Values(propertyCount > kValueSlots ? propertyCount : kValueSlots) {}

    std::vector<platform::Variant> Values;
    platform::WmiObjectRef Holder;
};

} // namespace dm
