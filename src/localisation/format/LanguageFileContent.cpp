#include "localisation/format/LanguageFileContent.h"

#include "localisation/format/LanguageFile.h"
#include "localisation/format/Storefile.h"
#include "platform/text/ByteOrder.h"

#include <filesystem>
#include <system_error>

namespace dm {

namespace {

std::string readText(Storefile& file) {
    std::string text;
    file.ReadString(text, true);
    return text;
}

std::int32_t readNumber(Storefile& file) {
    std::int32_t value = 0;
    file.ReadInteger(value, true);
    return value;
}

void readHeaderBlock(Storefile& file, LanguageFileContent& content) {
    content.programVersion = static_cast<std::uint32_t>(readNumber(file));
    if (content.fileRevision >= 2) {
        content.carriedByte = static_cast<std::uint8_t>(readNumber(file));
        content.carriedText1 = readText(file);
        content.carriedText2 = readText(file);
    }
    content.imeName = readText(file);
    content.fontName = readText(file);
    content.charSet = static_cast<std::uint8_t>(readNumber(file));
    content.minFontSize = content.fileRevision >= 4 ? readNumber(file) : 9;
}

// Revision 0: the kind, then a caption and a hint for captioned kinds, and items for lists.
LanguageEntry readRevision0Entry(Storefile& file) {
    LanguageEntry entry;
    entry.kind = file.ReadString(entry.path, true);
    const bool captioned = (entry.kind >= 6 && entry.kind <= 11) || entry.kind == 13;
    if (captioned) {
        entry.caption = readText(file);
        entry.hint = readText(file);
    }
    if (entry.kind == 11 || entry.kind == 12)
        entry.items = readText(file);
    return entry;
}

// Revisions 1 to 4: the path, the alignment (from revision 3), then caption, hint and items.
LanguageEntry readEntry(Storefile& file, bool aligned) {
    LanguageEntry entry;
    entry.path = readText(file);
    if (aligned)
        entry.alignment = readNumber(file);
    entry.captionTag = file.ReadString(entry.caption, true);
    entry.hintTag = file.ReadString(entry.hint, true);
    entry.itemsTag = file.ReadString(entry.items, true);
    return entry;
}

} // namespace

std::optional<LanguageFileContent> readLanguageFileContent(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec))
        return std::nullopt;
    Storefile file;
    file.setSignature(std::string(kLanguageSignature));
    file.setFilename(fileName);
    file.setReadOnly(true);
    file.SetActive(true);
    if (file.Count() <= 5)
        return std::nullopt;

    LanguageFileContent content;
    unsigned char header[4] = {};
    std::int32_t size = 4;
    file.ReadData(header, size, true);
    content.languageId = static_cast<std::uint16_t>(platform::readUnsigned(header, 0, 2));
    content.fileRevision =
        size == 4 ? static_cast<std::uint16_t>(platform::readUnsigned(header, 2, 2)) : 0;
    content.listTitle = readText(file);
    content.languageName = readText(file);
    content.listNote = readText(file);
    content.textLines = readText(file);
    content.flagPicture = readText(file);
    if (content.fileRevision > kLanguageRevision)
        return content;
    if (content.fileRevision > 0)
        readHeaderBlock(file, content);
    const bool aligned = content.fileRevision >= 3;
    while (!file.Eof())
        content.entries.push_back(content.fileRevision == 0 ? readRevision0Entry(file)
                                                            : readEntry(file, aligned));
    return content;
}

} // namespace dm
