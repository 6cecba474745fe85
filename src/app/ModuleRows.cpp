// The rows of a module's slot list: type text with speed class, capacity, serial number.
#include "app/ModuleRows.h"

#include "framework/TextUtils.h"
#include "inventory/DecodeManufacturer.h"
#include "inventory/MemoryTypeName.h"

#include <string_view>

namespace dm {

namespace {

constexpr std::int64_t kGiB = 1024LL * 1024 * 1024;

bool isPcClassGeneration(const std::string& name) {
    return name == "DDR2" || name == "DDR3" || name == "DDR4" || name == "DDR5";
}

std::string removeAll(std::string text, std::string_view what) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
    return text;
}

} // namespace

TypeText moduleTypeText(const std::string& typeName, std::uint32_t speed) {
    TypeText result{typeName, std::nullopt};
    if (speed == 0)
        return result;
    const std::string bandwidth = std::to_string(static_cast<std::uint64_t>(speed) * 8);
    if (isPcClassGeneration(typeName)) {
        std::string text = typeName + " / PC" + typeName[3] + "-" + bandwidth;
        if (!EndsText(text, "00"))
            result.Raw = text;
        text.replace(text.size() - 2, 2, "00");
        result.Shown = text;
    } else if (typeName == "DDR") {
        result.Shown = typeName + " / PC" + "-" + bandwidth;
    } else {
        result.Shown = typeName + " @ " + std::to_string(speed) + "MHz";
    }
    return result;
}

std::string serialText(const std::string& serialNumber) {
    if (serialNumber.find_first_not_of('0') == std::string::npos)
        return "N/A";
    return serialNumber;
}

ModuleReport describeModule(int index, const ModuleFacts& module, const Translator& ts) {
    ModuleReport report;
    const std::string row = std::to_string(index) + "\t";
    const auto add = [&](const std::string& name, const std::string& value) {
        report.Rows.push_back({ts(name), value});
        return report.Rows.back().Caption;
    };
    const auto log = [&](const std::string& text) { report.LogLines.push_back(row + text); };

    const std::string slotCaption = add("Slot Name", module.DeviceLocator);
    log(slotCaption + "\t" + module.DeviceLocator);

    const std::string capacity = std::to_string(module.Capacity / kGiB) + " " + ts("GB");
    const std::string capacityCaption = add("Capacity", capacity);
    log(capacityCaption + "\t" + capacity);

    const std::string vendor = DecodeManufacturer(module.Manufacturer);
    const std::string vendorCaption = add("Manufacturer", vendor);
    log(vendorCaption + "\t" + vendor + " (" + module.Manufacturer + ")");

    const std::string model = SameText(vendor, "N/A") ? std::string("N/A") : module.PartNumber;
    const std::string modelCaption = add("Model", model);
    log(modelCaption + "\t" + module.PartNumber);

    const TypeText type = moduleTypeText(
        MemoryTypeName(module.MemoryType, static_cast<std::int32_t>(module.Speed)), module.Speed);
    const std::string typeCaption = add("Type", type.Shown);
    if (type.Raw)
        log("RawType :" + *type.Raw);
    log(typeCaption + "\t" + std::to_string(module.MemoryType));
    log("Speed\t" + std::to_string(module.Speed));
    log(typeCaption + "\t" + type.Shown);

    const std::string serial = serialText(module.SerialNumber);
    const std::string serialCaption = add("Serial#", serial);
    log(serialCaption + "\t" + serial);
    if (!SameText(serial, module.SerialNumber))
        log("RawSN :" + module.SerialNumber);
    return report;
}

std::string specificationAddress(const std::string& host, const std::string& manufacturer,
                                 const std::string& model) {
    const std::string query = trimText(removeAll(manufacturer, "N/A") + " " + model);
    return "https://" + host + "/search?q=" + UrlEncode(query);
}

} // namespace dm
