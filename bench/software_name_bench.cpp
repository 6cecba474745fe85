// GetSoftwareName over 1,000 generated PE files, the whole rule tables present.
#include "PeCorpus.h"
#include "update/identify/name/SoftwareName.h"

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
    return bench::writePeCorpus(dir, count, [](int i) {
        return bench::corpusContent(
            i, {{"CompanyName", "Company " + std::to_string(i % 37)},
                {"FileDescription", "A program that does thing number " + std::to_string(i)},
                {"FileVersion", "1." + std::to_string(i) + ".0.0"},
                {"InternalName", "prog" + std::to_string(i)},
                {"ProductName", kProducts[i % std::size(kProducts)]},
                {"ProductVersion", "1.0"}});
    });
}

void BM_GetSoftwareName(benchmark::State& state) {
    const test::TempDir dir;
    const auto paths = writeFiles(dir, 1000);
    bench::IdentifyServices s;
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(update::GetSoftwareName(s.context, path));
    bench::countFiles(state, paths.size());
}
BENCHMARK(BM_GetSoftwareName)->Unit(benchmark::kMillisecond);

} // namespace
