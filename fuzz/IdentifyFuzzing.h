// What the identification fuzz targets share: the input laid out as files, and the services.
#pragma once

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
