// Language list scan, flag picture and switch over one language file of arbitrary bytes.
#include "localisation/LangList.h"
#include "localisation/LanguageRecord.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/version/VersionResources.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

// The running program, in a folder of its own that holds the language file.
class Program : public dm::platform::VersionResources {
public:
    Program()
        : folder_((std::filesystem::temp_directory_path() /
                   ("fuzz_langlist_" + std::to_string(std::random_device{}())))
                      .string() +
                  "/") {
        std::filesystem::create_directories(folder_);
    }
    ~Program() override { std::filesystem::remove_all(folder_); }

    bool fileExists(const std::string&) override { return false; }
    std::optional<dm::platform::VersionBlock> read(const std::string&) override { return {}; }
    std::string moduleFileName() override { return folder_ + "Dimmetric"; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Program program;
    {
        std::ofstream out(program.folder() + "QV_00000407.SPK", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    dm::platform::FakePlatform fakes;
    fakes.platform.versions = program;
    QObject form;
    form.setObjectName("MainDlg");
    dm::LangList list(&form, fakes.platform, {});
    list.setObjectName("lng");
    list.setFilePrefix("QV_");
    list.setCplCompatibility(true);
    list.Loaded();
    list.ScanLanguageFiles();
    QImage flag;
    list.LoadFlagBitmap(0x0407, flag);
    try {
        list.SetLanguageIndex(0);
    } catch (const dm::LanguageFileError&) {
        // A refused file ends the switch with its error: a clear outcome.
    }
    (void)list.GetCurrentLanguageName();
    return 0;
}
