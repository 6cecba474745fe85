#include "app/MainWindowFixture.h"
#include "app/MakerSite.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"

#include <QAbstractButton>
#include <QAction>

#include <filesystem>

namespace dm::test {
namespace {

class MenusTest : public MainWindowTest {
protected:
    std::string DataFolder() const { return dir.dir() + "data/Brackenway/Dimmetric/"; }
    void WriteLinks(const std::string& content) {
        dir.write("data/Brackenway/Dimmetric/dimmetric.ini", content);
    }
    void Trigger(const char* action) { Window().findChild<QAction*>(action)->trigger(); }
    void Click(const char* button) { static_cast<QAbstractButton&>(Child(button)).click(); }
};

TEST_F(MenusTest, LinksFileNamesTheEmptySlotPage) {
    const std::string product = MakerPage("/dimmetric");
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, product},
        {"[links]\r\nram=https://shop.example/ram\r\n", "https://shop.example/ram"},
        {"[LINKS]\r\nRAM =  https://shop.example/upper  \r\n", "https://shop.example/upper"},
        {"[links]\r\nram=x\r\n", product},
        {"[links]\r\nram=\r\n", product},
        {"[other]\r\nram=https://shop.example/ram\r\n", product},
        {"[links]\r\nrom=https://shop.example/ram\r\n", product},
        {"\xff\xfe garbage without sections", product},
    };
    SetInventory(nullptr);
    MainDlg& window = Start();
    for (const auto& [content, expected] : cases) {
        std::filesystem::remove(DataFolder() + "dimmetric.ini");
        if (content)
            WriteLinks(content);
        // Read afresh at every call.
        EXPECT_EQ(window.GetLink("ram"), expected) << (content ? content : "no file");
    }
}

TEST_F(MenusTest, EmptySlotButtonOpensTheLinkWithTheWindowAsOwner) {
    const auto board = Board(4, {Module("DIMM0")});
    SetInventory(&board);
    MainDlg& window = Start();
    Click("getRAM3_btn");
    WriteLinks("[links]\r\nram=https://shop.example/ram\r\n");
    Click("getRAM2_btn");
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].file, MakerPage("/dimmetric"));
    EXPECT_EQ(shell.opened[1].file, "https://shop.example/ram");
    for (const auto& opened : shell.opened) {
        EXPECT_EQ(opened.options.owner, &window);
        EXPECT_FALSE(opened.options.noErrorUi);
    }
}

TEST_F(MenusTest, DriversButtonRunsTheMakersProgramOnlyWhenItIsThere) {
    SetInventory(nullptr);
    Start();
    const std::string program = dir.write("Harrow/harrow", "#!/bin/sh\n");
    const std::string empty = dir.write("Harrow/empty", "");
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, MakerPage("/vigil/drivers.php")},
        {dir.dir() + "Harrow/missing", MakerPage("/vigil/drivers.php")},
        {empty, MakerPage("/vigil/drivers.php")},
        {program, program},
    };
    for (const auto& [stored, expected] : cases) {
        if (stored)
            WriteMakerValue(registry, "Harrow", *stored);
        shell.opened.clear();
        Click("drivers_btn");
        ASSERT_EQ(shell.opened.size(), 1u);
        EXPECT_EQ(shell.opened[0].file, expected);
        EXPECT_EQ(shell.opened[0].options.owner, nullptr);
        EXPECT_TRUE(shell.opened[0].options.noErrorUi);
        EXPECT_TRUE(shell.opened[0].options.expandEnvironment);
    }
}

TEST_F(MenusTest, DriversButtonReportsAHarrowValueThatIsNoText) {
    SetInventory(nullptr);
    Start();
    auto key = registry.createKey(platform::RegistryRoot::CurrentUser, MakerKey,
                                  platform::RegistryAccess::Full);
    ASSERT_TRUE(key && key->writeDword("Harrow", 1));
    Click("drivers_btn");
    EXPECT_TRUE(shell.opened.empty());
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].caption, "Dimmetric");
}

TEST_F(MenusTest, HelpMenuOpensTheMakersPagesAndTheLog) {
    SetInventory(nullptr);
    MainDlg& window = Start();
    Trigger("ChangeLog1");
    Trigger("BugreportFeaturerequestKnownissues1");
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].file, MakerPage("/bugs/changelog_page.php?project_id=17"));
    EXPECT_EQ(shell.opened[1].file, MakerPage("/bugs/view_all_bug_page.php?project_id=17"));
    EXPECT_EQ(shell.opened[0].options.owner, &window);
    EXPECT_EQ(shell.opened[1].options.owner, &window);

    Trigger("Openlogfile1");
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[2].file, DataFolder() + "Dimmetric.log");
    EXPECT_NE(TempDir::read(DataFolder() + "Dimmetric.log").find("\tStarting\r\n"),
              std::string::npos);
}

TEST_F(MenusTest, MenuCarriesItsShortcuts) {
    SetInventory(nullptr);
    MainDlg& window = Start();
    const std::pair<const char*, const char*> cases[] = {{"Quit1", "Ctrl+Q"},
                                                         {"Openlogfile1", "Ctrl+L"},
                                                         {"Checkforupdate1", "Ctrl+G"},
                                                         {"About1", "Ctrl+B"}};
    for (const auto& [action, keys] : cases)
        EXPECT_EQ(window.findChild<QAction*>(action)->shortcut(), QKeySequence(keys)) << action;
}

} // namespace
} // namespace dm::test
