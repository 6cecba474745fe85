// What the identification fuzz targets share: the input laid out as files, and the services.
#pragma once

// What the identification fuzz targets share: the services to identify with, the files held in
// memory (the input written as files costs no disk) and everything else faked.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/fakes/InMemoryFileSystem.h"
#include "update/identify/IdentifyServices.h"

#include <string>

namespace dm::fuzz {

// The folder the input's files are put in.
inline const std::string kAppFolder = "/fuzz/app/";

using IdentifyServices =
    update::IdentifyServices<platform::FakeRegistry, platform::InMemoryFileSystem,
                             platform::FakeSystemInfo>;

} // namespace dm::fuzz
