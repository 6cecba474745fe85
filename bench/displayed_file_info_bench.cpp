// GetDisplayedFileInfo (name and company) over 1,000 generated PE files, the whole rule tables
// present.
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

// Companies that fire no row, rows early and late in the table, the copyright fallback.
const char* const kCompanies[] = {
    "Company Of Things",
    "Intel(R) Corporation",
    "Mozilla",
    "Nullsoft, Inc.",
    "",
    "Acme L.L.C.",
    "G DATA Software AG",
    "Foxit Software Incorporated",
    "Author: Acme http://acme.example",
};
const char* const kProducts[] = {"Photo Organizer", "Firefox", "Editor 2.5", "", "NSIS"};

std::vector<std::string> writeFiles(const test::TempDir& dir, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        platform::VersionResourceContent content;
        content.Fixed = platform::FixedFileInfo{};
        content.Fixed->FileVersionMS = 1 << 16 | static_cast<std::uint32_t>(i);
        platform::VersionResourceContent::StringTable table{"040904b0", {}};
        table.Strings = {
            {"CompanyName", kCompanies[i % std::size(kCompanies)]},
            {"FileDescription", "A program that does thing number " + std::to_string(i)},
            {"LegalCopyright", "Copyright (C) 2019 Acme Inc. All Rights Reserved."},
            {"ProductName", kProducts[i % std::size(kProducts)]},
            {"ProductVersion", "1.0"}};
        content.StringTables.push_back(table);
        content.Translations = std::vector<std::uint32_t>{0x04B00409};
        const auto bytes = test::writePe(i % 2 == 0, platform::writeVersionBlock(content)).Bytes;
        paths.push_back(
            dir.write("f" + std::to_string(i % 20) + "/prog" + std::to_string(i) + ".exe", bytes));
    }
    return paths;
}

void BM_GetDisplayedFileInfo(benchmark::State& state) {
    const test::TempDir dir;
    const auto paths = writeFiles(dir, 1000);
    platform::FakeRegistry registry;
    platform::LinuxFileSystem files;
    platform::FileVersionResources versions;
    platform::FakeSystemInfo system;
    update::IdentifyContext context{registry, files, versions, system};
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(update::GetDisplayedFileInfo(context, path));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
    state.counters["per_file"] =
        benchmark::Counter(static_cast<double>(state.iterations() * paths.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_GetDisplayedFileInfo)->Unit(benchmark::kMillisecond);

} // namespace
