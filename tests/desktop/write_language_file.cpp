// Writes a language file for the desktop checks: write_language_file FOLDER LANGID TITLE
// [PATH=CAPTION]... writes FOLDER/QV_0000<LANGID>.SPK (LANGID in hexadecimal), each caption
// marked as translated.
#include "localisation/format/LanguageCode.h"
#include "platform/files/LinuxFileSystem.h"
#include "support/LanguageFileWriter.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FOLDER LANGID TITLE [PATH=CAPTION]...\n", argv[0]);
        return 2;
    }
    const auto langId = static_cast<std::uint16_t>(std::stoul(argv[2], nullptr, 16));
    dm::test::LanguageFileContent file{
        .languageId = langId, .listTitle = argv[3], .languageName = argv[3], .listNote = "test"};
    for (int i = 4; i < argc; ++i) {
        const std::string text = argv[i];
        const auto equals = text.find('=');
        if (equals == std::string::npos) {
            std::fprintf(stderr, "not PATH=CAPTION: %s\n", argv[i]);
            return 2;
        }
        file.groups.push_back({.path = text.substr(0, equals),
                               .captionTag = dm::kTextCaption | dm::kTextTranslated,
                               .caption = text.substr(equals + 1)});
    }
    const std::string path =
        dm::languageFilePath(std::string(argv[1]) + "/", "QV_", dm::makeLanguageCode(0, langId));
    dm::platform::LinuxFileSystem disk;
    if (!dm::test::writeLanguageFile(disk, path, file)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
