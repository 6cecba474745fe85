#include "localisation/LangList.h"
#include "localisation/LanguageCode.h"
#include "localisation/LanguageTable.h"
#include "localisation/Storefile.h"
#include "platform/Platform.h"
#include "platform/VersionResources.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

// A temporary program folder holding language files for the first `languages` rows of the
// language table, each with a header block and a few groups, as real language files have.
class LanguageFolder {
public:
    explicit LanguageFolder(std::size_t languages) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dimmetric-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
        const auto rows = dm::ScannedLanguages();
        for (std::size_t i = 0; i < languages && i < rows.size(); ++i)
            Write(dm::MakeLanguageCode(0, rows[i].id), std::string(rows[i].name));
    }
    ~LanguageFolder() { std::filesystem::remove_all(path_); }

    std::string dir() const { return path_.string() + "/"; }

private:
    void Write(std::int32_t code, const std::string& name) {
        dm::Storefile file;
        file.SetSignature("ZEL LANGUAGE FILE");
        file.SetFilename(dm::LanguageFilePath(dir(), "QV_", code));
        file.SetActive(true);
        file.WriteInteger(0, (4 << 16) | (code & 0xFFFF));
        file.WriteString(1, name);
        file.WriteString(2, name);
        file.WriteString(3, "translated by the bench");
        file.WriteString(4, "line 1\r\nline 2\r\n");
        file.WriteString(5, std::string(1200, 'B'));
        file.WriteInteger(512, (1 << 24) | (23 << 16) | 47);
        file.WriteInteger(516, 0);
        file.WriteString(517, "");
        file.WriteString(518, "");
        file.WriteString(513, "");
        file.WriteString(514, "Tahoma");
        file.WriteInteger(515, 1);
        file.WriteInteger(516, 8);
        for (int group = 0; group < 60; ++group) {
            file.WriteString(529, "MainDlg.component" + std::to_string(group));
            file.WriteInteger(768, 0);
            file.WriteString(33, "Caption " + std::to_string(group));
            file.WriteString(0, "");
            file.WriteString(0, "");
        }
    }

    std::filesystem::path path_;
};

// The program's executable, in the language folder.
class Executable : public dm::platform::VersionResources {
public:
    explicit Executable(std::string folder) : path_(std::move(folder) + "Dimmetric") {}
    bool fileExists(const std::string&) override { return false; }
    std::optional<dm::platform::VersionBlock> read(const std::string&) override { return {}; }
    std::string moduleFileName() override { return path_; }

private:
    std::string path_;
};

void ScanLanguageFiles(benchmark::State& state) {
    const LanguageFolder folder(static_cast<std::size_t>(state.range(0)));
    Executable executable(folder.dir());
    dm::platform::Platform platform;
    platform.versions = &executable;
    dm::LangList list(nullptr, platform, {});
    list.SetFilePrefix("QV_");
    for (auto _ : state) {
        list.ScanLanguageFiles();
        benchmark::DoNotOptimize(list.Entries().data());
    }
    state.counters["files"] = static_cast<double>(list.Entries().size());
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(list.Entries().size()),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ScanLanguageFiles)->Arg(0)->Arg(50)->Unit(benchmark::kMicrosecond);

} // namespace
