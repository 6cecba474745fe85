// Language list scan, flag picture and switch over one language file of arbitrary bytes.
#include "localisation/LangList.h"
#include "localisation/LanguageRecord.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/fakes/InMemoryFileSystem.h"
#include "platform/version/VersionResources.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The running program, in the folder "/program/" that holds the language file.
class Program : public dm::platform::VersionResources {
public:
    bool fileExists(const std::string&) override { return false; }
    std::optional<dm::platform::VersionBlock> read(const std::string&) override { return {}; }
    std::string moduleFileName() override { return "/program/Dimmetric"; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Program program;
    dm::platform::InMemoryFileSystem files;
    files.addFile("/program/QV_00000407.SPK",
                  std::string(reinterpret_cast<const char*>(data), size));
    dm::platform::FakePlatform fakes;
    fakes.platform.versions = program;
    fakes.platform.fileSystem = files;
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
