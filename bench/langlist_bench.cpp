// Speed of the language list's scan of a program folder holding many language files.
#include "localisation/LangList.h"
#include "localisation/format/LanguageCode.h"
#include "localisation/format/LanguageTable.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/VersionResources.h"
#include "support/LanguageFileWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The files are read and written on disk, as the program does.
dm::platform::LinuxFileSystem disk;

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
        const auto rows = dm::scannedLanguages();
        for (std::size_t i = 0; i < languages && i < rows.size(); ++i)
            write(dm::makeLanguageCode(0, rows[i].id), std::string(rows[i].name));
    }
    ~LanguageFolder() { std::filesystem::remove_all(path_); }

    std::string dir() const { return path_.string() + "/"; }

private:
    void write(std::int32_t code, const std::string& name) {
        dm::test::LanguageFileContent file{.languageId = std::uint16_t(code & 0xFFFF),
                                           .listTitle = name,
                                           .languageName = name,
                                           .listNote = "translated by the bench",
                                           .textLines = "line 1\r\nline 2\r\n",
                                           .flagPicture = std::string(1200, 'B'),
                                           .programVersion = (1 << 24) | (23 << 16) | 47,
                                           .fontName = "Tahoma"};
        for (int group = 0; group < 60; ++group)
            file.groups.push_back({.path = "MainDlg.component" + std::to_string(group),
                                   .captionTag = 33,
                                   .caption = "Caption " + std::to_string(group)});
        dm::test::writeLanguageFile(disk, dm::languageFilePath(dir(), "QV_", code), file);
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
    dm::platform::FakePlatform fakes;
    fakes.platform.versions = executable;
    dm::LangList list(nullptr, fakes.platform, {});
    list.setFilePrefix("QV_");
    for (auto _ : state) {
        list.ScanLanguageFiles();
        benchmark::DoNotOptimize(list.entries().data());
    }
    state.counters["files"] = static_cast<double>(list.entries().size());
    state.counters["files/s"] = benchmark::Counter(static_cast<double>(list.entries().size()),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ScanLanguageFiles)->Arg(0)->Arg(50)->Unit(benchmark::kMicrosecond);

} // namespace
