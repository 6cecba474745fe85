// The memory modules record: its field table and its loading.
#include "inventory/Win32_PhysicalMemory.h"

namespace dm {

const std::vector<RecordField<Win32_PhysicalMemory>>& Win32_PhysicalMemory::fields() {
    using R = Win32_PhysicalMemory;
    static const std::vector<RecordField<R>> kFields = {
        recordField("BankLabel", &R::BankLabel, VarToStrDef),
        recordField("Capacity", &R::Capacity, VarToInt64Def),
        recordField("Caption", &R::Caption, VarToStrDef),
        recordField("CreationClassName", &R::CreationClassName, VarToStrDef),
        recordField("DataWidth", &R::DataWidth, VarToWordDef),
        recordField("Description", &R::Description, VarToStrDef),
        recordField("DeviceLocator", &R::DeviceLocator, VarToStrDef),
        recordField("FormFactor", &R::FormFactor, VarToWordDef),
        recordField("HotSwappable", &R::HotSwappable, VarToBooleanDef),
        recordField("InstallDate", &R::InstallDate, WmiDateTimeToDateTime),
        recordField("InterleaveDataDepth", &R::InterleaveDataDepth, VarToWordDef),
        recordField("InterleavePosition", &R::InterleavePosition, VarToIntegerDef),
        recordField("Manufacturer", &R::Manufacturer, VarToStrDef),
        recordField("MemoryType", &R::MemoryType, VarToWordDef),
        recordField("Model", &R::Model, VarToStrDef),
        recordField("Name", &R::Name, VarToStrDef),
        recordField("OtherIdentifyingInfo", &R::OtherIdentifyingInfo, VarToStrDef),
        recordField("PartNumber", &R::PartNumber, VarToStrDef),
        recordField("PositionInRow", &R::PositionInRow, VarToIntegerDef),
        recordField("PoweredOn", &R::PoweredOn, VarToBooleanDef),
        recordField("Removable", &R::Removable, VarToBooleanDef),
        recordField("Replaceable", &R::Replaceable, VarToBooleanDef),
        recordField("SerialNumber", &R::SerialNumber, VarToStrDef),
        recordField("SKU", &R::SKU, VarToStrDef),
        recordField("Speed", &R::Speed, VarToIntegerDef),
        recordField("Status", &R::Status, VarToStrDef),
        recordField("Tag", &R::Tag, VarToStrDef),
        recordField("TotalWidth", &R::TotalWidth, VarToWordDef),
        recordField("TypeDetail", &R::TypeDetail, VarToWordDef),
        recordField("Version", &R::Version, VarToStrDef),
    };
    return kFields;
}

Win32_PhysicalMemory::Win32_PhysicalMemory(platform::WmiLocator& locator, bool autoLoad)
    : WmiRecord(locator, "root\\CIMV2", "Win32_PhysicalMemory") {
    if (autoLoad)
        LoadInstances();
}

Win32_PhysicalMemory::Win32_PhysicalMemory(WmiConnection& connection, bool autoLoad)
    : WmiRecord(connection, "Win32_PhysicalMemory") {
    if (autoLoad)
        LoadInstances();
}

} // namespace dm
