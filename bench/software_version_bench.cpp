// Name, company and version of 1,000 generated PE files, as the update check asks them, with
// every rule table present; and the identification of our own executable.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "update/identify/Identify.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace dm;

// Names that fire no row, and names of the families the version rows look for.
const char* const kProducts[] = {
    "Photo Organizer",
    "Brave Browser",
    "Internet Download Manager",
    "Total Commander",
    "Notepad++",
    "jv16 PowerTools",
    "Java(TM) Platform SE 8",
    "PotPlayer",
    "Editor 2.5",
    "",
    "Ultimate TagScanner",
    "Malwarebytes",
};

std::vector<std::string> writeFiles(const test::TempDir& dir, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        platform::VersionResourceContent content;
        content.Fixed = platform::FixedFileInfo{};
        content.Fixed->FileVersionMS = 1 << 16 | static_cast<std::uint32_t>(i);
        content.Fixed->FileVersionLS = static_cast<std::uint32_t>(i % 7);
        platform::VersionResourceContent::StringTable table{"040904b0", {}};
        table.Strings = {
            {"CompanyName", "Company " + std::to_string(i % 37)},
            {"FileDescription", "A program that does thing number " + std::to_string(i)},
            {"FileVersion", "1." + std::to_string(i) + ".0"},
            {"InternalName", "prog" + std::to_string(i)},
            {"ProductName", kProducts[i % std::size(kProducts)]},
            {"ProductVersion", "1." + std::to_string(i) + ".2"}};
        content.StringTables.push_back(table);
        content.Translations = std::vector<std::uint32_t>{0x04B00409};
        const auto bytes = test::writePe(i % 2 == 0, platform::writeVersionBlock(content)).Bytes;
        paths.push_back(
            dir.write("f" + std::to_string(i % 20) + "/prog" + std::to_string(i) + ".exe", bytes));
    }
    return paths;
}

struct Services {
    platform::FakeRegistry registry;
    platform::LinuxFileSystem files;
    platform::FileVersionResources versions;
    platform::FakeSystemInfo system;
    update::IdentifyContext context{registry, files, versions, system};
};

// What the update check asks of a file: its name and company, then its version.
void identify(update::IdentifyContext& context, const std::string& path) {
    benchmark::DoNotOptimize(update::GetDisplayedFileInfo(context, path));
    std::string file = path;
    benchmark::DoNotOptimize(update::GetSoftwareVersion(context, file, "", "", false));
}

// The first identification in a process also builds the rule tables.
void BM_IdentifyOwnExecutableFirstTime(benchmark::State& state) {
    Services s;
    const std::string self = s.versions.moduleFileName();
    for (auto _ : state)
        identify(s.context, self);
}
BENCHMARK(BM_IdentifyOwnExecutableFirstTime)->Iterations(1)->Unit(benchmark::kMicrosecond);

void BM_IdentifyOwnExecutable(benchmark::State& state) {
    Services s;
    const std::string self = s.versions.moduleFileName();
    for (auto _ : state)
        identify(s.context, self);
}
BENCHMARK(BM_IdentifyOwnExecutable)->Unit(benchmark::kMicrosecond);

void BM_NameCompanyAndVersion(benchmark::State& state) {
    const test::TempDir dir;
    const auto paths = writeFiles(dir, 1000);
    Services s;
    for (auto _ : state)
        for (const auto& path : paths)
            identify(s.context, path);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
    state.counters["per_file"] =
        benchmark::Counter(static_cast<double>(state.iterations() * paths.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_NameCompanyAndVersion)->Unit(benchmark::kMillisecond);

} // namespace
