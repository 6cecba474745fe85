// The version resource of one file as read-only published properties.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

namespace dm::platform {
class VersionResources;
}

namespace dm {

// The version resource of one file as read-only published properties: the strings of its first
// translation, the numbers of its fixed block and values derived from them. Nothing is read until
// a property is: the first read after FileName was set loads the resource. Assignments to the
// published texts and numbers (FileName excepted) are accepted and change nothing.
class VersionInfo : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Comments READ Comments WRITE discardText)
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE discardText)
    Q_PROPERTY(QString FileDescription READ FileDescription WRITE discardText)
    Q_PROPERTY(double FileDate READ FileDate)
    Q_PROPERTY(int FileFlags READ FileFlags WRITE discardInteger)
    Q_PROPERTY(int FileFlagsMask READ FileFlagsMask WRITE discardInteger)
    Q_PROPERTY(int FileMajorVersion READ FileMajorVersion WRITE discardInteger)
    Q_PROPERTY(int FileMinorVersion READ FileMinorVersion WRITE discardInteger)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(int FileOS READ FileOS WRITE discardInteger)
    Q_PROPERTY(int FileType READ FileType WRITE discardInteger)
    Q_PROPERTY(int FileSubtype READ FileSubtype WRITE discardInteger)
    Q_PROPERTY(QString FileVersion READ FileVersion WRITE discardText)
    Q_PROPERTY(double FileVersionFloat READ FileVersionFloat)
    Q_PROPERTY(int FileVersionInt READ FileVersionInt)
    Q_PROPERTY(QString InternalName READ InternalName WRITE discardText)
    Q_PROPERTY(int LanguageCount READ LanguageCount WRITE discardInteger)
    Q_PROPERTY(QString LanguageName READ LanguageName WRITE discardText)
    Q_PROPERTY(QString LegalCopyright READ LegalCopyright WRITE discardText)
    Q_PROPERTY(QString LegalTrademark READ LegalTrademark WRITE discardText)
    Q_PROPERTY(QString OriginalFilename READ OriginalFilename WRITE discardText)
    Q_PROPERTY(int ProductMajorVersion READ ProductMajorVersion WRITE discardInteger)
    Q_PROPERTY(int ProductMinorVersion READ ProductMinorVersion WRITE discardInteger)
    Q_PROPERTY(QString ProductName READ ProductName WRITE discardText)
    Q_PROPERTY(QString ProductVersion READ ProductVersion WRITE discardText)
    Q_PROPERTY(double ProductVersionFloat READ ProductVersionFloat)
    Q_PROPERTY(int TranslationValue READ TranslationValue WRITE discardInteger)
    Q_PROPERTY(bool InfoLoaded READ InfoLoaded)

public:
    // Starts without a file name; versions must outlive the component.
    explicit VersionInfo(platform::VersionResources& versions, QObject* owner = nullptr);

    QString Comments();
    QString CompanyName();
    QString FileDescription();
    // The fixed block's file date: the low words of its two halves as one signed number.
    double FileDate();
    int FileFlags();
    int FileFlagsMask();
    int FileMajorVersion();
    int FileMinorVersion();
    QString FileName() const;
    int FileOS();
    int FileType();
    int FileSubtype();
    // Without "(" and ")".
    QString FileVersion();
    double FileVersionFloat();
    int FileVersionInt();
    QString InternalName();
    int LanguageCount();
    QString LanguageName();
    QString LegalCopyright();
    QString LegalTrademark();
    QString OriginalFilename();
    int ProductMajorVersion();
    int ProductMinorVersion();
    QString ProductName();
    // Without "(" and ")".
    QString ProductVersion();
    double ProductVersionFloat();
    // The first translation: language identifier in the low 16 bits, code page in the high 16.
    int TranslationValue();
    bool InfoLoaded() const { return infoLoaded_; }

    // Takes value when it names an existing file and drops what was read; ignored otherwise.
    void SetFileName(const QString& value);
    // Points the component at the running program's own executable.
    void Refresh();

private:
    void discardText(const QString&) {}
    void discardInteger(int) {}
    void load();
    void LoadInfo();
    void ClearInfo();

    platform::VersionResources& versions_;
    std::string fileName_;
    bool infoLoaded_ = false;

    std::string comments_, companyName_, fileDescription_, fileVersion_, internalName_;
    std::string languageName_, legalCopyright_, legalTrademark_, originalFilename_;
    std::string productName_, productVersion_;
    double fileDate_ = 0, fileVersionFloat_ = 0, productVersionFloat_ = 0;
    std::int32_t fileFlags_ = 0, fileFlagsMask_ = 0, fileMajorVersion_ = 0, fileMinorVersion_ = 0;
    std::int32_t fileOS_ = 0, fileType_ = 0, fileSubtype_ = 0, languageCount_ = 0;
    std::int32_t productMajorVersion_ = 0, productMinorVersion_ = 0, translationValue_ = 0;
};

} // namespace dm
