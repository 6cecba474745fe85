// Tests of the main window's menus and buttons: the links they open and their shortcuts.
#include "app/MainWindowFixture.h"
#include "framework/RunLog.h"
#include "framework/SettingsStore.h"
#include "update/net/MakerServer.h"

#include <QAbstractButton>
#include <QAction>

#include <algorithm>
#include <filesystem>

namespace dm::test {
namespace {

class MenusTest : public MainWindowTest {
protected:
    std::string dataFolder() const { return dir.dir() + "data/Brackenway/Dimmetric/"; }
    void writeLinks(const std::string& content) {
        dir.write("data/Brackenway/Dimmetric/dimmetric.ini", content);
    }
    void trigger(const char* action) { window().findChild<QAction*>(action)->trigger(); }
    void click(const char* button) { static_cast<QAbstractButton&>(child(button)).click(); }
};

TEST_F(MenusTest, LinksFileNamesTheEmptySlotPage) {
    const std::string product = update::makerServerUrl("/dimmetric");
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
    setInventory(nullptr);
    MainDlg& window = start();
    for (const auto& [content, expected] : cases) {
        std::filesystem::remove(dataFolder() + "dimmetric.ini");
        if (content)
            writeLinks(content);
        // Read afresh at every call.
        EXPECT_EQ(window.GetLink("ram"), expected) << (content ? content : "no file");
    }
}

TEST_F(MenusTest, EmptySlotButtonOpensTheLinkWithTheWindowAsOwner) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    click("getRAM3_btn");
    writeLinks("[links]\r\nram=https://shop.example/ram\r\n");
    click("getRAM2_btn");
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].file, update::makerServerUrl("/dimmetric"));
    EXPECT_EQ(shell.opened[1].file, "https://shop.example/ram");
    for (const auto& opened : shell.opened) {
        EXPECT_EQ(opened.options.owner, &window);
        EXPECT_FALSE(opened.options.noErrorUi);
    }
}

TEST_F(MenusTest, TheLinksFileOpensOnlyWebAddresses) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    const std::string product = update::makerServerUrl("/dimmetric");
    const std::string program = dir.write("Harrow/harrow", "#!/bin/sh\n");
    const std::pair<std::string, std::string> cases[] = {
        {program, product},
        {"file://" + program, product},
        {"FILE:///usr/share/applications/xterm.desktop", product},
        {"harrow.desktop", product},
        {"ftp://shop.example/ram", product},
        {"javascript:alert(1)", product},
        {"HTTPS://Shop.example/ram", "HTTPS://Shop.example/ram"},
        {"http://shop.example/ram", "http://shop.example/ram"},
    };
    const std::string said =
        "Links file : ram is no http or https address, " + product + " opened instead";
    const auto saidCount = [&] {
        const auto& lines = window.Log()->Lines();
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(said) != std::string::npos;
        });
    };
    for (const auto& [value, expected] : cases) {
        writeLinks("[links]\r\nram=" + value + "\r\n");
        shell.opened.clear();
        const auto before = saidCount();
        click("getRAM2_btn");
        ASSERT_EQ(shell.opened.size(), 1u) << value;
        EXPECT_EQ(shell.opened[0].file, expected) << value;
        EXPECT_EQ(saidCount() - before, expected == product ? 1 : 0) << value;
    }
}

TEST_F(MenusTest, DriversButtonRunsTheMakersProgramOnlyWhenItIsThere) {
    setInventory(nullptr);
    start();
    const std::string program = dir.write("Harrow/harrow", "#!/bin/sh\n");
    const std::string empty = dir.write("Harrow/empty", "");
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, update::makerServerUrl("/vigil/drivers.php")},
        {dir.dir() + "Harrow/missing", update::makerServerUrl("/vigil/drivers.php")},
        {empty, update::makerServerUrl("/vigil/drivers.php")},
        {program, program},
    };
    for (const auto& [stored, expected] : cases) {
        if (stored)
            WriteMakerValue(registry, "Harrow", *stored);
        shell.opened.clear();
        click("drivers_btn");
        ASSERT_EQ(shell.opened.size(), 1u);
        EXPECT_EQ(shell.opened[0].file, expected);
        EXPECT_EQ(shell.opened[0].options.owner, nullptr);
        EXPECT_TRUE(shell.opened[0].options.noErrorUi);
        EXPECT_TRUE(shell.opened[0].options.expandEnvironment);
    }
}

TEST_F(MenusTest, DriversButtonReportsAHarrowValueThatIsNoText) {
    setInventory(nullptr);
    start();
    auto key = registry.createKey(platform::RegistryRoot::CurrentUser, kMakerKey,
                                  platform::RegistryAccess::Full);
    ASSERT_TRUE(key && key->writeDword("Harrow", 1));
    click("drivers_btn");
    EXPECT_TRUE(shell.opened.empty());
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].caption, "Dimmetric");
}

TEST_F(MenusTest, HelpMenuOpensTheMakersPagesAndTheLog) {
    setInventory(nullptr);
    MainDlg& window = start();
    trigger("ChangeLog1");
    trigger("BugreportFeaturerequestKnownissues1");
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].file,
              update::makerServerUrl("/bugs/changelog_page.php?project_id=17"));
    EXPECT_EQ(shell.opened[1].file,
              update::makerServerUrl("/bugs/view_all_bug_page.php?project_id=17"));
    EXPECT_EQ(shell.opened[0].options.owner, &window);
    EXPECT_EQ(shell.opened[1].options.owner, &window);

    trigger("Openlogfile1");
    ASSERT_EQ(shell.opened.size(), 3u);
    EXPECT_EQ(shell.opened[2].file, dataFolder() + "Dimmetric.log");
    EXPECT_NE(TempDir::read(dataFolder() + "Dimmetric.log").find("\tStarting\r\n"),
              std::string::npos);
}

TEST_F(MenusTest, MenuCarriesItsShortcuts) {
    setInventory(nullptr);
    MainDlg& window = start();
    const std::pair<const char*, const char*> cases[] = {{"Quit1", "Ctrl+Q"},
                                                         {"Openlogfile1", "Ctrl+L"},
                                                         {"Checkforupdate1", "Ctrl+G"},
                                                         {"About1", "Ctrl+B"}};
    for (const auto& [action, keys] : cases)
        EXPECT_EQ(window.findChild<QAction*>(action)->shortcut(), QKeySequence(keys)) << action;
}

} // namespace
} // namespace dm::test
