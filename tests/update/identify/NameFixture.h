// The product-name test fixture: executables with given version texts, and the names expected.
#pragma once

#include "IdentifyFixture.h"
#include "platform/fakes/FakeProcessRunner.h"
#include "update/identify/name/SoftwareName.h"

#include <string>
#include <vector>

namespace dm::update::test {

// The version-resource texts of a fixture executable, as UTF-8; empty ones are left out.
struct VersionTexts {
    std::string ProductName = {};
    std::string FileDescription = {};
    std::string CompanyName = {};
    std::string InternalName = {};
    std::string FileVersion = {};
    std::string ProductVersion = {};
    std::string OriginalFileName = {};
    std::string LegalCopyRight = {};
};

inline platform::VersionResourceContent contentOf(const VersionTexts& t) {
    platform::VersionResourceContent content;
    content.Fixed = platform::FixedFileInfo{};
    platform::VersionResourceContent::StringTable table{"040904b0", {}};
    const std::pair<const char*, const std::string*> keys[] = {
        {"CompanyName", &t.CompanyName},       {"FileDescription", &t.FileDescription},
        {"FileVersion", &t.FileVersion},       {"InternalName", &t.InternalName},
        {"LegalCopyright", &t.LegalCopyRight}, {"OriginalFilename", &t.OriginalFileName},
        {"ProductName", &t.ProductName},       {"ProductVersion", &t.ProductVersion},
    };
    for (const auto& [key, value] : keys)
        if (!value->empty())
            table.Strings.emplace_back(key, *value);
    content.StringTables.push_back(table);
    content.Translations = std::vector<std::uint32_t>{0x04B00409};
    return content;
}

// One executable to name: its file name, its version texts and the name it gets.
struct NameCase {
    const char* what;
    std::string file = {};
    VersionTexts texts;
    std::string expected = {};
};

// Names executables written below the temporary folder.
class NameFixture : public IdentifyFixture {
protected:
    NameFixture() { context.processes = &processes; }

    std::string exe(const std::string& relative, const VersionTexts& texts, bool is64 = false) {
        return writePe(relative, contentOf(texts), is64);
    }
    std::string nameOf(const std::string& relative, const VersionTexts& texts, bool is64 = false) {
        return GetSoftwareName(context, exe(relative, texts, is64));
    }

    // Each case in a folder of its own (folder inside it), so no case sees another's files.
    void expectNames(const std::vector<NameCase>& cases, bool is64 = false,
                     const std::string& folder = "") {
        for (const auto& c : cases) {
            const std::string relative = "c" + std::to_string(next_++) + "/" + folder + c.file;
            EXPECT_EQ(nameOf(relative, c.texts, is64), c.expected) << c.what;
        }
    }

    platform::FakeProcessRunner processes;

private:
    int next_ = 0;
};

} // namespace dm::update::test
