// The component that makes the application multilingual: language files found and applied.
#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dm {

namespace platform {
struct Platform;
class FileSystem;
class Registry;
class SystemInfo;
class VersionResources;
class MessageBox;
} // namespace platform

class LanguageRecord;

// One language file found by the scan: its display text and its language code.
struct LanguageEntry {
    std::string text;
    std::int32_t code = 0;
};

// The component that makes the application multilingual: it lists the language files found in
// the language folder, loads and applies the chosen one, remembers the choice in the registry
// and writes the template language file when started with "-co".
class LangList : public QObject {
    Q_OBJECT

public:
    using BeforeChangeEvent = std::function<void(QObject* sender, std::int32_t oldCode,
                                                 std::int32_t newCode, bool& canChange)>;
    using NotifyEvent = std::function<void(QObject* sender)>;

    // Uses the platform's registry (the stored choice), system facts (the user's default
    // language, the beep), version resources (the executable's folder and version) and message
    // box (errors of the first activation), and finds, reads and writes the language files
    // through its file system. parameters: the command line without the program.
    LangList(QObject* owner, const platform::Platform& platform,
             std::vector<std::string> parameters);
    ~LangList() override;

    // Called once the owner has set the properties: makes the language records and hooks the
    // first activation of the application.
    void Loaded();

    const QStringList& ExcludedComps() const { return excluded_; }
    // Kept sorted, without duplicates, compared without regard to case.
    void setExcludedComps(const QStringList& names);

    int LanguageIndex() const { return languageIndex_; }
    // A language file is applied (the last switch loaded its file).
    bool languageLoaded() const { return languageLoaded_; }
    // Switches to entry index: asks BeforeLanguageSwitch, remembers the choice, loads and applies
    // the language file and then tells AfterLanguageSwitch. An index outside the entries does
    // nothing. A file the reader refuses (LanguageFileError) ends the switch with that error, and
    // the choice is then not remembered.
    void SetLanguageIndex(int index);

    // True: the owner instead of the application is the root of translation (set before
    // Loaded).
    bool CplCompatibility() const { return cplCompatibility_; }
    void setCplCompatibility(bool value) { cplCompatibility_ = value; }
    const std::string& FilePrefix() const { return filePrefix_; }
    void setFilePrefix(const std::string& value) { filePrefix_ = value; }
    const std::string& SubDir() const { return subDir_; }
    void setSubDir(const std::string& value) { subDir_ = value; }
    const std::string& RegKey() const { return regKey_; }
    void setRegKey(const std::string& value) { regKey_ = value; }
    bool Autoload() const { return autoload_; }
    void setAutoload(bool value) { autoload_ = value; }

    // One handler each. To join the after-switch chain, take the current handler, install your
    // own and pass each switch on to the one you took.
    const BeforeChangeEvent& BeforeLanguageSwitch() const { return beforeSwitch_; }
    void setBeforeLanguageSwitch(BeforeChangeEvent handler) { beforeSwitch_ = std::move(handler); }
    const NotifyEvent& AfterLanguageSwitch() const { return afterSwitch_; }
    void setAfterLanguageSwitch(NotifyEvent handler) { afterSwitch_ = std::move(handler); }

    // The languages found by the last scan, in the order of the built-in language table.
    const std::vector<LanguageEntry>& entries() const { return entries_; }

    // Rebuilds the entries from the language folder; true when any language file opened.
    bool ScanLanguageFiles();
    // The folder of the language files, with a trailing "/".
    std::string GetLanguageFolder() const;
    // Language folder + FilePrefix + infix + the language identifier of code as four hex digits
    // + ".SPK".
    std::string GetLanguageFileName(std::int32_t code, const std::string& infix) const;
    // The code of entry index; 0 outside the entries.
    std::int32_t GetLanguageId(int index) const;
    // The language name of the applied language file; empty while none is applied.
    std::string GetCurrentLanguageName() const;
    // The flag picture of code's language, from its first file; false (and an empty picture)
    // when that file is missing, unreadable or holds no bitmap.
    bool LoadFlagBitmap(std::int32_t code, QImage& picture) const;

    bool LoadFromRegistry();
    bool SaveToRegistry();
    // Selects the first entry with code, else the same language identifier, else the same
    // primary language; true when one was selected.
    bool SelectLanguageId(std::int32_t code);
    // As SelectLanguageId for the user's default language identifier (its sequence number is
    // not looked at).
    bool SelectUserDefaultLanguage();

    void SetProgramVersion(std::uint32_t packedVersion);
    void SetImeName(const std::string& name);
    void SetFontName(const std::string& name);
    void SetCharset(std::uint8_t charset);
    // Writes language folder + FilePrefix + "ORIGINAL.SPK" from the live forms.
    bool WriteOriginalTemplate();
    // The file WriteOriginalTemplate writes.
    std::string templateFileName() const;

    void DoBeforeLanguageSwitch(std::int32_t oldCode, std::int32_t newCode, bool& allow);
    void DoAfterLanguageSwitch();

    // Runs once, at the first activation of the application: writes the template when a
    // parameter asks for it, scans the language files and restores the stored choice. It is
    // marked as run before it starts, so an error ends it for good.
    void FirstActivation();

signals:
    // The template the "-co" switch asked for could not be written to fileName, for reason.
    void templateNotWritten(const std::string& fileName, const std::string& reason);

private:
    void runFirstActivation();
    void writeTemplateFromSwitch();
    std::unique_ptr<LanguageRecord> makeRecord();
    LanguageRecord& templateRecord();
    LanguageRecord& workRecord();
    bool selectFirst(const std::function<bool(std::int32_t code)>& matches);
    // The first entry of code's language identifier, else of its primary language.
    bool selectSameLanguage(std::int32_t code);

    platform::FileSystem& files_;
    platform::Registry& registry_;
    platform::SystemInfo& system_;
    platform::VersionResources& versions_;
    platform::MessageBox& messageBox_;
    std::vector<std::string> parameters_;
    std::string programFolder_;
    QStringList excluded_;
    int languageIndex_ = 0;
    bool cplCompatibility_ = false;
    std::string filePrefix_;
    std::string subDir_;
    std::string regKey_ = "Software\\ZEL\\Localization";
    bool autoload_ = true;
    BeforeChangeEvent beforeSwitch_;
    NotifyEvent afterSwitch_;

    std::vector<LanguageEntry> entries_;
    std::unique_ptr<LanguageRecord> template_;
    std::unique_ptr<LanguageRecord> work_;
    bool languageLoaded_ = false;
    bool activationHooked_ = false;
    bool firstActivationDone_ = false;
};

} // namespace dm
