// The log at its cap of 10000 lines (one insertion and one deletion per line) and the size texts
// of the one-second memory sampling.
#include "framework/FormatSize.h"
#include "framework/RunLog.h"
#include "platform/fakes/FakeShell.h"
#include "platform/fakes/FakeSystemInfo.h"
#include "platform/files/LinuxFileSystem.h"

#include <benchmark/benchmark.h>

namespace {

void BM_RunLogAddAtCap(benchmark::State& state) {
    dm::platform::LinuxFileSystem files;
    dm::platform::FakeSystemInfo system;
    dm::platform::FakeShell shell;
    // A log in a folder that does not exist never writes: only the in-memory cost is measured.
    dm::RunLog log({files, system, shell}, "/nonexistent-folder/bench.log", false, 10000, false);
    for (int i = 0; i < 10000; ++i)
        log.Add("filler line", dm::llInfo);
    for (auto _ : state)
        log.Add("Memory load sampled", dm::llInfo);
}
BENCHMARK(BM_RunLogAddAtCap);

void BM_FormatSize(benchmark::State& state) {
    const dm::SizeFormatter formatter(",");
    std::int64_t size = 17179869183;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatter.FormatSize(size));
        size ^= 0x5555;
    }
}
BENCHMARK(BM_FormatSize);

} // namespace
