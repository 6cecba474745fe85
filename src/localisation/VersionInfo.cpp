// A file's version resource as published properties, read on first use.
#include "localisation/VersionInfo.h"

#include "localisation/format/LanguageName.h"
#include "localisation/format/VersionText.h"
#include "platform/qt/QtText.h"
#include "platform/version/VersionResources.h"

#include <cstdio>
#include <string>

namespace dm {

namespace {

std::string withoutParentheses(std::string text) {
    std::erase_if(text, [](char c) { return c == '(' || c == ')'; });
    return text;
}

} // namespace

VersionInfo::VersionInfo(platform::VersionResources& versions, QObject* owner)
    : QObject(owner), versions_(versions) {}

void VersionInfo::SetFileName(const QString& value) {
    const std::string name = platform::fromQt(value);
    if (!versions_.fileExists(name))
        return;
    fileName_ = name;
    ClearInfo();
}

void VersionInfo::Refresh() {
    SetFileName(platform::toQt(versions_.moduleFileName()));
}

QString VersionInfo::FileName() const {
    return platform::toQt(fileName_);
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

void VersionInfo::load() {
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
    const auto translations = block->queryTranslations();
    if (!translations)
        return;
    const std::uint32_t first = translations->front();
    translationValue_ = static_cast<std::int32_t>(first);
    languageCount_ = static_cast<std::int32_t>(translations->size());
    languageName_ = languageNameOf(static_cast<std::uint16_t>(first & 0xFFFF));
    char path[32];
    std::snprintf(path, sizeof path, "StringFileInfo\\%.4x%.4x\\", first & 0xFFFF, first >> 16);
    const std::string stringFileInfoPath = path;

    const auto fixed = block->queryFixed();
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
        *value = block->queryText(stringFileInfoPath + name).value_or(std::string());
    fileVersion_ = withoutParentheses(fileVersion_);
    productVersion_ = withoutParentheses(productVersion_);
    fileVersionFloat_ = VersionTextToFloat(fileVersion_);
    productVersionFloat_ = VersionTextToFloat(productVersion_);
    infoLoaded_ = true;
}

// clang-format off
QString VersionInfo::Comments() { load(); return platform::toQt(comments_); }
QString VersionInfo::CompanyName() { load(); return platform::toQt(companyName_); }
QString VersionInfo::FileDescription() { load(); return platform::toQt(fileDescription_); }
double VersionInfo::FileDate() { load(); return fileDate_; }
int VersionInfo::FileFlags() { load(); return fileFlags_; }
int VersionInfo::FileFlagsMask() { load(); return fileFlagsMask_; }
int VersionInfo::FileMajorVersion() { load(); return fileMajorVersion_; }
int VersionInfo::FileMinorVersion() { load(); return fileMinorVersion_; }
int VersionInfo::FileOS() { load(); return fileOS_; }
int VersionInfo::FileType() { load(); return fileType_; }
int VersionInfo::FileSubtype() { load(); return fileSubtype_; }
QString VersionInfo::FileVersion() { load(); return platform::toQt(fileVersion_); }
double VersionInfo::FileVersionFloat() { load(); return fileVersionFloat_; }
int VersionInfo::FileVersionInt() { load(); return VersionTextToInt(fileVersion_); }
QString VersionInfo::InternalName() { load(); return platform::toQt(internalName_); }
int VersionInfo::LanguageCount() { load(); return languageCount_; }
QString VersionInfo::LanguageName() { load(); return platform::toQt(languageName_); }
QString VersionInfo::LegalCopyright() { load(); return platform::toQt(legalCopyright_); }
QString VersionInfo::LegalTrademark() { load(); return platform::toQt(legalTrademark_); }
QString VersionInfo::OriginalFilename() { load(); return platform::toQt(originalFilename_); }
int VersionInfo::ProductMajorVersion() { load(); return productMajorVersion_; }
int VersionInfo::ProductMinorVersion() { load(); return productMinorVersion_; }
QString VersionInfo::ProductName() { load(); return platform::toQt(productName_); }
QString VersionInfo::ProductVersion() { load(); return platform::toQt(productVersion_); }
double VersionInfo::ProductVersionFloat() { load(); return productVersionFloat_; }
int VersionInfo::TranslationValue() { load(); return translationValue_; }
// clang-format on

} // namespace dm
