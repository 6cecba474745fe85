// The operating-system facilities one run of the program uses, as one bundle.
#pragma once

namespace dm::platform {

class Registry;
class FileSystem;
class SystemInfo;
class Shell;
class MessageBox;
class MemoryStatus;
class WmiLocator;
class VersionResources;

// The operating-system facilities one run of the program uses, each one there: main() wires the
// Linux backends into one instance, tests the fakes of platform/fakes/FakePlatform.h. The
// services must outlive every copy of the bundle.
struct Platform {
    Registry& registry;
    FileSystem& fileSystem;
    SystemInfo& system;
    Shell& shell;
    MessageBox& messageBox;
    MemoryStatus& memory;
    WmiLocator& wmi;
    VersionResources& versions;
};

} // namespace dm::platform
