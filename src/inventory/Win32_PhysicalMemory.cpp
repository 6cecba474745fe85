#include "inventory/Win32_PhysicalMemory.h"

namespace dm {

Win32_PhysicalMemory::Win32_PhysicalMemory(platform::WmiLocator* locator, bool autoLoad)
    : WmiClass(locator, "root\\CIMV2", "Win32_PhysicalMemory") {
    if (autoLoad)
        LoadInstances();
}

void Win32_PhysicalMemory::SetCollectionIndex(int index) {
    if (index < 0 || index > rowCount() - 1 || index == CurrentIndex())
        return;
    setCurrentIndex(index);
    BankLabel = VarToStrDef(GetPropValue("BankLabel"));
    Capacity = VarToInt64Def(GetPropValue("Capacity"));
    Caption = VarToStrDef(GetPropValue("Caption"));
    CreationClassName = VarToStrDef(GetPropValue("CreationClassName"));
    DataWidth = VarToWordDef(GetPropValue("DataWidth"));
    Description = VarToStrDef(GetPropValue("Description"));
    DeviceLocator = VarToStrDef(GetPropValue("DeviceLocator"));
    FormFactor = VarToWordDef(GetPropValue("FormFactor"));
    HotSwappable = VarToBooleanDef(GetPropValue("HotSwappable"));
    InstallDate = WmiDateTimeToDateTime(GetPropValue("InstallDate"));
    InterleaveDataDepth = VarToWordDef(GetPropValue("InterleaveDataDepth"));
    InterleavePosition = VarToIntegerDef(GetPropValue("InterleavePosition"));
    Manufacturer = VarToStrDef(GetPropValue("Manufacturer"));
    MemoryType = VarToWordDef(GetPropValue("MemoryType"));
    Model = VarToStrDef(GetPropValue("Model"));
    Name = VarToStrDef(GetPropValue("Name"));
    OtherIdentifyingInfo = VarToStrDef(GetPropValue("OtherIdentifyingInfo"));
    PartNumber = VarToStrDef(GetPropValue("PartNumber"));
    PositionInRow = VarToIntegerDef(GetPropValue("PositionInRow"));
    PoweredOn = VarToBooleanDef(GetPropValue("PoweredOn"));
    Removable = VarToBooleanDef(GetPropValue("Removable"));
    Replaceable = VarToBooleanDef(GetPropValue("Replaceable"));
    SerialNumber = VarToStrDef(GetPropValue("SerialNumber"));
    SKU = VarToStrDef(GetPropValue("SKU"));
    Speed = VarToIntegerDef(GetPropValue("Speed"));
    Status = VarToStrDef(GetPropValue("Status"));
    Tag = VarToStrDef(GetPropValue("Tag"));
    TotalWidth = VarToWordDef(GetPropValue("TotalWidth"));
    TypeDetail = VarToWordDef(GetPropValue("TypeDetail"));
    Version = VarToStrDef(GetPropValue("Version"));
}

} // namespace dm
