// Language files of any revision, read without applying them: no Qt.
#include "localisation/format/LanguageFile.h"
#include "localisation/format/LanguageFileContent.h"
#include "platform/fakes/InMemoryFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Most inputs get the signature so the reader reaches the records.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0 || data[0] != 'Z')
        bytes.insert(0, dm::kLanguageSignature);
    const std::string path = "/fuzz/language.spk";
    dm::platform::InMemoryFileSystem files;
    files.addFile(path, bytes);
    // Every entry takes at least one record of the file, so a file cannot give more entries.
    const auto content = dm::readLanguageFileContent(files, path);
    if (content && content->entries.size() > bytes.size())
        __builtin_trap();
    return 0;
}
