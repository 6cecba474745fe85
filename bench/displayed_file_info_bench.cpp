// GetDisplayedFileInfo (name and company) over 1,000 generated PE files, the whole rule tables
// present.
#include "PeCorpus.h"
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
    return bench::writePeCorpus(dir, count, [](int i) {
        return bench::corpusContent(
            i, {{"CompanyName", kCompanies[i % std::size(kCompanies)]},
                {"FileDescription", "A program that does thing number " + std::to_string(i)},
                {"LegalCopyright", "Copyright (C) 2019 Acme Inc. All Rights Reserved."},
                {"ProductName", kProducts[i % std::size(kProducts)]},
                {"ProductVersion", "1.0"}});
    });
}

void BM_GetDisplayedFileInfo(benchmark::State& state) {
    const test::TempDir dir;
    const auto paths = writeFiles(dir, 1000);
    bench::IdentifyServices s;
    for (auto _ : state)
        for (const auto& path : paths)
            benchmark::DoNotOptimize(update::GetDisplayedFileInfo(s.context, path));
    bench::countFiles(state, paths.size());
}
BENCHMARK(BM_GetDisplayedFileInfo)->Unit(benchmark::kMillisecond);

} // namespace
