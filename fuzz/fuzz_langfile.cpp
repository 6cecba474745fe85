// Language files of any revision, read without applying them: no Qt.
#include "localisation/format/LanguageFile.h"
#include "localisation/format/LanguageFileContent.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

std::string tempFile() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("fuzz_langfile_" + std::to_string(std::random_device{}()) + ".spk"))
            .string();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Most inputs get the signature so the reader reaches the records.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0 || data[0] != 'Z')
        bytes.insert(0, dm::kLanguageSignature);
    const std::string path = tempFile();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    // Every entry takes at least one record of the file, so a file cannot give more entries.
    const auto content = dm::readLanguageFileContent(path);
    if (content && content->entries.size() > bytes.size())
        __builtin_trap();
    std::filesystem::remove(path);
    return 0;
}
