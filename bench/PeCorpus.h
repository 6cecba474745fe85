// The generated executable corpus of the identification benchmarks and the services they use.
#pragma once

#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "update/identify/IdentifyServices.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace dm::bench {

using VersionStrings = std::vector<std::pair<std::string, std::string>>;

// The version resource of corpus file Index: file version 1.Index, one US English table of
// Strings.
inline platform::VersionResourceContent corpusContent(int index, VersionStrings strings) {
    platform::VersionResourceContent content;
    content.Fixed = platform::FixedFileInfo{};
    content.Fixed->FileVersionMS = 1 << 16 | static_cast<std::uint32_t>(index);
    content.StringTables.push_back({"040904b0", std::move(strings)});
    content.Translations = std::vector<std::uint32_t>{0x04B00409};
    return content;
}

// Count PE files under Dir, 32- and 64-bit in turn, spread over 20 folders, file I holding
// makeContent(I); their paths.
inline std::vector<std::string>
writePeCorpus(const test::TempDir& dir, int count,
              const std::function<platform::VersionResourceContent(int)>& makeContent) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const auto bytes =
            test::writePe(i % 2 == 0, platform::writeVersionBlock(makeContent(i))).Bytes;
        paths.push_back(
            dir.write("f" + std::to_string(i % 20) + "/prog" + std::to_string(i) + ".exe", bytes));
    }
    return paths;
}

// Files read from disk, everything else faked.
using IdentifyServices = update::IdentifyServices<platform::FakeRegistry, platform::LinuxFileSystem,
                                                  platform::FakeSystemInfo>;

// Items processed and the time per file, for a benchmark that goes through Files files an
// iteration.
inline void countFiles(benchmark::State& state, std::size_t files) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files));
    state.counters["per_file"] =
        benchmark::Counter(static_cast<double>(state.iterations() * files),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}

} // namespace dm::bench
