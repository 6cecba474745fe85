// The installed test over a registry with many uninstall entries, and the text rules that every
// identification runs.
#include "platform/fakes/FakeRegistry.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "update/Version.h"
#include "update/identify/TextCleanup.h"
#include "update/identify/UninstallSearches.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace dm;

void BM_IsSoftwareInstalled(benchmark::State& state) {
    platform::FakeRegistry registry;
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
    platform::LinuxFileSystem files;
    platform::FileVersionResources versions;
    platform::FakeSystemInfo system;
    update::IdentifyContext context{registry, files, versions, system};
    for (auto _ : state)
        benchmark::DoNotOptimize(update::IsSoftwareInstalled(context, "Brackenway Dimmetric"));
}
BENCHMARK(BM_IsSoftwareInstalled)->Arg(100)->Arg(1000)->Arg(10000);

void BM_StripCopyrightPhrases(benchmark::State& state) {
    const std::string text = "Copyright (C) 2019 Acme Inc. All Rights Reserved.";
    for (auto _ : state)
        benchmark::DoNotOptimize(update::StripCopyrightPhrases(text));
}
BENCHMARK(BM_StripCopyrightPhrases);

void BM_VersionText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            update::VigilVersion("1.23.0.47").IsNewerThan(update::VigilVersion("1.9")));
}
BENCHMARK(BM_VersionText);

} // namespace
