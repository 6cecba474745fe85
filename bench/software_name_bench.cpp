// GetSoftwareName over 1,000 generated PE files, the whole rule tables present.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "update/identify/SoftwareName.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace dm;

// Names that fire no row, and names of the families the rows look for.
const char* const kProducts[] = {
    "Photo Organizer",
    "TurboTax Deluxe",
    "Microsoft Edge",
    "Storage Executive",
    "Adobe Photoshop CS5 Extended",
    "Editor 2.5",
    "Tool (64-bit)",
    "Foxit Reader",
    "Malwarebytes Anti-Malware",
    "Samsung Magician",
    "",
    "Shockwave Flash 32.0",
};

std::vector<std::string> writeFiles(const test::TempDir& dir, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        platform::VersionResourceContent content;
        content.Fixed = platform::FixedFileInfo{};
        content.Fixed->FileVersionMS = 1 << 16 | static_cast<std::uint32_t>(i);
        const std::string product = kProducts[i % std::size(kProducts)];
        platform::VersionResourceContent::StringTable table{"040904b0", {}};
        table.Strings = {
            {"CompanyName", "Company " + std::to_string(i % 37)},
            {"FileDescription", "A program that does thing number " + std::to_string(i)},
            {"FileVersion", "1." + std::to_string(i) + ".0.0"},
            {"InternalName", "prog" + std::to_string(i)},
            {"ProductName", product},
            {"ProductVersion", "1.0"}};
        content.StringTables.push_back(table);
        content.Translations = std::vector<std::uint32_t>{0x04B00409};
        const auto bytes = test::writePe(i % 2 == 0, platform::writeVersionBlock(content)).Bytes;
        paths.push_back(
            dir.write("f" + std::to_string(i % 20) + "/prog" + std::to_string(i) + ".exe", bytes));
    }
    return paths;
}

void BM_GetSoftwareName(benchmark::State& state) {
    const test::TempDir dir;
    const auto paths = writeFiles(dir, 1000);
    platform::FakeRegistry registry;
    platform::LinuxFileSystem files;
    platform::FileVersionResources versions;
    platform::FakeSystemInfo system;
    update::IdentifyContext context{registry, files, versions, system};
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(update::GetSoftwareName(context, path));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
    state.counters["per_file"] =
        benchmark::Counter(static_cast<double>(state.iterations() * paths.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_GetSoftwareName)->Unit(benchmark::kMillisecond);

} // namespace
