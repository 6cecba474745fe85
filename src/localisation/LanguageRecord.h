// One language file in memory: applied to the live components, or written as the template.
#pragma once

#include "localisation/Components.h"
#include "localisation/PublishedProperties.h"
#include "platform/Error.h"
#include "platform/Result.h"

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QObject;

namespace dm {

class Storefile;
struct ComponentTexts;
struct LanguageFileContent;
namespace platform {
class CodePage;
class FileSystem;
} // namespace platform

// An error that ends the reading of a language file: a revision above 4 ("Format not supported in
// this revision") or a flag picture that is not a bitmap file image.
class LanguageFileError : public Error {
public:
    using Error::Error;
};

// The flag picture of a record's payload: an empty payload is no picture (a null image); nullopt
// for anything but a bitmap file image.
std::optional<QImage> loadFlagPicture(const std::string& payload);

// The bytes of a language file written in character set charSet, as the program's text.
std::string languageFileText(const std::string& bytes, std::uint8_t charSet);

// One language file in memory. LoadAndApply reads a file and applies it to the live components
// below the root (fonts and character set, captions and texts, hints, item lists, alignment);
// SaveToFile writes a revision-4 file from the fields and the live components (the template).
// Texts in the fields are bytes in the file's character set. Before applying a file, the record
// puts back every text its earlier files changed as it was before (the texts of the template),
// so a text the file lacks shows untranslated rather than in the last language.
class LanguageRecord {
public:
    // files: where the language files are read and written. root: the component whose owned
    // components, recursively, are translated (the application object or a form); not owned.
    // excluded: names or paths never translated; may be null; not owned.
    LanguageRecord(platform::FileSystem& files, std::uint16_t writerRevision, QObject* root,
                   const QStringList* excluded);
    ~LanguageRecord();
    LanguageRecord(const LanguageRecord&) = delete;
    LanguageRecord& operator=(const LanguageRecord&) = delete;

    // True when the file was read and applied (after the untranslated texts were put back);
    // False, changing nothing, for a missing file, a wrong signature or 5 records or fewer. Throws
    // LanguageFileError as above. An empty name is the program's folder + language identifier as
    // eight hexadecimal digits + ".SPK".
    bool LoadAndApply(const std::string& fileName);
    // Writes the file whole (through a temporary file); False when it can't be written.
    bool SaveToFile(const std::string& fileName);
    // As SaveToFile; a failure says why.
    platform::Status writeFile(const std::string& fileName);

    std::uint16_t writerRevision() const { return writerRevision_; }
    std::uint16_t fileRevision() const { return fileRevision_; }
    std::uint16_t languageId() const { return languageId_; }
    const std::string& listTitle() const { return listTitle_; }
    const std::string& LanguageName() const { return languageName_; }
    const std::string& listNote() const { return listNote_; }
    const std::vector<std::string>& textLines() const { return textLines_; }
    std::uint8_t carriedByte() const { return carriedByte_; }
    const std::string& carriedText1() const { return carriedText1_; }
    const std::string& carriedText2() const { return carriedText2_; }
    std::uint32_t programVersion() const { return programVersion_; }
    const std::string& imeName() const { return imeName_; }
    const std::string& fontName() const { return fontName_; }
    std::uint8_t charSet() const { return charSet_; }
    const QImage& flagPicture() const { return flagPicture_; }
    std::int32_t minFontSize() const { return minFontSize_; }

    void SetProgramVersion(std::uint32_t value) { programVersion_ = value; }
    void SetImeName(std::string value) { imeName_ = std::move(value); }
    void SetFontName(std::string value) { fontName_ = std::move(value); }
    void setCharSet(std::uint8_t value) { charSet_ = value; }
    // The folder of the default file (an empty file name): the program's folder.
    void setProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

private:
    // A component's texts that a file changed, as they were before the first file changed them.
    struct OriginalTexts {
        QPointer<QObject> component;
        std::optional<QString> caption;
        std::optional<QString> hint;
        std::optional<bool> showHint;
        std::optional<QStringList> items;
        std::optional<Published> itemsProperty; // Items or Lines
    };
    enum class OriginalText { Caption, Hint, Items };

    std::string defaultFileName() const;
    // Keeps component's text as it is before a file first changes it.
    void rememberOriginal(QObject* component, OriginalText text);
    // Puts back every text a file changed.
    void putBackOriginalTexts();
    void takeHeaderBlock(const LanguageFileContent& content);
    void applyFonts(const std::vector<CollectedComponent>& components,
                    platform::CodePage& codePage);
    void applyGroups(const std::vector<ComponentTexts>& entries,
                     const std::vector<CollectedComponent>& components,
                     platform::CodePage& codePage);
    void applyRevision0(const std::vector<ComponentTexts>& entries);
    std::optional<ComponentTexts> entryOf(const CollectedComponent& collected,
                                          platform::CodePage& codePage) const;

    std::uint16_t writerRevision_;
    platform::FileSystem& files_;
    QObject* root_;
    const QStringList* excluded_;
    std::uint16_t fileRevision_ = 0;
    std::uint16_t languageId_ = 0;
    std::string listTitle_;
    std::string languageName_;
    std::string listNote_;
    std::vector<std::string> textLines_;
    std::uint8_t carriedByte_ = 0;
    std::string carriedText2_;
    std::string carriedText1_;
    std::uint32_t programVersion_ = 0;
    std::string imeName_;
    std::string fontName_;
    std::string programFolder_;
    std::uint8_t charSet_ = 0;
    QImage flagPicture_;
    std::int32_t minFontSize_ = 8;
    QHash<const QObject*, OriginalTexts> originals_;
};

} // namespace dm
