// One fake of each platform service, and the platform bundle over them, for tests.
#pragma once

#include "platform/Platform.h"
#include "platform/fakes/FakeMemoryStatus.h"
#include "platform/fakes/FakeMessageBox.h"
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/FolderFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "platform/wmi/LocalWmi.h"

#include <functional>
#include <memory>

namespace dm::platform {

// One fake of each platform service, and the bundle over them: a registry in memory, the real
// file system with the special folders a test names, scripted system facts and memory status, a
// recording shell and message box, WMI answering from `repository` (none: every query fails), and
// the version resources of real files.
class FakePlatform {
public:
    FakePlatform() = default;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeRegistry registry;
    FolderFileSystem files;
    FakeSystemInfo system;
    FakeShell shell;
    FakeMessageBox messageBox;
    FakeMemoryStatus memory;
    std::shared_ptr<const WmiRepository> repository;
    LocalWmiLocator wmi{[this] { return repository; }};
    FileVersionResources versions{files};

    // The object serving each service: the fakes above, unless a test puts another in a slot.
    struct Slots {
        std::reference_wrapper<Registry> registry;
        std::reference_wrapper<FileSystem> fileSystem;
        std::reference_wrapper<SystemInfo> system;
        std::reference_wrapper<Shell> shell;
        std::reference_wrapper<MessageBox> messageBox;
        std::reference_wrapper<MemoryStatus> memory;
        std::reference_wrapper<WmiLocator> wmi;
        std::reference_wrapper<VersionResources> versions;

        operator Platform() const {
            return {registry, fileSystem, system, shell, messageBox, memory, wmi, versions};
        }
    };
    Slots platform{registry, files, system, shell, messageBox, memory, wmi, versions};
};

} // namespace dm::platform
