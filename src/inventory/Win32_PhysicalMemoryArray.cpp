#include "inventory/Win32_PhysicalMemoryArray.h"

namespace dm {

Win32_PhysicalMemoryArray::Win32_PhysicalMemoryArray(platform::WmiLocator* locator, bool autoLoad)
    : WmiClass(locator, "root\\CIMV2", "Win32_PhysicalMemoryArray") {
    if (autoLoad)
        LoadInstances();
}

void Win32_PhysicalMemoryArray::SetCollectionIndex(int index) {
    if (index < 0 || index > rowCount() - 1 || index == CurrentIndex())
        return;
    setCurrentIndex(index);
    Caption = VarToStrDef(GetPropValue("Caption"));
    CreationClassName = VarToStrDef(GetPropValue("CreationClassName"));
    Depth = VarToDoubleDef(GetPropValue("Depth"));
    Description = VarToStrDef(GetPropValue("Description"));
    Height = VarToDoubleDef(GetPropValue("Height"));
    HotSwappable = VarToBooleanDef(GetPropValue("HotSwappable"));
    InstallDate = WmiDateTimeToDateTime(GetPropValue("InstallDate"));
    Location = VarToWordDef(GetPropValue("Location"));
    Manufacturer = VarToStrDef(GetPropValue("Manufacturer"));
    MaxCapacity = VarToIntegerDef(GetPropValue("MaxCapacity"));
    MemoryDevices = VarToWordDef(GetPropValue("MemoryDevices"));
    MemoryErrorCorrection = VarToWordDef(GetPropValue("MemoryErrorCorrection"));
    Model = VarToStrDef(GetPropValue("Model"));
    Name = VarToStrDef(GetPropValue("Name"));
    OtherIdentifyingInfo = VarToStrDef(GetPropValue("OtherIdentifyingInfo"));
    PartNumber = VarToStrDef(GetPropValue("PartNumber"));
    PoweredOn = VarToBooleanDef(GetPropValue("PoweredOn"));
    Removable = VarToBooleanDef(GetPropValue("Removable"));
    Replaceable = VarToBooleanDef(GetPropValue("Replaceable"));
    SerialNumber = VarToStrDef(GetPropValue("SerialNumber"));
    SKU = VarToStrDef(GetPropValue("SKU"));
    Status = VarToStrDef(GetPropValue("Status"));
    Tag = VarToStrDef(GetPropValue("Tag"));
    Use = VarToWordDef(GetPropValue("Use"));
    Version = VarToStrDef(GetPropValue("Version"));
    Weight = VarToDoubleDef(GetPropValue("Weight"));
    Width = VarToDoubleDef(GetPropValue("Width"));
}

} // namespace dm
