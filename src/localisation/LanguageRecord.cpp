#include "localisation/LanguageRecord.h"

#include "framework/TextUtils.h"

#include "localisation/CharSet.h"
#include "localisation/LanguageCode.h"
#include "localisation/LanguageFile.h"
#include "localisation/PublishedProperties.h"
#include "localisation/Storefile.h"
#include "platform/text/ByteOrder.h"
#include "platform/text/CodePage.h"

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

QString Decode(platform::CodePage& codePage, const std::string& bytes) {
    return QString::fromUtf8(codePage.ToUtf8(bytes));
}

std::string Encode(platform::CodePage& codePage, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return codePage.FromUtf8(std::string_view(utf8.constData(), utf8.size()));
}

std::string ReadText(Storefile& file) {
    std::string text;
    file.ReadString(text, true);
    return text;
}

std::int32_t ReadNumber(Storefile& file) {
    std::int32_t value = 0;
    file.ReadInteger(value, true);
    return value;
}

void Skip(Storefile& file, int records) {
    for (int i = 0; i < records && file.Next(); ++i) {
    }
}

bool IsTranslated(std::int32_t tag) {
    return tag > 0 && (tag & kTextTranslated) != 0;
}

// Empty after removing blanks and control characters.
bool IsBlank(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= ' '; });
}

QString LinesText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return text;
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
    QObject* Find(const QString& path) const { return byPath_.value(path.toLower(), nullptr); }

private:
    QHash<QString, QObject*> byPath_;
};

void SetCaptionOrText(QObject* component, const QString& text) {
    if (!WritePublished(component, Published::Caption, text))
        WritePublished(component, Published::Text, text);
}

void ReplaceItems(QObject* component, const QString& text, bool linesToo) {
    const QStringList lines = SplitTextLines(text);
    if (HasPublished(component, Published::Items))
        ReplaceEntries(component, Published::Items, lines);
    else if (linesToo)
        ReplaceEntries(component, Published::Lines, lines);
}

} // namespace

bool LoadFlagPicture(const std::string& payload, QImage& Picture) {
    Picture = QImage();
    if (payload.empty())
        return true;
    Picture = QImage::fromData(reinterpret_cast<const uchar*>(payload.data()),
                               static_cast<int>(payload.size()), "BMP");
    return !Picture.isNull();
}

LanguageRecord::LanguageRecord(std::uint16_t WriterRevision, QObject* Root,
                               const QStringList* Excluded)
    : writerRevision_(WriterRevision), root_(Root), excluded_(Excluded) {}

LanguageRecord::~LanguageRecord() = default;

std::string LanguageRecord::defaultFileName() const {
    return LanguageFilePath(QCoreApplication::applicationDirPath().toStdString() + "/", "",
                            languageId_);
}

bool LanguageRecord::LoadAndApply(const std::string& FileName) {
    const std::string name = FileName.empty() ? defaultFileName() : FileName;
    std::error_code ec;
    if (!std::filesystem::exists(name, ec))
        return false;
    Storefile file;
    file.SetSignature(std::string(kLanguageSignature));
    file.SetFilename(name);
    file.SetReadOnly(true);
    file.SetActive(true);
    if (file.Count() <= 5)
        return false;

    unsigned char header[4] = {};
    std::int32_t size = 4;
    file.ReadData(header, size, true);
    languageId_ = static_cast<std::uint16_t>(platform::ReadUnsigned(header, 0, 2));
    fileRevision_ =
        size == 4 ? static_cast<std::uint16_t>(platform::ReadUnsigned(header, 2, 2)) : 0;
    listTitle_ = ReadText(file);
    languageName_ = ReadText(file);
    listNote_ = ReadText(file);
    textLines_ = TextToLines(ReadText(file));
    if (!LoadFlagPicture(ReadText(file), flagPicture_))
        throw LanguageFileError("Bitmap image is not valid");

    if (fileRevision_ == 0) {
        applyRevision0(file);
        return true;
    }
    if (fileRevision_ > kLanguageRevision)
        throw LanguageFileError("Format not supported in this revision");

    readHeaderBlock(file);
    platform::CodePage codePage(CodePageOf(charSet_));
    std::vector<CollectedComponent> components;
    if (root_)
        CollectComponents(QString(), components, excluded_, root_);
    applyFonts(components, codePage);
    applyGroups(file, components, codePage);
    // Qt's tool tip and menu fonts carry no character set, so there is nothing more to set.
    return true;
}

void LanguageRecord::readHeaderBlock(Storefile& file) {
    programVersion_ = static_cast<std::uint32_t>(ReadNumber(file));
    if (fileRevision_ >= 2) {
        carriedByte_ = static_cast<std::uint8_t>(ReadNumber(file));
        carriedText1_ = ReadText(file);
        carriedText2_ = ReadText(file);
    }
    imeName_ = ReadText(file);
    fontName_ = ReadText(file);
    charSet_ = static_cast<std::uint8_t>(ReadNumber(file));
    minFontSize_ = fileRevision_ >= 4 ? ReadNumber(file) : 9;
}

void LanguageRecord::applyFonts(const std::vector<CollectedComponent>& components,
                                platform::CodePage& codePage) {
    QObject* main = MainForm();
    const QString reference = ReadFont(main ? main : root_).family();
    const QString fontName = Decode(codePage, fontName_);
    const double minSize = std::min(minFontSize_, kLargestMinFontSize);
    for (const auto& entry : components) {
        if (!HasFont(entry.Component))
            continue;
        QFont font = ReadFont(entry.Component);
        if (font.family() == reference && !fontName.isEmpty())
            font.setFamily(fontName);
        if (fileRevision_ >= 4 && FontPointSize(font) < minSize)
            font.setPointSizeF(minSize);
        WriteFont(entry.Component, font);
        SetFontCharSet(entry.Component, charSet_);
    }
}

void LanguageRecord::applyGroups(Storefile& file, const std::vector<CollectedComponent>& components,
                                 platform::CodePage& codePage) {
    const PathIndex index(components);
    const bool aligned = fileRevision_ >= 3;
    while (!file.Eof()) {
        QObject* component = index.Find(Decode(codePage, ReadText(file)));
        if (!component) {
            Skip(file, aligned ? 4 : 3);
            continue;
        }
        const int itemIndex = HasPublished(component, Published::ItemIndex)
                                  ? ReadPublished(component, Published::ItemIndex).toInt()
                                  : -2;
        if (aligned) {
            const std::int32_t alignment = ReadNumber(file);
            if (alignment == 1 || alignment == 2) {
                WritePublished(component, Published::Alignment, alignment == 1 ? 1 : 0);
                WritePublished(component, Published::Layout, alignment == 1 ? 0 : 1);
            }
        }
        std::string text;
        std::int32_t tag = file.ReadString(text, true);
        if (IsTranslated(tag))
            SetCaptionOrText(component, Decode(codePage, text));
        tag = file.ReadString(text, true);
        if (IsTranslated(tag) && WritePublished(component, Published::Hint, Decode(codePage, text)))
            WritePublished(component, Published::ShowHint, (tag & kTextShowHint) != 0);
        tag = file.ReadString(text, true);
        if (IsTranslated(tag))
            ReplaceItems(component, Decode(codePage, text), true);
        if (itemIndex >= -1)
            WritePublished(component, Published::ItemIndex, itemIndex);
    }
}

void LanguageRecord::applyRevision0(Storefile& file) {
    charSet_ = kDefaultCharSet;
    platform::CodePage codePage(CodePageOf(charSet_));
    std::vector<CollectedComponent> components;
    if (root_) {
        for (QObject* owned : OwnedComponents(root_)) {
            SetFontCharSet(owned, charSet_);
            if (!IsForm(owned))
                continue;
            components.push_back({owned->objectName(), owned});
            for (QObject* inForm : OwnedComponents(owned)) {
                SetFontCharSet(inForm, charSet_);
                components.push_back(
                    {owned->objectName() + QLatin1Char('.') + inForm->objectName(), inForm});
            }
        }
    }
    const PathIndex index(components);
    while (!file.Eof()) {
        std::string path;
        const std::int32_t kind = file.ReadString(path, true);
        QObject* component = index.Find(Decode(codePage, path));
        const bool captioned = (kind >= 6 && kind <= 11) || kind == 13;
        if (!component) {
            Skip(file, kind == 11 ? 3 : kind == 12 ? 1 : captioned ? 2 : 0);
            continue;
        }
        if (captioned) {
            if (const std::string caption = ReadText(file); !caption.empty())
                SetCaptionOrText(component, Decode(codePage, caption));
            if (const std::string hint = ReadText(file); !hint.empty())
                WritePublished(component, Published::Hint, Decode(codePage, hint));
        }
        if (kind == 11 || kind == 12) {
            if (const std::string items = ReadText(file); !items.empty())
                ReplaceItems(component, Decode(codePage, items), false);
        }
    }
}

bool LanguageRecord::SaveToFile(const std::string& FileName) {
    const std::string name = FileName.empty() ? defaultFileName() : FileName;
    const std::string temporary = name + ".tmp";
    std::error_code ec;
    std::filesystem::remove(temporary, ec);
    {
        Storefile file;
        file.SetSignature(std::string(kLanguageSignature));
        file.SetFilename(temporary);
        file.SetActive(true);
        if (!file.Active())
            return false;
        platform::CodePage codePage(CodePageOf(charSet_));

        file.WriteInteger(
            0, static_cast<std::int32_t>((std::uint32_t{writerRevision_} << 16) | languageId_));
        file.WriteString(1, listTitle_);
        file.WriteString(2, languageName_);
        file.WriteString(3, listNote_);
        file.WriteString(4, LinesToText(textLines_));
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
        if (!HasPublished(c, p))
            continue;
        const QString text = ReadPublished(c, p).toString();
        if (!IsBlank(text)) {
            caption = text;
            break;
        }
    }
    std::optional<QString> hint;
    if (const QString text = ReadPublished(c, Published::Hint).toString(); !IsBlank(text))
        hint = text;
    std::optional<QString> items;
    for (const Published p : {Published::Items, Published::Lines}) {
        if (!HasPublished(c, p))
            continue;
        if (const QStringList lines = ReadPublished(c, p).toStringList(); !lines.isEmpty()) {
            items = LinesText(lines);
            break;
        }
    }
    const int n = int(caption.has_value()) + int(hint.has_value()) + int(items.has_value());
    if (n == 0)
        return;
    file.WriteString(kTagGroupName + n, Encode(codePage, entry.Path));
    file.WriteInteger(kTagAlignment, 0);
    file.WriteString(caption ? kTextCaption : 0, caption ? Encode(codePage, *caption) : "");
    const bool showHint =
        !HasPublished(c, Published::ShowHint) || ReadPublished(c, Published::ShowHint).toBool();
    file.WriteString(hint ? kTextHint + kTextShowHint * int(showHint) : 0,
                     hint ? Encode(codePage, *hint) : "");
    file.WriteString(items ? kTextItems : 0, items ? Encode(codePage, *items) : "");
}

} // namespace dm
