// The registry roads that matter: reading a large hive, walking an uninstall key entry by entry,
// and one stored change (re-read, lock, atomic replace); and the in-memory registry of the tests
// filled key by key, whose cost should grow with the number of keys, not its square.
#include "platform/fakes/FakeRegistry.h"
#include "platform/registry/FileRegistry.h"
#include "platform/registry/HiveFormat.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

using namespace dm::platform;

namespace {

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// A hive with that many uninstall entries of five values each.
std::string uninstallHive(int entries) {
    Hive hive;
    HiveKey* uninstall = &hive.root;
    for (const auto& name : splitKeyPath(kUninstall))
        uninstall = &uninstall->subKey(name);
    for (int i = 0; i < entries; ++i) {
        HiveKey& entry = uninstall->subKey(widenBytes("{Product-" + std::to_string(i) + "}"));
        entry.setValue(u"DisplayName", RegistryValue::string("Product " + std::to_string(i)));
        entry.setValue(u"DisplayVersion", RegistryValue::string("1.2." + std::to_string(i)));
        entry.setValue(u"Publisher", RegistryValue::string("Maker \xe9"));
        entry.setValue(u"InstallLocation", RegistryValue::string("C:\\Program Files\\P\\"));
        entry.setValue(u"EstimatedSize", RegistryValue::dword(1234));
    }
    return serializeHive(hive);
}

void BM_ParseHive(benchmark::State& state) {
    const std::string text = uninstallHive(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(parseHive(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseHive)->Arg(300)->Arg(5000);

// One key holding that many values, as a hive that some tool filled with settings.
std::string wideKeyHive(int values) {
    Hive hive;
    HiveKey& key = hive.root.subKey(u"Software").subKey(u"Wide");
    for (int i = 0; i < values; ++i)
        key.setValue(widenBytes("Value" + std::to_string(i)),
                     RegistryValue::string("text " + std::to_string(i)));
    return serializeHive(hive);
}

void BM_ParseHiveOfOneWideKey(benchmark::State& state) {
    const std::string text = wideKeyHive(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(parseHive(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseHiveOfOneWideKey)->Arg(5000)->Arg(40000)->Unit(benchmark::kMillisecond);

// Hives of about 50 MB: one key of 1,800,000 values, and 230,000 uninstall entries.
void BM_ParseLargeHiveOfOneWideKey(benchmark::State& state) {
    const std::string text = wideKeyHive(1'800'000);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseHive(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLargeHiveOfOneWideKey)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ParseLargeUninstallHive(benchmark::State& state) {
    const std::string text = uninstallHive(230'000);
    for (auto _ : state)
        benchmark::DoNotOptimize(parseHive(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseLargeUninstallHive)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WalkUninstallKey(benchmark::State& state) {
    dm::test::TempDir dir;
    dir.write("system.reg", uninstallHive(static_cast<int>(state.range(0))));
    FileRegistry registry(dir.path().string());
    for (auto _ : state) {
        auto key = registry.openKey(RegistryRoot::LocalMachine, kUninstall, RegistryAccess::Read);
        for (const std::string& name : key->subKeyNames()) {
            auto entry = registry.openKey(RegistryRoot::LocalMachine,
                                          std::string(kUninstall) + "\\" + name + "\\",
                                          RegistryAccess::Read);
            benchmark::DoNotOptimize(entry->readString("DisplayName"));
            benchmark::DoNotOptimize(entry->readString("DisplayVersion"));
        }
    }
}
BENCHMARK(BM_WalkUninstallKey)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_WriteValue(benchmark::State& state) {
    dm::test::TempDir dir;
    dir.write("user.reg", uninstallHive(static_cast<int>(state.range(0))));
    FileRegistry registry(dir.path().string());
    auto key = registry.createKey(RegistryRoot::CurrentUser, "SOFTWARE\\Brackenway\\Dimmetric",
                                  RegistryAccess::Full);
    std::uint32_t n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(key->writeDword("lng", ++n));
}
BENCHMARK(BM_WriteValue)->Arg(0)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_FillMemoryRegistry(benchmark::State& state) {
    for (auto _ : state) {
        FakeRegistry registry;
        for (int i = 0; i < state.range(0); ++i) {
            const auto key =
                registry.createKey(RegistryRoot::LocalMachine,
                                   std::string(kUninstall) + "\\{entry-" + std::to_string(i) + "}",
                                   RegistryAccess::Full);
            benchmark::DoNotOptimize(key->writeString("DisplayName", "Product"));
            benchmark::DoNotOptimize(key->writeString("DisplayVersion", "1.0"));
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FillMemoryRegistry)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

} // namespace
