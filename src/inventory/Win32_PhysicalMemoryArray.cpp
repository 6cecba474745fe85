// The board's memory arrays record: its field table and its loading.
#include "inventory/Win32_PhysicalMemoryArray.h"

namespace dm {

const std::vector<RecordField<Win32_PhysicalMemoryArray>>& Win32_PhysicalMemoryArray::fields() {
    using R = Win32_PhysicalMemoryArray;
    static const std::vector<RecordField<R>> kFields = {
        recordField("Caption", &R::Caption, VarToStrDef),
        recordField("CreationClassName", &R::CreationClassName, VarToStrDef),
        recordField("Depth", &R::Depth, VarToDoubleDef),
        recordField("Description", &R::Description, VarToStrDef),
        recordField("Height", &R::Height, VarToDoubleDef),
        recordField("HotSwappable", &R::HotSwappable, VarToBooleanDef),
        recordField("InstallDate", &R::InstallDate, WmiDateTimeToDateTime),
        recordField("Location", &R::Location, VarToWordDef),
        recordField("Manufacturer", &R::Manufacturer, VarToStrDef),
        recordField("MaxCapacity", &R::MaxCapacity, VarToIntegerDef),
        recordField("MaxCapacityEx", &R::MaxCapacityEx, VarToInt64Def),
        recordField("MemoryDevices", &R::MemoryDevices, VarToWordDef),
        recordField("MemoryErrorCorrection", &R::MemoryErrorCorrection, VarToWordDef),
        recordField("Model", &R::Model, VarToStrDef),
        recordField("Name", &R::Name, VarToStrDef),
        recordField("OtherIdentifyingInfo", &R::OtherIdentifyingInfo, VarToStrDef),
        recordField("PartNumber", &R::PartNumber, VarToStrDef),
        recordField("PoweredOn", &R::PoweredOn, VarToBooleanDef),
        recordField("Removable", &R::Removable, VarToBooleanDef),
        recordField("Replaceable", &R::Replaceable, VarToBooleanDef),
        recordField("SerialNumber", &R::SerialNumber, VarToStrDef),
        recordField("SKU", &R::SKU, VarToStrDef),
        recordField("Status", &R::Status, VarToStrDef),
        recordField("Tag", &R::Tag, VarToStrDef),
        recordField("Use", &R::Use, VarToWordDef),
        recordField("Version", &R::Version, VarToStrDef),
        recordField("Weight", &R::Weight, VarToDoubleDef),
        recordField("Width", &R::Width, VarToDoubleDef),
    };
    return kFields;
}

Win32_PhysicalMemoryArray::Win32_PhysicalMemoryArray(platform::WmiLocator& locator, bool autoLoad)
    : WmiRecord(locator, "root\\CIMV2", "Win32_PhysicalMemoryArray") {
    if (autoLoad)
        LoadInstances();
}

Win32_PhysicalMemoryArray::Win32_PhysicalMemoryArray(WmiConnection& connection, bool autoLoad)
    : WmiRecord(connection, "Win32_PhysicalMemoryArray") {
    if (autoLoad)
        LoadInstances();
}

} // namespace dm
