// The language list: the scan for language files, the switch, the stored choice, the template.
#include "localisation/LangList.h"

#include "localisation/Components.h"
#include "localisation/LanguageRecord.h"
#include "localisation/PublishedProperties.h"
#include "localisation/VersionInfo.h"
#include "localisation/format/CharSet.h"
#include "localisation/format/InRange.h"
#include "localisation/format/LanguageCode.h"
#include "localisation/format/LanguageFile.h"
#include "localisation/format/LanguageFileContent.h"
#include "localisation/format/LanguageTable.h"
#include "localisation/format/Storefile.h"
#include "platform/Platform.h"
#include "platform/desktop/MessageBox.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "platform/qt/QtText.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryError.h"
#include "platform/system/SystemInfo.h"
#include "platform/version/VersionResources.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace dm {

using platform::withoutTrailingDelimiter;
using platform::withTrailingDelimiter;

namespace {

constexpr std::int32_t kRevision1Header = 0x10000;
constexpr int kFlagRecord = 5;
constexpr std::uint32_t kTemplateToneHz = 4000;
constexpr std::uint32_t kTemplateToneMs = 100;

// What path names is a file, or a folder, once links are followed.
bool isOfType(platform::FileSystem& files, const std::string& path,
              platform::EntryStatus::Type type) {
    const auto entry = files.status(path);
    return entry && entry->type == type;
}

bool isFile(platform::FileSystem& files, const std::string& path) {
    return isOfType(files, path, platform::EntryStatus::Type::File);
}

bool isFolder(platform::FileSystem& files, const std::string& path) {
    return isOfType(files, path, platform::EntryStatus::Type::Folder);
}

bool lessIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// The display text of one language file: its list title and note, with the program version it
// was made for when the file has a header block, decoded with the file's character set. Nothing
// when the file does not open as a language file.
std::optional<std::string> readEntryText(platform::FileSystem& files, const std::string& path) {
    Storefile file(files);
    openLanguageFile(file, path);
    if (!file.Active())
        return std::nullopt;
    std::int32_t header = 0;
    file.ReadInteger(header, true);
    std::string title, name, note;
    file.ReadString(title, true);
    file.ReadString(name, true);
    file.ReadString(note, true);
    if (header < kRevision1Header)
        return languageFileText(title + " - " + note, kDefaultCharSet);
    file.Next(); // free text lines
    file.Next(); // flag picture
    // A later revision's header block is not known beyond its program version.
    LanguageFileContent block;
    block.fileRevision = static_cast<std::uint16_t>(header >> 16);
    block.charSet = kDefaultCharSet;
    if (block.fileRevision <= kLanguageRevision) {
        readHeaderBlock(file, block);
    } else {
        std::int32_t version = 0;
        file.ReadInteger(version, true);
        block.programVersion = static_cast<std::uint32_t>(version);
    }
    return languageFileText(title + " [" + VersionIntToText(block.programVersion) + "] - " + note,
                            block.charSet);
}

} // namespace

LangList::LangList(QObject* owner, const platform::Platform& platform,
                   std::vector<std::string> parameters)
    : QObject(owner), files_(platform.fileSystem), registry_(platform.registry),
      system_(platform.system), versions_(platform.versions), messageBox_(platform.messageBox),
      parameters_(std::move(parameters)),
      programFolder_(platform::folderOfPath(versions_.moduleFileName())) {}

LangList::~LangList() = default;

void LangList::Loaded() {
    templateRecord();
    workRecord();
    if (activationHooked_)
        return;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive)
                        runFirstActivation();
                });
        activationHooked_ = true;
    }
}

void LangList::setExcludedComps(const QStringList& names) {
    excluded_.clear();
    for (const QString& name : names) {
        const auto at =
            std::lower_bound(excluded_.begin(), excluded_.end(), name, lessIgnoringCase);
        if (at == excluded_.end() || lessIgnoringCase(name, *at))
            excluded_.insert(at, name);
    }
}

void LangList::SetLanguageIndex(int index) {
    if (!InRange(index, 0, static_cast<std::int32_t>(entries_.size())))
        return;
    // The handlers may scan again: the code is taken before they run.
    const std::int32_t code = entries_[index].code;
    bool allow = true;
    DoBeforeLanguageSwitch(GetLanguageId(languageIndex_), code, allow);
    if (!allow)
        return;
    languageIndex_ = index;
    // A file the reader refuses with an error is not remembered as the choice: it would fail
    // again at every start.
    const bool loaded =
        workRecord().LoadAndApply(languageFilePath(GetLanguageFolder(), filePrefix_, code));
    if (autoload_)
        SaveToRegistry();
    languageLoaded_ = loaded;
    if (languageLoaded_)
        DoAfterLanguageSwitch();
}

bool LangList::ScanLanguageFiles() {
    entries_.clear();
    const std::string folder = GetLanguageFolder();
    bool anyOpened = false;
    for (const LanguageRow& row : scannedLanguages()) {
        for (std::uint32_t sequence = 0; sequence <= 0xFFFF; ++sequence) {
            const std::int32_t code =
                makeLanguageCode(static_cast<std::uint16_t>(sequence), row.id);
            const std::string path = languageFilePath(folder, filePrefix_, code);
            if (!isFile(files_, path))
                break;
            if (auto text = readEntryText(files_, path)) {
                entries_.push_back({std::move(*text), code});
                anyOpened = true;
            }
        }
    }
    return anyOpened;
}

std::string LangList::GetLanguageFolder() const {
    const std::string& program = programFolder_;
    for (const std::string& candidate : {program + subDir_, program + "system/" + subDir_})
        if (isFolder(files_, withoutTrailingDelimiter(candidate)))
            return withTrailingDelimiter(candidate);
    const std::string current = files_.currentFolder();
    return withTrailingDelimiter(withTrailingDelimiter(current) + subDir_);
}

std::string LangList::GetLanguageFileName(std::int32_t code, const std::string& infix) const {
    return GetLanguageFolder() + filePrefix_ + infix +
           upperHex(static_cast<std::uint32_t>(code), 4) + ".SPK";
}

std::int32_t LangList::GetLanguageId(int index) const {
    if (!InRange(index, 0, static_cast<std::int32_t>(entries_.size())))
        return 0;
    return entries_[index].code;
}

std::string LangList::GetCurrentLanguageName() const {
    return languageLoaded_ && work_ ? languageFileText(work_->LanguageName(), work_->charSet())
                                    : std::string();
}

bool LangList::LoadFlagBitmap(std::int32_t code, QImage& picture) const {
    picture = QImage();
    const std::string path = GetLanguageFileName(code, "0000");
    if (!isFile(files_, path))
        return false;
    Storefile file(files_);
    openLanguageFile(file, path);
    if (!file.Active() || file.Count() <= kFlagRecord)
        return false;
    file.GoTo(kFlagRecord);
    std::string bitmap;
    file.ReadString(bitmap, false);
    const std::optional<QImage> loaded = loadFlagPicture(bitmap);
    picture = loaded.value_or(QImage());
    return loaded.has_value();
}

bool LangList::LoadFromRegistry() {
    if (regKey_.empty())
        return false;
    const std::string name = platform::fromQt(objectName());
    const std::unique_ptr<platform::RegistryKey> key = registry_.openKey(
        platform::RegistryRoot::CurrentUser, regKey_, platform::RegistryAccess::Read);
    const auto stored = key ? key->readDword(name) : platform::ReadResult<std::uint32_t>{};
    if (stored.status == platform::ReadStatus::WrongType)
        throw RegistryError("Invalid data type for '" + name + "'");
    if (stored.ok())
        return SelectLanguageId(static_cast<std::int32_t>(stored.value));
    return SelectUserDefaultLanguage();
}

bool LangList::SaveToRegistry() {
    if (regKey_.empty())
        return false;
    auto key = registry_.createKey(platform::RegistryRoot::CurrentUser, regKey_,
                                   platform::RegistryAccess::Full);
    if (!key)
        return false;
    if (!InRange(languageIndex_, 0, static_cast<std::int32_t>(entries_.size())))
        return true;
    return static_cast<bool>(key->writeDword(
        platform::fromQt(objectName()), static_cast<std::uint32_t>(entries_[languageIndex_].code)));
}

bool LangList::selectFirst(const std::function<bool(std::int32_t code)>& matches) {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (matches(entries_[i].code)) {
            SetLanguageIndex(static_cast<int>(i));
            return true;
        }
    return false;
}

bool LangList::selectSameLanguage(std::int32_t code) {
    return selectFirst([&](std::int32_t c) { return languageIdOf(c) == languageIdOf(code); }) ||
           selectFirst(
               [&](std::int32_t c) { return primaryLanguageOf(c) == primaryLanguageOf(code); });
}

bool LangList::SelectLanguageId(std::int32_t code) {
    return selectFirst([&](std::int32_t c) { return c == code; }) || selectSameLanguage(code);
}

bool LangList::SelectUserDefaultLanguage() {
    return selectSameLanguage(system_.userDefaultLanguageId());
}

void LangList::SetProgramVersion(std::uint32_t packedVersion) {
    templateRecord().SetProgramVersion(packedVersion);
}
void LangList::SetImeName(const std::string& name) {
    templateRecord().SetImeName(name);
}
void LangList::SetFontName(const std::string& name) {
    templateRecord().SetFontName(name);
}
void LangList::SetCharset(std::uint8_t charset) {
    templateRecord().setCharSet(charset);
}

bool LangList::WriteOriginalTemplate() {
    return templateRecord().SaveToFile(templateFileName());
}

std::string LangList::templateFileName() const {
    return GetLanguageFolder() + filePrefix_ + "ORIGINAL.SPK";
}

void LangList::DoBeforeLanguageSwitch(std::int32_t oldCode, std::int32_t newCode, bool& allow) {
    if (beforeSwitch_)
        beforeSwitch_(this, oldCode, newCode, allow);
    else
        allow = true;
}

void LangList::DoAfterLanguageSwitch() {
    if (afterSwitch_)
        afterSwitch_(this);
}

void LangList::FirstActivation() {
    // Marked as run before it starts: an error is reported once, and the activation that follows
    // the error report's dismissal (or a nested event loop) does not start it again.
    if (firstActivationDone_)
        return;
    firstActivationDone_ = true;

    if (std::any_of(parameters_.begin(), parameters_.end(), isTemplateSwitch))
        writeTemplateFromSwitch();
    ScanLanguageFiles();
    if (autoload_)
        LoadFromRegistry();
}

void LangList::runFirstActivation() {
    try {
        FirstActivation();
    } catch (const std::exception& error) {
        // The application's error report: a message box with the error text.
        messageBox_.show(mainForm(), error.what(),
                         platform::fromQt(QCoreApplication::applicationName()),
                         platform::MB_OK | platform::MB_ICONHAND);
    }
}

void LangList::writeTemplateFromSwitch() {
    system_.beep(kTemplateToneHz, kTemplateToneMs);
    ScanLanguageFiles();
    VersionInfo executable(versions_);
    executable.SetFileName(platform::toQt(versions_.moduleFileName()));
    SetProgramVersion(static_cast<std::uint32_t>(executable.FileVersionInt()));
    SetImeName(std::string()); // input methods have no names here
    const QWidget* form = mainForm();
    SetFontName(form ? platform::fromQt(readFont(form).family()) : std::string());
    SetCharset(static_cast<std::uint8_t>(form ? fontCharSet(form) : 1));
    const std::string fileName = templateFileName();
    const platform::Status written = templateRecord().writeFile(fileName);
    if (!written)
        emit templateNotWritten(fileName, written.error());
}

LanguageRecord& LangList::templateRecord() {
    if (!template_)
        template_ = makeRecord();
    return *template_;
}

LanguageRecord& LangList::workRecord() {
    if (!work_)
        work_ = makeRecord();
    return *work_;
}

std::unique_ptr<LanguageRecord> LangList::makeRecord() {
    QObject* root = cplCompatibility_ ? parent() : QCoreApplication::instance();
    auto record = std::make_unique<LanguageRecord>(files_, kLanguageRevision, root, &excluded_);
    record->setProgramFolder(programFolder_);
    return record;
}

} // namespace dm
