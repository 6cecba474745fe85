#pragma once

// What the identification fuzz targets share: the services to identify with, the files held in
// memory (the input written as files costs no disk) and everything else faked.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/InMemoryFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "update/identify/IdentifyContext.h"

#include <string>

namespace dm::fuzz {

// The folder the input's files are put in.
inline const std::string kAppFolder = "/fuzz/app/";

struct IdentifyServices {
    platform::FakeRegistry registry;
    platform::InMemoryFileSystem files;
    platform::FileVersionResources versions{files};
    platform::FakeSystemInfo system;
    update::IdentifyContext context{registry, files, versions, system};
};

} // namespace dm::fuzz
