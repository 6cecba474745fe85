#include "localisation/LanguageRecord.h"

#include "framework/TextUtils.h"

#include "localisation/CharSet.h"
#include "localisation/LanguageCode.h"
#include "localisation/LanguageFile.h"
#include "localisation/PublishedProperties.h"
#include "localisation/Storefile.h"
#include "platform/qt/QtText.h"
#include "platform/text/ByteOrder.h"
#include "platform/text/CodePage.h"
#include "platform/text/TextLines.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace dm {

namespace {

// A larger minimum font size than this is taken as this, so a broken file can't blow the
// forms up.
constexpr std::int32_t kLargestMinFontSize = 72;

QString decode(platform::CodePage& codePage, const std::string& bytes) {
    return QString::fromUtf8(codePage.toUtf8(bytes));
}

std::string encode(platform::CodePage& codePage, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return codePage.fromUtf8(std::string_view(utf8.constData(), utf8.size()));
}

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

void skip(Storefile& file, int records) {
    for (int i = 0; i < records && file.Next(); ++i) {
    }
}

bool isTranslated(std::int32_t tag) {
    return tag > 0 && (tag & kTextTranslated) != 0;
}

// Empty after removing blanks and control characters.
bool isBlank(const QString& text) {
    return trimText(platform::fromQt(text)).empty();
}

// Collected components by lower-case path, the first of equal paths winning.
class PathIndex {
public:
    explicit PathIndex(const std::vector<CollectedComponent>& components) {
        for (const auto& entry : components)
            byPath_.insert(entry.Path.toLower(), entry.Component);
        // insert() keeps the last; put the first of each path back.
        for (auto it = components.rbegin(); it != components.rend(); ++it)
            byPath_[it->Path.toLower()] = it->Component;
    }
    QObject* find(const QString& path) const { return byPath_.value(path.toLower(), nullptr); }

private:
    QHash<QString, QObject*> byPath_;
};

void setCaptionOrText(QObject* component, const QString& text) {
    if (!writePublished(component, Published::Caption, text))
        writePublished(component, Published::Text, text);
}

void replaceItems(QObject* component, const QString& text, bool linesToo) {
    const QStringList lines = splitTextLines(text);
    if (hasPublished(component, Published::Items))
        replaceEntries(component, Published::Items, lines);
    else if (linesToo)
        replaceEntries(component, Published::Lines, lines);
}

} // namespace

bool loadFlagPicture(const std::string& payload, QImage& picture) {
    picture = QImage();
    if (payload.empty())
        return true;
    picture = QImage::fromData(reinterpret_cast<const uchar*>(payload.data()),
                               static_cast<int>(payload.size()), "BMP");
    return !picture.isNull();
}

LanguageRecord::LanguageRecord(std::uint16_t writerRevision, QObject* root,
                               const QStringList* excluded)
    : writerRevision_(writerRevision), root_(root), excluded_(excluded) {}

LanguageRecord::~LanguageRecord() = default;

std::string LanguageRecord::defaultFileName() const {
    return languageFilePath(platform::fromQt(QCoreApplication::applicationDirPath()) + "/", "",
                            languageId_);
}

bool LanguageRecord::LoadAndApply(const std::string& fileName) {
    const std::string name = fileName.empty() ? defaultFileName() : fileName;
    std::error_code ec;
    if (!std::filesystem::exists(name, ec))
        return false;
    Storefile file;
    file.setSignature(std::string(kLanguageSignature));
    file.setFilename(name);
    file.setReadOnly(true);
    file.SetActive(true);
    if (file.Count() <= 5)
        return false;

    unsigned char header[4] = {};
    std::int32_t size = 4;
    file.ReadData(header, size, true);
    languageId_ = static_cast<std::uint16_t>(platform::readUnsigned(header, 0, 2));
    fileRevision_ =
        size == 4 ? static_cast<std::uint16_t>(platform::readUnsigned(header, 2, 2)) : 0;
    listTitle_ = readText(file);
    languageName_ = readText(file);
    listNote_ = readText(file);
    textLines_ = textToLines(readText(file));
    if (!loadFlagPicture(readText(file), flagPicture_))
        throw LanguageFileError("Bitmap image is not valid");

    if (fileRevision_ == 0) {
        applyRevision0(file);
        return true;
    }
    if (fileRevision_ > kLanguageRevision)
        throw LanguageFileError("Format not supported in this revision");

    readHeaderBlock(file);
    platform::CodePage codePage(codePageOf(charSet_));
    std::vector<CollectedComponent> components;
    if (root_)
        CollectComponents(QString(), components, excluded_, root_);
    applyFonts(components, codePage);
    applyGroups(file, components, codePage);
    // Qt's tool tip and menu fonts carry no character set, so there is nothing more to set.
    return true;
}

void LanguageRecord::readHeaderBlock(Storefile& file) {
    programVersion_ = static_cast<std::uint32_t>(readNumber(file));
    if (fileRevision_ >= 2) {
        carriedByte_ = static_cast<std::uint8_t>(readNumber(file));
        carriedText1_ = readText(file);
        carriedText2_ = readText(file);
    }
    imeName_ = readText(file);
    fontName_ = readText(file);
    charSet_ = static_cast<std::uint8_t>(readNumber(file));
    minFontSize_ = fileRevision_ >= 4 ? readNumber(file) : 9;
}

void LanguageRecord::applyFonts(const std::vector<CollectedComponent>& components,
                                platform::CodePage& codePage) {
    QObject* main = mainForm();
    const QString reference = readFont(main ? main : root_).family();
    const QString fontName = decode(codePage, fontName_);
    const double minSize = std::min(minFontSize_, kLargestMinFontSize);
    for (const auto& entry : components) {
        if (!hasFont(entry.Component))
            continue;
        QFont font = readFont(entry.Component);
        if (font.family() == reference && !fontName.isEmpty())
            font.setFamily(fontName);
        if (fileRevision_ >= 4 && fontPointSize(font) < minSize)
            font.setPointSizeF(minSize);
        writeFont(entry.Component, font);
        setFontCharSet(entry.Component, charSet_);
    }
}

void LanguageRecord::applyGroups(Storefile& file, const std::vector<CollectedComponent>& components,
                                 platform::CodePage& codePage) {
    const PathIndex index(components);
    const bool aligned = fileRevision_ >= 3;
    while (!file.Eof()) {
        QObject* component = index.find(decode(codePage, readText(file)));
        if (!component) {
            skip(file, aligned ? 4 : 3);
            continue;
        }
        const int itemIndex = hasPublished(component, Published::ItemIndex)
                                  ? readPublished(component, Published::ItemIndex).toInt()
                                  : -2;
        if (aligned) {
            const std::int32_t alignment = readNumber(file);
            if (alignment == 1 || alignment == 2) {
                writePublished(component, Published::Alignment, alignment == 1 ? 1 : 0);
                writePublished(component, Published::Layout, alignment == 1 ? 0 : 1);
            }
        }
        std::string text;
        std::int32_t tag = file.ReadString(text, true);
        if (isTranslated(tag))
            setCaptionOrText(component, decode(codePage, text));
        tag = file.ReadString(text, true);
        if (isTranslated(tag) && writePublished(component, Published::Hint, decode(codePage, text)))
            writePublished(component, Published::ShowHint, (tag & kTextShowHint) != 0);
        tag = file.ReadString(text, true);
        if (isTranslated(tag))
            replaceItems(component, decode(codePage, text), true);
        if (itemIndex >= -1)
            writePublished(component, Published::ItemIndex, itemIndex);
    }
}

void LanguageRecord::applyRevision0(Storefile& file) {
    charSet_ = kDefaultCharSet;
    platform::CodePage codePage(codePageOf(charSet_));
    std::vector<CollectedComponent> components;
    if (root_) {
        for (QObject* owned : ownedComponents(root_)) {
            setFontCharSet(owned, charSet_);
            if (!isForm(owned))
                continue;
            components.push_back({owned->objectName(), owned});
            for (QObject* inForm : ownedComponents(owned)) {
                setFontCharSet(inForm, charSet_);
                components.push_back(
                    {owned->objectName() + QLatin1Char('.') + inForm->objectName(), inForm});
            }
        }
    }
    const PathIndex index(components);
    while (!file.Eof()) {
        std::string path;
        const std::int32_t kind = file.ReadString(path, true);
        QObject* component = index.find(decode(codePage, path));
        const bool captioned = (kind >= 6 && kind <= 11) || kind == 13;
        if (!component) {
            skip(file, kind == 11 ? 3 : kind == 12 ? 1 : captioned ? 2 : 0);
            continue;
        }
        if (captioned) {
            if (const std::string caption = readText(file); !caption.empty())
                setCaptionOrText(component, decode(codePage, caption));
            if (const std::string hint = readText(file); !hint.empty())
                writePublished(component, Published::Hint, decode(codePage, hint));
        }
        if (kind == 11 || kind == 12) {
            if (const std::string items = readText(file); !items.empty())
                replaceItems(component, decode(codePage, items), false);
        }
    }
}

bool LanguageRecord::SaveToFile(const std::string& fileName) {
    const std::string name = fileName.empty() ? defaultFileName() : fileName;
    const std::string temporary = name + ".tmp";
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    {
        Storefile file;
        file.setSignature(std::string(kLanguageSignature));
        file.setFilename(temporary);
        file.SetActive(true);
        if (!file.Active())
            return false;
        platform::CodePage codePage(codePageOf(charSet_));

        file.WriteInteger(
            0, static_cast<std::int32_t>((std::uint32_t{writerRevision_} << 16) | languageId_));
        file.WriteString(1, listTitle_);
        file.WriteString(2, languageName_);
        file.WriteString(3, listNote_);
        file.WriteString(4, platform::joinCrLf(textLines_));
        QByteArray picture;
        if (!flagPicture_.isNull()) {
            QBuffer buffer(&picture);
            buffer.open(QIODevice::WriteOnly);
            flagPicture_.save(&buffer, "BMP");
        }
        file.WriteString(5, picture.toStdString());

        file.WriteInteger(kTagProgramVersion, static_cast<std::int32_t>(programVersion_));
        file.WriteInteger(kTagCarriedByte, carriedByte_);
        file.WriteString(kTagCarriedText1, carriedText1_);
        file.WriteString(kTagCarriedText2, carriedText2_);
        file.WriteString(kTagImeName, imeName_);
        file.WriteString(kTagFontName, fontName_);
        file.WriteInteger(kTagCharSet, charSet_);
        file.WriteInteger(kTagMinFontSize, minFontSize_);

        std::vector<CollectedComponent> components;
        if (root_)
            CollectComponents(QString(), components, excluded_, root_);
        for (const auto& entry : components)
            writeComponent(file, entry, codePage);
    }
    std::filesystem::rename(temporary, name, ec);
    if (ec)
        std::filesystem::remove(temporary, ec);
    return !ec;
}

void LanguageRecord::writeComponent(Storefile& file, const CollectedComponent& entry,
                                    platform::CodePage& codePage) {
    QObject* c = entry.Component;
    std::optional<QString> caption;
    for (const Published p : {Published::Caption, Published::Text}) {
        if (!hasPublished(c, p))
            continue;
        const QString text = readPublished(c, p).toString();
        if (!isBlank(text)) {
            caption = text;
            break;
        }
    }
    std::optional<QString> hint;
    if (const QString text = readPublished(c, Published::Hint).toString(); !isBlank(text))
        hint = text;
    std::optional<QString> items;
    for (const Published p : {Published::Items, Published::Lines}) {
        if (!hasPublished(c, p))
            continue;
        if (const QStringList lines = readPublished(c, p).toStringList(); !lines.isEmpty()) {
            items = platform::joinCrLf(lines);
            break;
        }
    }
    const int n = int(caption.has_value()) + int(hint.has_value()) + int(items.has_value());
    if (n == 0)
        return;
    file.WriteString(kTagGroupName + n, encode(codePage, entry.Path));
    file.WriteInteger(kTagAlignment, 0);
    file.WriteString(caption ? kTextCaption : 0, caption ? encode(codePage, *caption) : "");
    const bool showHint =
        !hasPublished(c, Published::ShowHint) || readPublished(c, Published::ShowHint).toBool();
    file.WriteString(hint ? kTextHint + kTextShowHint * int(showHint) : 0,
                     hint ? encode(codePage, *hint) : "");
    file.WriteString(items ? kTextItems : 0, items ? encode(codePage, *items) : "");
}

} // namespace dm
