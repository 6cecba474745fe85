// The installed test over a registry with many uninstall entries, and the text rules that every
// identification runs.
#include "PeCorpus.h"
#include "update/Version.h"
#include "update/identify/company/SoftwareCompany.h"
#include "update/identify/facts/SideFiles.h"
#include "update/identify/facts/TextCleanup.h"
#include "update/identify/uninstall/UninstallSearches.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace dm;

void BM_IsSoftwareInstalled(benchmark::State& state) {
    bench::IdentifyServices services;
    platform::FakeRegistry& registry = services.registry;
    for (int i = 0; i < state.range(0); ++i) {
        const auto key =
            registry.createKey(platform::RegistryRoot::LocalMachine,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{entry-" +
                                   std::to_string(i) + "}",
                               platform::RegistryAccess::Full);
        // The fake registry in memory does not fail a write.
        (void)key->writeString("DisplayName", "Some Product " + std::to_string(i));
        (void)key->writeString("DisplayVersion", "1.0." + std::to_string(i));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(
            update::IsSoftwareInstalled(services.context, "Brackenway Dimmetric"));
}
BENCHMARK(BM_IsSoftwareInstalled)->Arg(100)->Arg(1000)->Arg(10000);

void BM_StripCopyrightPhrases(benchmark::State& state) {
    const std::string text = "Copyright (C) 2019 Acme Inc. All Rights Reserved.";
    for (auto _ : state)
        benchmark::DoNotOptimize(update::StripCopyrightPhrases(text));
}
BENCHMARK(BM_StripCopyrightPhrases);

// Texts of about n bytes: the words the copyright clean-up drops one by one, the marks the company
// clean-up drops one by one.
std::string copyrightWords(std::size_t bytes) {
    std::string text;
    while (text.size() < bytes)
        text += "C ";
    return text + "Acme";
}

void BM_StripCopyrightPhrasesLong(benchmark::State& state) {
    const std::string text = copyrightWords(static_cast<std::size_t>(state.range(0)) * 1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(update::StripCopyrightPhrases(text));
}
BENCHMARK(BM_StripCopyrightPhrasesLong)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_CleanCompanyTextLong(benchmark::State& state) {
    const std::string text(static_cast<std::size_t>(state.range(0)) * 1024, '?');
    for (auto _ : state)
        benchmark::DoNotOptimize(update::CleanCompanyText(text));
}
BENCHMARK(BM_CleanCompanyTextLong)->Arg(10)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

// The whole company of a program whose version resource holds a long copyright text: the rules,
// both clean-ups and the trailing punctuation cut.
void BM_SoftwareCompanyLongCopyright(benchmark::State& state) {
    bench::IdentifyServices services;
    update::IdentifyContext& context = services.context;
    update::FileVersionInfoRec rec;
    rec.LegalCopyRight = copyrightWords(static_cast<std::size_t>(state.range(0)) * 1024) +
                         std::string(static_cast<std::size_t>(state.range(0)) * 1024, '-');
    for (auto _ : state)
        benchmark::DoNotOptimize(
            update::GetSoftwareCompany(context, "/nowhere/tool.exe", "Tool", rec));
}
BENCHMARK(BM_SoftwareCompanyLongCopyright)->Arg(100)->Unit(benchmark::kMillisecond);

// A side file of 60 MiB of empty lines, walked line by line. The process's peak memory (measured
// around the run, e.g. /usr/bin/time -v) stays near the file's size.
void BM_SideFileOfEmptyLines(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "identify_bench_empty_lines.log";
    std::ofstream(path, std::ios::binary) << std::string(60u << 20, '\n');
    bench::IdentifyServices services;
    update::IdentifyContext& context = services.context;
    for (auto _ : state) {
        std::size_t count = 0;
        for ([[maybe_unused]] const std::string_view line :
             update::readSideLines(context, path.string()).value_or(update::TextLines{}))
            ++count;
        state.counters["lines"] = static_cast<double>(count);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SideFileOfEmptyLines)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_VersionText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            update::VigilVersion("1.23.0.47").IsNewerThan(update::VigilVersion("1.9")));
}
BENCHMARK(BM_VersionText);

} // namespace
