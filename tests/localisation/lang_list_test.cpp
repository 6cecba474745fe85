// Tests of the language list: the scan for language files, the switch, the choice, template.
#include "localisation/LangList.h"

#include "localisation/TextStorage.h"
#include "localisation/format/LanguageCode.h"
#include "localisation/format/Storefile.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/fakes/InMemoryFileSystem.h"
#include "platform/qt/QtText.h"
#include "platform/registry/RegistryError.h"
#include "platform/version/VersionBlockWriter.h"
#include "platform/version/VersionResources.h"
#include "support/LanguageFileWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using dm::LangList;
using dm::platform::RegistryAccess;
using dm::platform::RegistryRoot;
using dm::platform::RegistryValue;
using dm::test::LanguageFileContent;
using dm::test::LanguageGroup;
using dm::test::writeLanguageFile;

const std::string kRegKey = "Software\\Brackenway\\Dimmetric";
// The program's folder, in a file system in memory.
const std::string kProgram = "/program/";

bool ensureApplication() {
    static int argc = 1;
    static char name[] = "langlist_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return true;
}

// A group with translated entries for the form's text table "ts".
LanguageGroup tableTexts(const std::string& items) {
    return {.path = "TestDlg.ts", .itemsTag = 3 + 32, .items = items};
}

std::string bitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

constexpr std::uint32_t kVersion12347 = (1u << 24) | (23u << 16) | (0u << 10) | 47u;

// The running program as the version functions see it: an executable in the program folder
// whose file version is 1.23.0.47.
class ProgramVersions : public dm::platform::VersionResources {
public:
    explicit ProgramVersions(std::string folder) : executable_(std::move(folder) + "Dimmetric") {}

    bool fileExists(const std::string& path) override { return path == executable_; }
    std::optional<dm::platform::VersionBlock> read(const std::string& path) override {
        if (path != executable_)
            return std::nullopt;
        dm::platform::VersionResourceContent content;
        content.Fixed = dm::platform::FixedFileInfo{};
        content.StringTables.push_back({"040904b0", {{"FileVersion", "1.23.0.47"}}});
        content.Translations = std::vector<std::uint32_t>{0x04B00409};
        return dm::platform::VersionBlock::fromBytes(dm::platform::writeVersionBlock(content));
    }
    std::string moduleFileName() override { return executable_; }

private:
    std::string executable_;
};

// A program folder with language memoryFiles, an in-memory registry and a language list owned by a
// form "TestDlg" that holds a text table "ts".
class LangListTest : public ::testing::Test, protected dm::platform::FakePlatform {
protected:
    void SetUp() override {
        platform.fileSystem = memoryFiles;
        memoryFiles.addFolder(kProgram);
        memoryFiles.setCurrentFolder("/work");
        form.setObjectName("TestDlg");
        table = new dm::TextStorage(&form);
        table->setObjectName("ts");
        table->setItems({"Memory", "Slot"});
        table->Loaded();
    }

    // A language list as the main window sets it up.
    std::unique_ptr<LangList> makeList(std::vector<std::string> parameters = {}) {
        platform.versions = programVersions;
        auto list = std::make_unique<LangList>(&form, platform, std::move(parameters));
        list->setObjectName("lng");
        list->setFilePrefix("QV_");
        list->setRegKey(kRegKey);
        list->setCplCompatibility(true);
        list->Loaded();
        return list;
    }

    // A translating language file for langId, sequence number sequence.
    void addLanguage(std::uint16_t langId, std::uint16_t sequence, const std::string& title,
                     std::vector<LanguageGroup> groups = {}) {
        LanguageFileContent f;
        f.languageId = langId;
        f.listTitle = title;
        f.languageName = title + " name";
        f.listNote = "note";
        f.programVersion = kVersion12347;
        f.groups = std::move(groups);
        ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(langId, sequence), f));
    }

    std::string fileOf(std::uint16_t langId, std::uint16_t sequence) const {
        return dm::languageFilePath(kProgram, "QV_", dm::makeLanguageCode(sequence, langId));
    }

    std::optional<std::uint32_t> storedCode() {
        auto key = registry.openKey(RegistryRoot::CurrentUser, kRegKey, RegistryAccess::Read);
        if (!key)
            return std::nullopt;
        const auto value = key->readDword("lng");
        return value.ok() ? std::optional(value.value) : std::nullopt;
    }

    void store(const RegistryValue& value) {
        auto key = registry.createKey(RegistryRoot::CurrentUser, kRegKey, RegistryAccess::Full);
        ASSERT_TRUE(key && key->writeValue("lng", value));
    }

    static std::vector<std::int32_t> codes(const LangList& list) {
        std::vector<std::int32_t> codes;
        for (const auto& entry : list.entries())
            codes.push_back(entry.code);
        return codes;
    }

    bool applicationReady = ensureApplication();
    dm::platform::InMemoryFileSystem memoryFiles;
    ProgramVersions programVersions{kProgram};
    QWidget form;
    dm::TextStorage* table = nullptr;
};

TEST_F(LangListTest, ScanListsFilesInTableOrderWithTheirSequenceNumbers) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x0407, 1, "Deutsch 2");
    addLanguage(0x040C, 0, "Francais");
    addLanguage(0x0409, 0, "English");
    addLanguage(0x0400, 0, "Default");
    auto list = makeList();

    EXPECT_TRUE(list->ScanLanguageFiles());
    EXPECT_EQ(codes(*list),
              (std::vector<std::int32_t>{0x0400, 0x0409, 0x040C, 0x0407, 0x00010407}));
    EXPECT_EQ(list->entries()[3].text, "Deutsch [1.23.0.47] - note");
    EXPECT_EQ(list->GetLanguageId(4), 0x00010407);
    EXPECT_EQ(list->GetLanguageId(5), 0);
    EXPECT_EQ(list->GetLanguageId(-1), 0);
}

TEST_F(LangListTest, ScanStopsALanguageAtTheFirstMissingSequenceNumber) {
    addLanguage(0x0409, 1, "English 2"); // no QV_00000409.SPK
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x0407, 2, "Deutsch 3"); // no QV_00010407.SPK
    addLanguage(0x0000, 0, "Neutral");   // the table's first row is never scanned
    auto list = makeList();

    EXPECT_TRUE(list->ScanLanguageFiles());
    EXPECT_EQ(codes(*list), (std::vector<std::int32_t>{0x0407}));
}

TEST_F(LangListTest, FileThatDoesNotOpenAddsNothingButTheNextSequenceIsTried) {
    memoryFiles.addFile(kProgram + "QV_00000407.SPK", "NOT A LANGUAGE FILE AT ALL");
    addLanguage(0x0407, 1, "Deutsch 2");
    memoryFiles.addFolder(kProgram + "QV_00000409.SPK"); // a folder, no file
    addLanguage(0x0409, 1, "English 2");
    auto list = makeList();

    EXPECT_TRUE(list->ScanLanguageFiles());
    EXPECT_EQ(codes(*list), (std::vector<std::int32_t>{0x00010407}));
}

TEST_F(LangListTest, EntryTextOfARevisionZeroFileHasNoVersion) {
    LanguageFileContent f;
    f.revision = 0;
    f.languageId = 0x0410;
    f.listTitle = "Italiano";
    f.listNote = "by someone";
    ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(0x0410, 0), f));
    auto list = makeList();

    EXPECT_TRUE(list->ScanLanguageFiles());
    ASSERT_EQ(list->entries().size(), 1u);
    EXPECT_EQ(list->entries()[0].text, "Italiano - by someone");
}

// Titles, notes and names are written in the file's character set, as its captions are: the list
// shows them as the program's text.
TEST_F(LangListTest, EntryTextsAndTheLanguageNameAreDecodedWithTheFilesCharacterSet) {
    struct Case {
        std::uint16_t revision;
        std::int32_t charSet;
        std::string title, name;
        const char* text;
        const char* shownName;
    };
    const Case cases[] = {
        {4, 0,
         "Fran\xE7"
         "ais",
         "Fran\xE7"
         "ais",
         "Fran\u00E7ais [1.23.0.47] - note", "Fran\u00E7ais"},
        {4, 204, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9", "\xD0\xF3\xF1",
         "\u0420\u0443\u0441\u0441\u043A\u0438\u0439 [1.23.0.47] - note", "\u0420\u0443\u0441"},
        {4, 238,
         "\x9A"
         "esk\xFD",
         "\x9A", "\u0161esk\u00FD [1.23.0.47] - note", "\u0161"},
        // Revision 0 has no character set: the default one.
        {0, 204,
         "Fran\xE7"
         "ais",
         "\xE9", "Fran\u00E7ais - note", "\u00E9"},
    };
    for (const Case& c : cases) {
        LanguageFileContent file{.revision = c.revision,
                                 .languageId = 0x040C,
                                 .listTitle = c.title,
                                 .languageName = c.name,
                                 .listNote = "note",
                                 .programVersion = (1u << 24) | (23u << 16) | 47u,
                                 .charSet = c.charSet};
        memoryFiles.deleteFile(fileOf(0x040C, 0));
        ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(0x040C, 0), file));
        auto list = makeList();
        ASSERT_TRUE(list->ScanLanguageFiles());
        EXPECT_EQ(dm::platform::toQt(list->entries()[0].text).toStdString(), c.text);
        list->SetLanguageIndex(0);
        EXPECT_EQ(dm::platform::toQt(list->GetCurrentLanguageName()).toStdString(), c.shownName);
    }
}

TEST_F(LangListTest, ScanOfAnEmptyFolderFindsNothing) {
    auto list = makeList();
    EXPECT_FALSE(list->ScanLanguageFiles());
    EXPECT_TRUE(list->entries().empty());
    list->SetLanguageIndex(0); // the form's stored 0 does nothing without entries
    EXPECT_EQ(list->LanguageIndex(), 0);
    EXPECT_EQ(list->GetCurrentLanguageName(), "");
}

TEST_F(LangListTest, LanguageFolderAndFileNames) {
    auto list = makeList();
    EXPECT_EQ(list->GetLanguageFolder(), kProgram);
    EXPECT_EQ(list->GetLanguageFileName(0x00010407, "0000"), kProgram + "QV_00000407.SPK");

    list->setSubDir("lang");
    memoryFiles.addFolder(kProgram + "system/lang");
    EXPECT_EQ(list->GetLanguageFolder(), kProgram + "system/lang/");
    memoryFiles.addFolder(kProgram + "lang");
    EXPECT_EQ(list->GetLanguageFolder(), kProgram + "lang/");

    list->setSubDir("nowhere");
    EXPECT_EQ(list->GetLanguageFolder(), "/work/nowhere/");
}

TEST_F(LangListTest, SwitchAppliesTheFileStoresTheCodeAndTellsAfterwards) {
    addLanguage(0x040C, 0, "Francais", {tableTexts("Memoire\r\nEmplacement\r\n")});
    auto list = makeList();
    std::vector<std::pair<std::int32_t, std::int32_t>> asked;
    list->setBeforeLanguageSwitch(
        [&](QObject* sender, std::int32_t oldCode, std::int32_t newCode, bool& canChange) {
            EXPECT_EQ(sender, list.get());
            EXPECT_TRUE(canChange);
            asked.emplace_back(oldCode, newCode);
        });
    std::vector<QObject*> told;
    list->setAfterLanguageSwitch([&](QObject* sender) { told.push_back(sender); });

    ASSERT_TRUE(list->ScanLanguageFiles());
    list->SetLanguageIndex(0);

    EXPECT_EQ(list->LanguageIndex(), 0);
    EXPECT_EQ(asked, (std::vector<std::pair<std::int32_t, std::int32_t>>{{0x040C, 0x040C}}));
    EXPECT_EQ(told, std::vector<QObject*>{list.get()});
    EXPECT_EQ(storedCode(), 0x040Cu);
    EXPECT_EQ(list->GetCurrentLanguageName(), "Francais name");
    EXPECT_EQ(table->Translate("Slot"), "Emplacement");
}

TEST_F(LangListTest, VetoLeavesIndexRegistryAndFormsAlone) {
    addLanguage(0x0407, 0, "Deutsch", {tableTexts("Speicher\r\n")});
    addLanguage(0x0407, 1, "Deutsch 2", {tableTexts("Arbeitsspeicher\r\n")});
    auto list = makeList();
    ASSERT_TRUE(list->ScanLanguageFiles());
    list->SetLanguageIndex(0);
    ASSERT_EQ(table->Translate("Memory"), "Speicher");

    std::pair<std::int32_t, std::int32_t> asked;
    list->setBeforeLanguageSwitch(
        [&](QObject*, std::int32_t oldCode, std::int32_t newCode, bool& canChange) {
            asked = {oldCode, newCode};
            canChange = false;
        });
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });
    list->SetLanguageIndex(1);

    EXPECT_EQ(asked, std::make_pair(0x0407, 0x00010407));
    EXPECT_EQ(list->LanguageIndex(), 0);
    EXPECT_EQ(storedCode(), 0x0407u);
    EXPECT_EQ(table->Translate("Memory"), "Speicher");
    EXPECT_EQ(told, 0);
}

TEST_F(LangListTest, FileGoneAfterTheScanKeepsTheChoiceButTellsNothing) {
    addLanguage(0x0407, 0, "Deutsch", {tableTexts("Speicher\r\n")});
    addLanguage(0x040C, 0, "Francais");
    auto list = makeList();
    ASSERT_TRUE(list->ScanLanguageFiles());
    memoryFiles.deleteFile(fileOf(0x0407, 0));
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });

    list->SetLanguageIndex(1);

    EXPECT_EQ(list->LanguageIndex(), 1);
    EXPECT_EQ(storedCode(), 0x0407u);
    EXPECT_EQ(told, 0);
    EXPECT_EQ(table->Translate("Memory"), "Memory");
    EXPECT_EQ(list->GetCurrentLanguageName(), "");
}

TEST_F(LangListTest, BeforeHandlerThatScansAgainCannotDerailTheSwitch) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x040C, 0, "Francais");
    auto list = makeList();
    ASSERT_TRUE(list->ScanLanguageFiles());
    list->setBeforeLanguageSwitch([&](QObject*, std::int32_t, std::int32_t, bool&) {
        memoryFiles.deleteFile(fileOf(0x0407, 0));
        memoryFiles.deleteFile(fileOf(0x040C, 0));
        list->ScanLanguageFiles();
    });
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });
    list->SetLanguageIndex(1);
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(list->entries().empty());
}

TEST_F(LangListTest, FirstActivationStartedAgainWhileItRunsDoesNothing) {
    addLanguage(0x0407, 0, "Deutsch");
    system.languageId = 0x0407;
    auto list = makeList();
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) {
        ++told;
        list->FirstActivation(); // a nested event loop activating the application
    });
    list->FirstActivation();
    EXPECT_EQ(told, 1);
}

TEST_F(LangListTest, SelectLanguageIdPasses) {
    addLanguage(0x0409, 0, "English");
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x0407, 1, "Deutsch 2");
    struct Case {
        std::int32_t stored;
        bool selected;
        int index;
    };
    const Case cases[] = {
        {0x00010407, true, 2}, // same code
        {0x00020407, true, 1}, // same language identifier
        {0x0807, true, 1},     // same primary language
        {0x00010409, true, 0}, {0x0411, false, -1},
    };
    for (const Case& c : cases) {
        auto list = makeList();
        ASSERT_TRUE(list->ScanLanguageFiles());
        EXPECT_EQ(list->SelectLanguageId(c.stored), c.selected) << std::hex << c.stored;
        if (c.selected)
            EXPECT_EQ(list->LanguageIndex(), c.index) << std::hex << c.stored;
        else
            EXPECT_EQ(list->LanguageIndex(), 0) << std::hex << c.stored;
    }
}

TEST_F(LangListTest, SelectUserDefaultLanguagePasses) {
    addLanguage(0x040C, 0, "Francais");
    addLanguage(0x080C, 0, "Francais (Belgique)");
    addLanguage(0x080C, 1, "Francais (Belgique) 2");
    addLanguage(0x0407, 0, "Deutsch");
    struct Case {
        std::uint16_t userDefault;
        bool selected;
        int index;
    };
    const Case cases[] = {
        {0x0C0C, true, 0}, // no Canadian file: first French in table order
        {0x080C, true, 1}, // the language identifier, sequence 0 first
        {0x0407, true, 3}, {0x0807, true, 3}, {0x0409, false, 0},
    };
    for (const Case& c : cases) {
        system.languageId = c.userDefault;
        auto list = makeList();
        ASSERT_TRUE(list->ScanLanguageFiles());
        EXPECT_EQ(list->SelectUserDefaultLanguage(), c.selected) << std::hex << c.userDefault;
        EXPECT_EQ(list->LanguageIndex(), c.index) << std::hex << c.userDefault;
    }
}

TEST_F(LangListTest, FirstActivationRestoresTheStoredChoiceOnce) {
    addLanguage(0x0407, 0, "Deutsch", {tableTexts("Speicher\r\n")});
    addLanguage(0x040C, 0, "Francais", {tableTexts("Memoire\r\n")});
    store(RegistryValue::dword(0x040C));
    auto list = makeList();
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });

    list->FirstActivation();
    EXPECT_EQ(list->entries().size(), 2u);
    EXPECT_EQ(list->LanguageIndex(), 0);
    EXPECT_EQ(table->Translate("Memory"), "Memoire");
    EXPECT_EQ(told, 1);

    store(RegistryValue::dword(0x0407));
    list->FirstActivation();
    EXPECT_EQ(list->LanguageIndex(), 0);
    EXPECT_EQ(told, 1);
}

TEST_F(LangListTest, FirstActivationWithoutStoredValueTakesTheUserDefault) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x040C, 0, "Francais");
    system.languageId = 0x0C0C;
    auto list = makeList();
    list->FirstActivation();
    EXPECT_EQ(list->LanguageIndex(), 0);
    EXPECT_EQ(storedCode(), 0x040Cu);
}

TEST_F(LangListTest, StoredCodeWithoutFileFallsBackButNotToTheUserDefault) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x040C, 0, "Francais");
    store(RegistryValue::dword(0x0411)); // Japanese: no file
    system.languageId = 0x040C;
    auto list = makeList();
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });
    list->FirstActivation();
    EXPECT_EQ(told, 0);
    EXPECT_EQ(storedCode(), 0x0411u);
}

TEST_F(LangListTest, AutoloadOffNeitherReadsNorWritesTheRegistry) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x040C, 0, "Francais");
    store(RegistryValue::dword(0x040C));
    auto list = makeList();
    list->setAutoload(false);
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });

    list->FirstActivation();
    EXPECT_EQ(told, 0);
    EXPECT_EQ(list->entries().size(), 2u);

    list->SetLanguageIndex(1);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(storedCode(), 0x040Cu);
}

TEST_F(LangListTest, EmptyRegKeyLeavesTheRegistryAloneAndSelectsNothing) {
    addLanguage(0x0409, 0, "English");
    auto list = makeList();
    list->setRegKey("");
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });

    EXPECT_FALSE(list->LoadFromRegistry());
    list->FirstActivation();
    EXPECT_EQ(told, 0);
    EXPECT_FALSE(list->SaveToRegistry());
    list->SetLanguageIndex(0);
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, kRegKey));
}

TEST_F(LangListTest, RegistryRoundTripUnderTheComponentName) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x0407, 1, "Deutsch 2");
    auto list = makeList();
    ASSERT_TRUE(list->ScanLanguageFiles());
    list->setAutoload(false);
    list->SetLanguageIndex(1);
    EXPECT_FALSE(storedCode());
    EXPECT_TRUE(list->SaveToRegistry());
    EXPECT_EQ(storedCode(), 0x00010407u);

    auto other = makeList();
    ASSERT_TRUE(other->ScanLanguageFiles());
    EXPECT_TRUE(other->LoadFromRegistry());
    EXPECT_EQ(other->LanguageIndex(), 1);
}

TEST_F(LangListTest, SaveWithoutSelectedEntryOnlyMakesTheKey) {
    auto list = makeList();
    EXPECT_TRUE(list->SaveToRegistry());
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, kRegKey));
    EXPECT_FALSE(storedCode());
}

TEST_F(LangListTest, FailingRegistryWriteIsAFalseResultAndTheSwitchGoesOn) {
    addLanguage(0x0407, 0, "Deutsch");
    auto list = makeList();
    ASSERT_TRUE(list->ScanLanguageFiles());
    registry.setWritesFail(true);
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });
    list->SetLanguageIndex(0);
    EXPECT_EQ(told, 1);
    EXPECT_FALSE(list->SaveToRegistry());
}

TEST_F(LangListTest, StoredValueOfAnotherTypeEndsTheRestoreWithAnError) {
    addLanguage(0x0407, 0, "Deutsch");
    store(RegistryValue::string("1031"));
    auto list = makeList();
    EXPECT_THROW(list->FirstActivation(), dm::RegistryError);
    EXPECT_EQ(list->LanguageIndex(), 0);

    // Marked as run before it started: the next activation does not run it again.
    store(RegistryValue::dword(0x0407));
    int told = 0;
    list->setAfterLanguageSwitch([&](QObject*) { ++told; });
    list->FirstActivation();
    EXPECT_EQ(told, 0);
}

// files the reader refuses with an error: an invalid flag bitmap, a revision it cannot read.
TEST_F(LangListTest, AFileThatFailsToLoadIsReportedOnceAndNotRememberedAsTheChoice) {
    for (const auto& [flag, revision] :
         {std::pair<std::string, std::uint16_t>{"GIF89a", 4}, {std::string(), 5}}) {
        SCOPED_TRACE(revision);
        LanguageFileContent broken;
        broken.languageId = 0x0407;
        broken.listTitle = "Deutsch";
        broken.flagPicture = flag;
        broken.revision = revision;
        ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(0x0407, 0), broken));
        system.languageId = 0x0407;
        messageBox.shown.clear();
        auto list = makeList();
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        emit qApp->applicationStateChanged(Qt::ApplicationActive); // the box was dismissed
        EXPECT_EQ(messageBox.shown.size(), 1u);
        EXPECT_EQ(storedCode(), std::nullopt);
    }
}

TEST_F(LangListTest, ActivationOfTheApplicationRunsItAndReportsErrors) {
    addLanguage(0x0407, 0, "Deutsch");
    store(RegistryValue::binary("xx"));
    auto list = makeList();
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, "Invalid data type for 'lng'");
    EXPECT_EQ(list->entries().size(), 1u);
}

TEST_F(LangListTest, TemplateSwitchOnTheCommandLine) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"/CO"}, true}, {{"-compact"}, true}, {{"co"}, false}, {{"x", "-Co"}, true}, {{}, false},
    };
    for (const auto& [parameters, writes] : cases) {
        const std::string file = kProgram + "QV_ORIGINAL.SPK";
        memoryFiles.deleteFile(file);
        system.beeps = 0;
        auto list = makeList(parameters);
        list->FirstActivation();
        EXPECT_EQ(memoryFiles.status(file).has_value(), writes)
            << testing::PrintToString(parameters);
        EXPECT_EQ(system.beeps, writes ? 1 : 0);
        if (!writes)
            continue;
        dm::Storefile written(memoryFiles);
        written.setSignature("ZEL LANGUAGE FILE");
        written.setFilename(file);
        written.setReadOnly(true);
        written.SetActive(true);
        ASSERT_TRUE(written.Active());
        std::int32_t header = 0;
        written.ReadInteger(header, false);
        EXPECT_EQ(header, 4 << 16);
        written.GoTo(6);
        std::int32_t version = 0;
        EXPECT_EQ(written.ReadInteger(version, false), 512);
        EXPECT_EQ(static_cast<std::uint32_t>(version), kVersion12347);
        // The text table of the form is in it, untranslated.
        bool tableFound = false;
        for (written.First(); !written.Eof();) {
            std::string text;
            if (written.ReadString(text, true) == 529 && text == "TestDlg.ts")
                tableFound = true;
        }
        EXPECT_TRUE(tableFound);
    }
}

// A folder in the template's place, and a program folder that takes no new files (as sysfs),
// stop it.
TEST_F(LangListTest, ATemplateThatCannotBeWrittenIsReportedWithItsPathAndTheListRunsOn) {
    memoryFiles.addFolder(kProgram + "QV_ORIGINAL.SPK");
    memoryFiles.addFolder("/sys");
    ASSERT_TRUE(memoryFiles.setAttributes("/sys", dm::platform::kFileAttributeReadOnly));
    addLanguage(0x0407, 0, "Deutsch");
    ProgramVersions inSysfs("/sys/");
    struct Case {
        dm::platform::VersionResources* program;
        std::string templateFile;
    };
    const Case cases[] = {{&programVersions, kProgram + "QV_ORIGINAL.SPK"},
                          {&inSysfs, "/sys/QV_ORIGINAL.SPK"}};
    for (const Case& c : cases) {
        platform.versions = *c.program;
        LangList list(&form, platform, {"-co"});
        list.setFilePrefix("QV_");
        list.setRegKey(kRegKey);
        list.setCplCompatibility(true);
        list.Loaded();
        std::vector<std::pair<std::string, std::string>> reports;
        QObject::connect(&list, &LangList::templateNotWritten,
                         [&](const std::string& file, const std::string& reason) {
                             reports.emplace_back(file, reason);
                         });
        list.FirstActivation();
        ASSERT_EQ(reports.size(), 1u) << c.templateFile;
        EXPECT_EQ(reports[0].first, c.templateFile);
        EXPECT_FALSE(reports[0].second.empty()) << c.templateFile;
        EXPECT_FALSE(memoryFiles.fileExists(c.templateFile));
        // Its owner tells the user; the list goes on with its scan.
        EXPECT_TRUE(messageBox.shown.empty());
        EXPECT_EQ(list.entries().size(), c.program == &programVersions ? 1u : 0u);
    }
}

// A read-only template is not replaced, as the file system replaces no read-only file.
TEST_F(LangListTest, AReadOnlyTemplateIsKeptAndReported) {
    const std::string file = kProgram + "QV_ORIGINAL.SPK";
    memoryFiles.addFile(file, "the translator's own");
    ASSERT_TRUE(memoryFiles.setAttributes(file, dm::platform::kFileAttributeReadOnly));
    platform.versions = programVersions;
    LangList list(&form, platform, {"-co"});
    list.setFilePrefix("QV_");
    list.setRegKey(kRegKey);
    list.setCplCompatibility(true);
    list.Loaded();
    std::vector<std::string> reported;
    QObject::connect(&list, &LangList::templateNotWritten,
                     [&](const std::string& path, const std::string&) { reported.push_back(path); });
    list.FirstActivation();
    EXPECT_EQ(reported, std::vector<std::string>{file});
    EXPECT_EQ(memoryFiles.readFile(file), "the translator's own");
}

TEST_F(LangListTest, FlagBitmapComesFromTheFirstFileOfTheLanguage) {
    LanguageFileContent first;
    first.languageId = 0x0407;
    first.flagPicture = bitmap(24, 16);
    ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(0x0407, 0), first));
    addLanguage(0x0407, 1, "Deutsch 2");
    LanguageFileContent noFlag;
    noFlag.languageId = 0x040C;
    ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(0x040C, 0), noFlag));
    LanguageFileContent notABitmap;
    notABitmap.languageId = 0x0410;
    notABitmap.flagPicture = "GIF89a";
    ASSERT_TRUE(writeLanguageFile(memoryFiles, fileOf(0x0410, 0), notABitmap));
    memoryFiles.addFile(kProgram + "QV_00000411.SPK", std::string("ZEL LANGUAGE FILE\0\0\0\0", 21));
    auto list = makeList();

    QImage picture;
    EXPECT_TRUE(list->LoadFlagBitmap(0x00010407, picture));
    EXPECT_EQ(picture.size(), QSize(24, 16));
    EXPECT_TRUE(list->LoadFlagBitmap(0x040C, picture));
    EXPECT_TRUE(picture.isNull());

    picture = QImage(1, 1, QImage::Format_RGB32);
    EXPECT_FALSE(list->LoadFlagBitmap(0x0410, picture));
    EXPECT_TRUE(picture.isNull());
    EXPECT_FALSE(list->LoadFlagBitmap(0x0411, picture));
    EXPECT_FALSE(list->LoadFlagBitmap(0x0809, picture));
    EXPECT_FALSE(memoryFiles.status(fileOf(0x0809, 0)));
}

TEST_F(LangListTest, ChooserFirstInTheAfterSwitchChainPassesEachSwitchOn) {
    addLanguage(0x0407, 0, "Deutsch");
    addLanguage(0x040C, 0, "Francais");
    auto list = makeList();
    std::vector<std::string> calls;
    list->setAfterLanguageSwitch([&](QObject* sender) {
        calls.push_back("main window from " + sender->objectName().toStdString());
    });

    // What a chooser does when it binds itself to the list.
    QObject chooser;
    chooser.setObjectName("LanguageChoice1");
    LangList::NotifyEvent saved = list->AfterLanguageSwitch();
    list->setAfterLanguageSwitch([&](QObject*) {
        calls.push_back("chooser at " + std::to_string(list->LanguageIndex()));
        if (saved)
            saved(&chooser);
    });

    ASSERT_TRUE(list->ScanLanguageFiles());
    list->SetLanguageIndex(1);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"chooser at 1", "main window from LanguageChoice1"}));
}

TEST_F(LangListTest, ExcludedCompsAreSortedWithoutDuplicates) {
    auto list = makeList();
    list->setExcludedComps({"lst1", "MainDlg.b", "LST1", "Abc", "abc"});
    EXPECT_EQ(list->ExcludedComps(), QStringList({"Abc", "lst1", "MainDlg.b"}));
    list->setExcludedComps({});
    EXPECT_TRUE(list->ExcludedComps().empty());
}

} // namespace
