// Name, company and version of 1,000 generated PE files, as the update check asks them, with
// every rule table present; and the identification of our own executable.
#include "PeCorpus.h"
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
    return bench::writePeCorpus(dir, count, [](int i) {
        auto content = bench::corpusContent(
            i, {{"CompanyName", "Company " + std::to_string(i % 37)},
                {"FileDescription", "A program that does thing number " + std::to_string(i)},
                {"FileVersion", "1." + std::to_string(i) + ".0"},
                {"InternalName", "prog" + std::to_string(i)},
                {"ProductName", kProducts[i % std::size(kProducts)]},
                {"ProductVersion", "1." + std::to_string(i) + ".2"}});
        content.Fixed->FileVersionLS = static_cast<std::uint32_t>(i % 7);
        return content;
    });
}

// What the update check asks of a file: its name and company, then its version.
void identify(update::IdentifyContext& context, const std::string& path) {
    benchmark::DoNotOptimize(update::GetDisplayedFileInfo(context, path));
    std::string file = path;
    benchmark::DoNotOptimize(update::GetSoftwareVersion(context, file, "", "", false));
}

// The first identification in a process also builds the rule tables.
void BM_IdentifyOwnExecutableFirstTime(benchmark::State& state) {
    bench::IdentifyServices s;
    const std::string self = s.versions.moduleFileName();
    for (auto _ : state)
        identify(s.context, self);
}
BENCHMARK(BM_IdentifyOwnExecutableFirstTime)->Iterations(1)->Unit(benchmark::kMicrosecond);

void BM_IdentifyOwnExecutable(benchmark::State& state) {
    bench::IdentifyServices s;
    const std::string self = s.versions.moduleFileName();
    for (auto _ : state)
        identify(s.context, self);
}
BENCHMARK(BM_IdentifyOwnExecutable)->Unit(benchmark::kMicrosecond);

void BM_NameCompanyAndVersion(benchmark::State& state) {
    const test::TempDir dir;
    const auto paths = writeFiles(dir, 1000);
    bench::IdentifyServices s;
    for (auto _ : state)
        for (const auto& path : paths)
            identify(s.context, path);
    bench::countFiles(state, paths.size());
}
BENCHMARK(BM_NameCompanyAndVersion)->Unit(benchmark::kMillisecond);

} // namespace
