// One language file in memory: read and applied to the live forms, or written as template.
#include "localisation/LanguageRecord.h"

#include "framework/TextUtils.h"

#include "localisation/PublishedProperties.h"
#include "localisation/format/CharSet.h"
#include "localisation/format/LanguageCode.h"
#include "localisation/format/LanguageFile.h"
#include "localisation/format/LanguageFileContent.h"
#include "localisation/format/Storefile.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/PathText.h"
#include "platform/qt/QtText.h"
#include "platform/text/ByteOrder.h"
#include "platform/text/CodePage.h"
#include "platform/text/TextLines.h"

#include <QBuffer>
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

std::string languageFileText(const std::string& bytes, std::uint8_t charSet) {
    platform::CodePage codePage(codePageOf(charSet));
    return platform::fromQt(decode(codePage, bytes));
}

std::optional<QImage> loadFlagPicture(const std::string& payload) {
    if (payload.empty())
        return QImage();
    QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(payload.data()),
                                      static_cast<int>(payload.size()), "BMP");
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

LanguageRecord::LanguageRecord(platform::FileSystem& files, std::uint16_t writerRevision,
                               QObject* root, const QStringList* excluded)
    : writerRevision_(writerRevision), files_(files), root_(root), excluded_(excluded) {}

LanguageRecord::~LanguageRecord() = default;

std::string LanguageRecord::defaultFileName() const {
    const std::string folder =
        programFolder_.empty() ? std::string() : platform::withTrailingDelimiter(programFolder_);
    return languageFilePath(folder, "", languageId_);
}

bool LanguageRecord::LoadAndApply(const std::string& fileName) {
    const std::optional<LanguageFileContent> content =
        readLanguageFileContent(files_, fileName.empty() ? defaultFileName() : fileName);
    if (!content)
        return false;
    languageId_ = content->languageId;
    fileRevision_ = content->fileRevision;
    listTitle_ = content->listTitle;
    languageName_ = content->languageName;
    listNote_ = content->listNote;
    textLines_ = platform::textToLines(content->textLines);
    std::optional<QImage> picture = loadFlagPicture(content->flagPicture);
    flagPicture_ = picture.value_or(QImage());
    if (!picture)
        throw LanguageFileError("Bitmap image is not valid");

    if (fileRevision_ > kLanguageRevision)
        throw LanguageFileError("Format not supported in this revision");

    putBackOriginalTexts();
    if (fileRevision_ == 0) {
        applyRevision0(content->entries);
        return true;
    }
    takeHeaderBlock(*content);
    std::vector<CollectedComponent> components;
    if (root_)
        CollectComponents(QString(), components, excluded_, root_);
    platform::CodePage codePage(codePageOf(charSet_));
    applyFonts(components, codePage);
    applyGroups(content->entries, components, codePage);
    // Qt's tool tip and menu fonts carry no character set, so there is nothing more to set.
    return true;
}

void LanguageRecord::rememberOriginal(QObject* component, OriginalText text) {
    auto found = originals_.find(component);
    if (found == originals_.end() || found->component.isNull())
        found = originals_.insert(component, OriginalTexts{component, {}, {}, {}, {}, {}});
    OriginalTexts& texts = found.value();
    const auto first = [component](std::initializer_list<Published> properties) {
        for (const Published p : properties)
            if (hasPublished(component, p))
                return std::optional<Published>(p);
        return std::optional<Published>();
    };
    if (text == OriginalText::Caption && !texts.caption) {
        if (const auto p = first({Published::Caption, Published::Text}))
            texts.caption = readPublished(component, *p).toString();
    } else if (text == OriginalText::Hint && !texts.hint) {
        texts.hint = readPublished(component, Published::Hint).toString();
        if (hasPublished(component, Published::ShowHint))
            texts.showHint = readPublished(component, Published::ShowHint).toBool();
    } else if (text == OriginalText::Items && !texts.items) {
        if (const auto p = first({Published::Items, Published::Lines})) {
            texts.items = readPublished(component, *p).toStringList();
            texts.itemsProperty = *p;
        }
    }
}

void LanguageRecord::putBackOriginalTexts() {
    // Entries of freed components go, so that a new one at the same address starts afresh.
    originals_.removeIf([](const auto& entry) { return entry.value().component.isNull(); });
    for (const OriginalTexts& texts : std::as_const(originals_)) {
        QObject* c = texts.component;
        const int itemIndex = hasPublished(c, Published::ItemIndex)
                                  ? readPublished(c, Published::ItemIndex).toInt()
                                  : -2;
        if (texts.caption)
            setCaptionOrText(c, *texts.caption);
        if (texts.hint)
            writePublished(c, Published::Hint, *texts.hint);
        if (texts.showHint)
            writePublished(c, Published::ShowHint, *texts.showHint);
        if (texts.items)
            writePublished(c, *texts.itemsProperty, *texts.items);
        if (itemIndex >= -1)
            writePublished(c, Published::ItemIndex, itemIndex);
    }
}

void LanguageRecord::takeHeaderBlock(const LanguageFileContent& content) {
    programVersion_ = content.programVersion;
    if (fileRevision_ >= 2) {
        carriedByte_ = content.carriedByte;
        carriedText1_ = content.carriedText1;
        carriedText2_ = content.carriedText2;
    }
    imeName_ = content.imeName;
    fontName_ = content.fontName;
    charSet_ = content.charSet;
    minFontSize_ = content.minFontSize;
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

void LanguageRecord::applyGroups(const std::vector<ComponentTexts>& entries,
                                 const std::vector<CollectedComponent>& components,
                                 platform::CodePage& codePage) {
    const PathIndex index(components);
    for (const ComponentTexts& entry : entries) {
        QObject* component = index.find(decode(codePage, entry.path));
        if (!component)
            continue;
        const int itemIndex = hasPublished(component, Published::ItemIndex)
                                  ? readPublished(component, Published::ItemIndex).toInt()
                                  : -2;
        if (entry.alignment == 1 || entry.alignment == 2) {
            writePublished(component, Published::Alignment, entry.alignment == 1 ? 1 : 0);
            writePublished(component, Published::Layout, entry.alignment == 1 ? 0 : 1);
        }
        if (isTranslated(entry.captionTag)) {
            rememberOriginal(component, OriginalText::Caption);
            setCaptionOrText(component, decode(codePage, entry.caption));
        }
        if (isTranslated(entry.hintTag) && hasPublished(component, Published::Hint)) {
            rememberOriginal(component, OriginalText::Hint);
            writePublished(component, Published::Hint, decode(codePage, entry.hint));
            writePublished(component, Published::ShowHint, (entry.hintTag & kTextShowHint) != 0);
        }
        if (isTranslated(entry.itemsTag)) {
            rememberOriginal(component, OriginalText::Items);
            replaceItems(component, decode(codePage, entry.items), true);
        }
        if (itemIndex >= -1)
            writePublished(component, Published::ItemIndex, itemIndex);
    }
}

void LanguageRecord::applyRevision0(const std::vector<ComponentTexts>& entries) {
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
    for (const ComponentTexts& entry : entries) {
        QObject* component = index.find(decode(codePage, entry.path));
        if (!component)
            continue;
        const bool captioned = (entry.kind >= 6 && entry.kind <= 11) || entry.kind == 13;
        if (captioned) {
            if (!entry.caption.empty()) {
                rememberOriginal(component, OriginalText::Caption);
                setCaptionOrText(component, decode(codePage, entry.caption));
            }
            if (!entry.hint.empty()) {
                rememberOriginal(component, OriginalText::Hint);
                writePublished(component, Published::Hint, decode(codePage, entry.hint));
            }
        }
        if ((entry.kind == 11 || entry.kind == 12) && !entry.items.empty()) {
            rememberOriginal(component, OriginalText::Items);
            replaceItems(component, decode(codePage, entry.items), false);
        }
    }
}

bool LanguageRecord::SaveToFile(const std::string& fileName) {
    return static_cast<bool>(writeFile(fileName));
}

platform::Status LanguageRecord::writeFile(const std::string& fileName) {
    platform::CodePage codePage(codePageOf(charSet_));
    LanguageFileContent content;
    content.languageId = languageId_;
    content.listTitle = listTitle_;
    content.languageName = languageName_;
    content.listNote = listNote_;
    content.textLines = platform::joinCrLf(textLines_);
    if (!flagPicture_.isNull()) {
        QByteArray picture;
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        flagPicture_.save(&buffer, "BMP");
        content.flagPicture = picture.toStdString();
    }
    content.programVersion = programVersion_;
    content.carriedByte = carriedByte_;
    content.carriedText1 = carriedText1_;
    content.carriedText2 = carriedText2_;
    content.imeName = imeName_;
    content.fontName = fontName_;
    content.charSet = charSet_;
    content.minFontSize = minFontSize_;
    std::vector<CollectedComponent> components;
    if (root_)
        CollectComponents(QString(), components, excluded_, root_);
    for (const auto& component : components)
        if (auto entry = entryOf(component, codePage))
            content.entries.push_back(std::move(*entry));
    return writeLanguageFileContent(files_, fileName.empty() ? defaultFileName() : fileName,
                                    content, writerRevision_);
}

std::optional<ComponentTexts> LanguageRecord::entryOf(const CollectedComponent& collected,
                                                      platform::CodePage& codePage) const {
    QObject* c = collected.Component;
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
    if (!caption && !hint && !items)
        return std::nullopt;
    ComponentTexts entry;
    entry.path = encode(codePage, collected.Path);
    if (caption) {
        entry.captionTag = kTextCaption;
        entry.caption = encode(codePage, *caption);
    }
    const bool showHint =
        !hasPublished(c, Published::ShowHint) || readPublished(c, Published::ShowHint).toBool();
    if (hint) {
        entry.hintTag = kTextHint + kTextShowHint * int(showHint);
        entry.hint = encode(codePage, *hint);
    }
    if (items) {
        entry.itemsTag = kTextItems;
        entry.items = encode(codePage, *items);
    }
    return entry;
}

} // namespace dm
