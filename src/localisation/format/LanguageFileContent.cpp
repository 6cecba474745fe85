// Reading and writing what a language file holds, revisions 0 to 4, with limits on every text.
#include "localisation/format/LanguageFileContent.h"

#include "localisation/format/LanguageFile.h"
#include "localisation/format/Storefile.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "platform/text/ByteOrder.h"

#include <random>
#include <string>

namespace dm {

namespace {

std::string readText(Storefile& file) {
    std::string text;
    file.ReadString(text, true);
    return text;
}

// A text of at most limit bytes; a longer one is skipped and read as empty, so that a hostile
// file cannot make a font or a list out of megabytes.
std::string readText(Storefile& file, std::int32_t limit) {
    if (file.DataSize() > limit) {
        file.Next();
        return {};
    }
    return readText(file);
}

// As Storefile::ReadString with its tag; a text longer than limit is skipped and reads as an
// empty, untranslated one.
std::int32_t readTaggedText(Storefile& file, std::string& text, std::int32_t limit) {
    if (file.DataSize() > limit) {
        text.clear();
        file.Next();
        return 0;
    }
    return file.ReadString(text, true);
}

std::int32_t readNumber(Storefile& file) {
    std::int32_t value = 0;
    file.ReadInteger(value, true);
    return value;
}

// Revision 0: the kind, then a caption and a hint for captioned kinds, and items for lists.
ComponentTexts readRevision0Entry(Storefile& file) {
    ComponentTexts entry;
    entry.kind = file.ReadString(entry.path, true);
    const bool captioned = (entry.kind >= 6 && entry.kind <= 11) || entry.kind == 13;
    if (captioned) {
        entry.caption = readText(file, kLanguageTextLimit);
        entry.hint = readText(file, kLanguageTextLimit);
    }
    if (entry.kind == 11 || entry.kind == 12)
        entry.items = readText(file, kLanguageTextLimit);
    return entry;
}

// Revisions 1 to 4: the path, the alignment (from revision 3), then caption, hint and items.
ComponentTexts readEntry(Storefile& file, bool aligned) {
    ComponentTexts entry;
    entry.path = readText(file, kLanguageTextLimit);
    if (aligned)
        entry.alignment = readNumber(file);
    entry.captionTag = readTaggedText(file, entry.caption, kLanguageTextLimit);
    entry.hintTag = readTaggedText(file, entry.hint, kLanguageTextLimit);
    entry.itemsTag = readTaggedText(file, entry.items, kLanguageTextLimit);
    return entry;
}

} // namespace

void readHeaderBlock(Storefile& file, LanguageFileContent& content) {
    content.programVersion = static_cast<std::uint32_t>(readNumber(file));
    if (content.fileRevision >= 2) {
        content.carriedByte = static_cast<std::uint8_t>(readNumber(file));
        content.carriedText1 = readText(file, kLanguageTextLimit);
        content.carriedText2 = readText(file, kLanguageTextLimit);
    }
    content.imeName = readText(file, kLanguageNameLimit);
    content.fontName = readText(file, kLanguageNameLimit);
    content.charSet = static_cast<std::uint8_t>(readNumber(file));
    content.minFontSize = content.fileRevision >= 4 ? readNumber(file) : 9;
}

std::optional<LanguageFileContent> readLanguageFileContent(platform::FileSystem& files,
                                                           const std::string& fileName) {
    if (!files.status(fileName))
        return std::nullopt;
    Storefile file(files);
    openLanguageFile(file, fileName);
    if (file.Count() <= 5)
        return std::nullopt;

    LanguageFileContent content;
    unsigned char header[4] = {};
    std::int32_t size = 4;
    file.ReadData(header, size, true);
    content.languageId = static_cast<std::uint16_t>(platform::readUnsigned(header, 0, 2));
    content.fileRevision =
        size == 4 ? static_cast<std::uint16_t>(platform::readUnsigned(header, 2, 2)) : 0;
    content.listTitle = readText(file, kLanguageTextLimit);
    content.languageName = readText(file, kLanguageTextLimit);
    content.listNote = readText(file, kLanguageTextLimit);
    content.textLines = readText(file, kLanguageTextLimit);
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

platform::Status writeLanguageFileContent(platform::FileSystem& files, const std::string& fileName,
                                          const LanguageFileContent& content,
                                          std::uint16_t revision) {
    // The record file is built in a scratch file of the temporary folder, so that the one write
    // into the target's folder is the file system's whole-file write, which says why it failed.
    const std::string scratchFolder = files.specialFolder(platform::SpecialFolder::Temporary);
    const auto folder = files.status(scratchFolder);
    if (!folder || folder->type != platform::EntryStatus::Type::Folder)
        return platform::Failure{"no temporary folder to build " + fileName + " in: \"" +
                                 scratchFolder + "\" is not a folder"};
    const std::string temporary = platform::withTrailingDelimiter(scratchFolder) + "dimmetric-" +
                                  std::to_string(std::random_device{}()) + "-" +
                                  fileName.substr(platform::folderOfPath(fileName).size()) + ".tmp";
    files.removeEntry(temporary); // a leftover of a write that was cut short
    {
        Storefile file(files);
        file.setSignature(std::string(kLanguageSignature));
        file.setFilename(temporary);
        file.SetActive(true);
        if (!file.Active())
            return platform::Failure{"cannot create the scratch file " + temporary};
        file.WriteInteger(
            0, static_cast<std::int32_t>((std::uint32_t{revision} << 16) | content.languageId));
        file.WriteString(1, content.listTitle);
        file.WriteString(2, content.languageName);
        file.WriteString(3, content.listNote);
        file.WriteString(4, content.textLines);
        file.WriteString(5, content.flagPicture);

        file.WriteInteger(kTagProgramVersion, static_cast<std::int32_t>(content.programVersion));
        file.WriteInteger(kTagCarriedByte, content.carriedByte);
        file.WriteString(kTagCarriedText1, content.carriedText1);
        file.WriteString(kTagCarriedText2, content.carriedText2);
        file.WriteString(kTagImeName, content.imeName);
        file.WriteString(kTagFontName, content.fontName);
        file.WriteInteger(kTagCharSet, content.charSet);
        file.WriteInteger(kTagMinFontSize, content.minFontSize);

        for (const ComponentTexts& entry : content.entries) {
            const int texts =
                int(entry.captionTag != 0) + int(entry.hintTag != 0) + int(entry.itemsTag != 0);
            file.WriteString(kTagGroupName + texts, entry.path);
            file.WriteInteger(kTagAlignment, entry.alignment);
            file.WriteString(entry.captionTag, entry.caption);
            file.WriteString(entry.hintTag, entry.hint);
            file.WriteString(entry.itemsTag, entry.items);
        }
    }
    const std::optional<std::string> built = files.readFile(temporary);
    files.removeEntry(temporary); // only the target counts
    if (!built)
        return platform::Failure{"cannot read the scratch file " + temporary};
    return files.writeFile(fileName, *built);
}

} // namespace dm
