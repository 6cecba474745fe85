// The machine's own facilities, made once and wired into one Platform for a run.
#include "app/SystemPlatform.h"

#include "platform/files/LinuxFileSystem.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtShell.h"
#include "platform/registry/FileRegistry.h"
#include "platform/smbios/SmbiosSources.h"
#include "platform/system/LinuxMemoryStatus.h"
#include "platform/system/LinuxSystemInfo.h"
#include "platform/version/FileVersionResources.h"
#include "platform/wmi/SystemWmi.h"

namespace dm {

namespace {

// The memory installed as the firmware lists it.
std::optional<std::uint64_t> firmwareInstalledKilobytes() {
    const auto memory = platform::loadSmbiosMemory(platform::SmbiosSources::fromEnvironment());
    return memory ? platform::installedKilobytes(*memory) : std::nullopt;
}

} // namespace

struct SystemPlatform::Backends {
    platform::LinuxFileSystem fileSystem;
    // An installed copy's machine hive lies beside its executable's folder.
    platform::FileRegistry registry{
        platform::FileRegistry::defaultFolder(),
        platform::FileRegistry::machineHiveOf(
            platform::FileVersionResources(fileSystem).moduleFileName())};
    platform::LinuxSystemInfo system;
    platform::QtShell shell;
    platform::QtMessageBox messageBox;
    platform::LinuxMemoryStatus memory{firmwareInstalledKilobytes};
    std::unique_ptr<platform::WmiLocator> wmi =
        platform::makeSystemWmiLocator(platform::SmbiosSources::fromEnvironment());
    platform::FileVersionResources versions{fileSystem};
};

SystemPlatform::SystemPlatform()
    : backends_(std::make_unique<Backends>()), platform_{
                                                   backends_->registry,   backends_->fileSystem,
                                                   backends_->system,     backends_->shell,
                                                   backends_->messageBox, backends_->memory,
                                                   *backends_->wmi,       backends_->versions} {}

SystemPlatform::~SystemPlatform() = default;

} // namespace dm
