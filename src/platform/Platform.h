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

// The operating-system facilities one run of the program uses. main() wires the Linux backends
// into one instance; tests fill in only the fakes they need.
struct Platform {
    Registry* registry = nullptr;
    FileSystem* fileSystem = nullptr;
    SystemInfo* system = nullptr;
    Shell* shell = nullptr;
    MessageBox* messageBox = nullptr;
    MemoryStatus* memory = nullptr;
    WmiLocator* wmi = nullptr;
    VersionResources* versions = nullptr;
};

} // namespace dm::platform
