// What a language file holds, read without applying it: header, texts and component groups.
#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dm {

// The texts of one component in a language file (its group), as bytes in the file's character set.
struct ComponentTexts {
    std::string path;           // the owner-based component path
    std::int32_t kind = 0;      // revision 0: the component kind that says which texts follow
    std::int32_t alignment = 0; // revisions 3 and 4: 1 or 2 set the alignment, 0 leaves it
    std::int32_t captionTag = 0;
    std::string caption;
    std::int32_t hintTag = 0;
    std::string hint;
    std::int32_t itemsTag = 0;
    std::string items;
};

// What a language file of revision 0 to 4 holds, read without applying any of it.
struct LanguageFileContent {
    std::uint16_t languageId = 0;
    std::uint16_t fileRevision = 0;
    std::string listTitle;
    std::string languageName;
    std::string listNote;
    std::string textLines;   // CR LF separated
    std::string flagPicture; // the picture's payload, empty for none
    // The header block (revisions 1 to 4).
    std::uint32_t programVersion = 0;
    std::uint8_t carriedByte = 0; // revisions 2 to 4, like the carried texts
    std::string carriedText1;
    std::string carriedText2;
    std::string imeName;
    std::string fontName;
    std::uint8_t charSet = 0;
    std::int32_t minFontSize = 9; // revision 4
    std::vector<ComponentTexts> entries;
};

class Storefile;
namespace platform {
class FileSystem;
}

// Reads the header block of a revision 1 to 4 file (content.fileRevision), from its program
// version on, into content.
void readHeaderBlock(Storefile& file, LanguageFileContent& content);

// The content of the language file, read record by record; nullopt when it is missing or holds
// five records or fewer. A revision above the one this system writes gives the first five
// records only: what follows them is not known.
std::optional<LanguageFileContent> readLanguageFileContent(platform::FileSystem& files,
                                                           const std::string& fileName);

// Writes the content as a language file of revision `revision` (the header, the header block of
// the latest revision, then one group per entry), whole or not at all: the record file is built
// in the temporary folder and put in place by the file system's whole-file write. A failure
// says why.
platform::Status writeLanguageFileContent(platform::FileSystem& files, const std::string& fileName,
                                          const LanguageFileContent& content,
                                          std::uint16_t revision);

} // namespace dm
