#include "localisation/VersionInfo.h"

#include "localisation/LanguageName.h"
#include "localisation/VersionText.h"
#include "platform/version/VersionResources.h"

#include <cstdio>
#include <string>

namespace dm {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string WithoutParentheses(std::string text) {
    std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
    return text;
}

} // namespace

VersionInfo::VersionInfo(platform::VersionResources& Versions, QObject* Owner)
    : QObject(Owner), versions_(Versions) {}

void VersionInfo::SetFileName(const QString& Value) {
    const std::string name = Value.toStdString();
    if (!versions_.fileExists(name))
        return;
    fileName_ = name;
    ClearInfo();
}

void VersionInfo::Refresh() {
    SetFileName(Q(versions_.moduleFileName()));
}

QString VersionInfo::FileName() const {
    return Q(fileName_);
}

void VersionInfo::ClearInfo() {
    infoLoaded_ = false;
    for (std::string* text : {&comments_, &companyName_, &fileDescription_, &fileVersion_,
                              &internalName_, &languageName_, &legalCopyright_, &legalTrademark_,
                              &originalFilename_, &productName_, &productVersion_})
        text->clear();
    for (std::int32_t* number :
         {&fileFlags_, &fileFlagsMask_, &fileMajorVersion_, &fileMinorVersion_, &fileOS_,
          &fileType_, &fileSubtype_, &languageCount_, &productMajorVersion_, &productMinorVersion_,
          &translationValue_})
        *number = 0;
    fileDate_ = fileVersionFloat_ = productVersionFloat_ = 0;
}

void VersionInfo::Load() {
    if (!infoLoaded_)
        LoadInfo();
}

// Reads the resource; a load that stops early keeps what it set and leaves InfoLoaded False, so
// the next read tries again.
void VersionInfo::LoadInfo() {
    infoLoaded_ = false;
    if (!versions_.fileExists(fileName_))
        return;
    const auto block = versions_.read(fileName_);
    if (!block)
        return;
    const auto translations = block->QueryTranslations();
    if (!translations)
        return;
    const std::uint32_t first = translations->front();
    translationValue_ = static_cast<std::int32_t>(first);
    languageCount_ = static_cast<std::int32_t>(translations->size());
    languageName_ = LanguageNameOf(static_cast<std::uint16_t>(first & 0xFFFF));
    char path[32];
    std::snprintf(path, sizeof path, "StringFileInfo\\%.4x%.4x\\", first & 0xFFFF, first >> 16);
    const std::string stringFileInfoPath = path;

    const auto fixed = block->QueryFixed();
    if (!fixed)
        return;
    auto s32 = [](std::uint32_t v) { return static_cast<std::int32_t>(v); };
    fileMajorVersion_ = s32(fixed->FileVersionMS);
    fileMinorVersion_ = s32(fixed->FileVersionLS);
    productMajorVersion_ = s32(fixed->ProductVersionMS);
    productMinorVersion_ = s32(fixed->ProductVersionLS);
    fileFlagsMask_ = s32(fixed->FileFlagsMask);
    fileFlags_ = s32(fixed->FileFlags);
    fileDate_ = s32((fixed->FileDateMS & 0xFFFF) | (fixed->FileDateLS & 0xFFFF) << 16);
    fileOS_ = s32(fixed->FileOS);
    fileType_ = s32(fixed->FileType);
    fileSubtype_ = s32(fixed->FileSubtype);

    const std::pair<const char*, std::string*> strings[] = {
        {"Comments", &comments_},
        {"CompanyName", &companyName_},
        {"FileDescription", &fileDescription_},
        {"FileVersion", &fileVersion_},
        {"InternalName", &internalName_},
        {"LegalCopyright", &legalCopyright_},
        {"LegalTrademarks", &legalTrademark_},
        {"OriginalFilename", &originalFilename_},
        {"ProductName", &productName_},
        {"ProductVersion", &productVersion_},
    };
    for (const auto& [name, value] : strings)
        *value = block->QueryText(stringFileInfoPath + name).value_or(std::string());
    fileVersion_ = WithoutParentheses(fileVersion_);
    productVersion_ = WithoutParentheses(productVersion_);
    fileVersionFloat_ = VersionTextToFloat(fileVersion_);
    productVersionFloat_ = VersionTextToFloat(productVersion_);
    infoLoaded_ = true;
}

// clang-format off
QString VersionInfo::Comments() { Load(); return Q(comments_); }
QString VersionInfo::CompanyName() { Load(); return Q(companyName_); }
QString VersionInfo::FileDescription() { Load(); return Q(fileDescription_); }
double VersionInfo::FileDate() { Load(); return fileDate_; }
int VersionInfo::FileFlags() { Load(); return fileFlags_; }
int VersionInfo::FileFlagsMask() { Load(); return fileFlagsMask_; }
int VersionInfo::FileMajorVersion() { Load(); return fileMajorVersion_; }
int VersionInfo::FileMinorVersion() { Load(); return fileMinorVersion_; }
int VersionInfo::FileOS() { Load(); return fileOS_; }
int VersionInfo::FileType() { Load(); return fileType_; }
int VersionInfo::FileSubtype() { Load(); return fileSubtype_; }
QString VersionInfo::FileVersion() { Load(); return Q(fileVersion_); }
double VersionInfo::FileVersionFloat() { Load(); return fileVersionFloat_; }
int VersionInfo::FileVersionInt() { Load(); return VersionTextToInt(fileVersion_); }
QString VersionInfo::InternalName() { Load(); return Q(internalName_); }
int VersionInfo::LanguageCount() { Load(); return languageCount_; }
QString VersionInfo::LanguageName() { Load(); return Q(languageName_); }
QString VersionInfo::LegalCopyright() { Load(); return Q(legalCopyright_); }
QString VersionInfo::LegalTrademark() { Load(); return Q(legalTrademark_); }
QString VersionInfo::OriginalFilename() { Load(); return Q(originalFilename_); }
int VersionInfo::ProductMajorVersion() { Load(); return productMajorVersion_; }
int VersionInfo::ProductMinorVersion() { Load(); return productMinorVersion_; }
QString VersionInfo::ProductName() { Load(); return Q(productName_); }
QString VersionInfo::ProductVersion() { Load(); return Q(productVersion_); }
double VersionInfo::ProductVersionFloat() { Load(); return productVersionFloat_; }
int VersionInfo::TranslationValue() { Load(); return translationValue_; }
// clang-format on

} // namespace dm
