// The version chain test fixture: generated executables and what their resources hold.
#pragma once

#include "IdentifyFixture.h"
#include "update/identify/Identify.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dm::update::test {

// What a generated executable's version resource holds.
struct ExeContent {
    ExeContent(std::string fixedVersion, std::string fileVersionText = {},
               std::string productVersionText = {}, std::string product = {},
               std::string company = {}, std::string fileDescription = {})
        : fixed(std::move(fixedVersion)), fileVersion(std::move(fileVersionText)),
          productVersion(std::move(productVersionText)), productName(std::move(product)),
          companyName(std::move(company)), description(std::move(fileDescription)) {}

    std::string fixed; // the fixed block's file version, four numbers
    std::string fileVersion;
    std::string productVersion;
    std::string productName;
    std::string companyName;
    std::string description;
};

// The version chain over executables written below the temporary folder.
class VersionChainFixture : public IdentifyFixture {
protected:
    // A PE file whose version resource holds content (no string table when its texts are all
    // empty; none at all when content is nothing).
    std::string writeExe(const std::string& relative, const std::optional<ExeContent>& content) {
        if (!content)
            return writePe(relative, std::nullopt);
        platform::VersionResourceContent c;
        platform::FixedFileInfo fixed;
        const std::uint32_t parts[4] = {part(content->fixed, 0), part(content->fixed, 1),
                                        part(content->fixed, 2), part(content->fixed, 3)};
        fixed.FileVersionMS = parts[0] << 16 | parts[1];
        fixed.FileVersionLS = parts[2] << 16 | parts[3];
        c.Fixed = fixed;
        std::vector<std::pair<std::string, std::string>> strings;
        const auto add = [&](const char* key, const std::string& value) {
            if (!value.empty())
                strings.emplace_back(key, value);
        };
        add("CompanyName", content->companyName);
        add("FileDescription", content->description);
        add("FileVersion", content->fileVersion);
        add("ProductName", content->productName);
        add("ProductVersion", content->productVersion);
        if (!strings.empty()) {
            c.StringTables.push_back({"040904b0", strings});
            c.Translations = std::vector<std::uint32_t>{0x04B00409};
        }
        return writePe(relative, c);
    }

    // The raw version of path with the given names (the chain finds them when the product name
    // is empty).
    std::string rawVersion(std::string path, const std::string& productName = "",
                           const std::string& companyName = "") {
        return GetSoftwareVersion(context, path, productName, companyName, true);
    }

private:
    static std::uint32_t part(const std::string& dotted, int index) {
        std::size_t at = 0;
        for (int i = 0; i < index; ++i)
            at = dotted.find('.', at) + 1;
        return static_cast<std::uint32_t>(std::stoul(dotted.substr(at)));
    }
};

} // namespace dm::update::test
