// Arbitrary bytes as an INI file: every section and key is read, and one entry is set.
#include "platform/ini/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using dm::platform::IniDocument;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument ini(text);
    for (const auto& section : ini.sectionNames())
        for (const auto& key : ini.keyNames(section)) {
            auto value = ini.value(section, key);
            if (!value)
                std::abort();
            dm::platform::parseIniInteger(*value);
        }
    if (ini.setValue("Settings", "lng", "1")) {
        IniDocument again(ini.text());
        if (again.value("settings", "LNG") != "1")
            std::abort();
    }
    return 0;
}
