// The services an identification reads, owned together, and the context over them.
#pragma once

#include "platform/version/FileVersionResources.h"
#include "update/identify/IdentifyContext.h"

#include <utility>

namespace dm::update {

// The services an identification reads, owned together, and the context over them: a registry,
// file system and system facts of the given kinds (the machine's own in the identification tool,
// fakes in tests, benchmarks and fuzz targets) and the version resources of the files themselves.
// The registry is made from the arguments given.
template <class RegistryType, class FilesType, class SystemType> struct IdentifyServices {
    template <class... RegistryArgs>
    explicit IdentifyServices(RegistryArgs&&... registryArgs)
        : registry(std::forward<RegistryArgs>(registryArgs)...) {}
    IdentifyServices(const IdentifyServices&) = delete;
    IdentifyServices& operator=(const IdentifyServices&) = delete;

    RegistryType registry;
    FilesType files;
    platform::FileVersionResources versions{files};
    SystemType system;
    IdentifyContext context{registry, files, versions, system};
};

} // namespace dm::update
