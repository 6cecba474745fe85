// Tests of the main window: its form, scan, figures, export, activation and error reports.
#include "app/MainWindowFixture.h"
#include "app/PictureButton.h"
#include "app/ScopeGraph.h"
#include "framework/RunLog.h"
#include "localisation/LangList.h"
#include "localisation/TextStorage.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtText.h"
#include "platform/registry/FileRegistry.h"
#include "platform/smbios/UdevMemory.h"
#include "platform/wmi/MemoryWmiRepository.h"
#include "platform/wmi/SystemWmi.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace dm::test {
namespace {

std::string readExport(const TempDir& dir, const std::string& name) {
    return TempDir::read(dir.path() / "data" / "Brackenway" / "Dimmetric" / name);
}

std::string textOf(QWidget& widget) {
    if (auto* label = qobject_cast<QLabel*>(&widget))
        return platform::fromQt(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        return platform::fromQt(button->text());
    return platform::fromQt(widget.windowTitle());
}

TEST_F(MainWindowTest, FormHasItsComponentsAtTheirPlaces) {
    setInventory(nullptr);
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {}});
    const int menu = window.menuBar()->sizeHint().height();
    EXPECT_EQ(window.objectName(), "MainDlg");
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), QSize(751, 495 + menu));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const std::pair<const char*, QRect> places[] = {
        {"top_pnl", {-12, 0, 764, 57}},      {"Image1", {24, 8, 32, 32}},
        {"subtitle_lbl", {64, 26, 529, 31}}, {"drivers_btn", {608, 8, 137, 41}},
        {"general_grp", {2, 61, 743, 430}},  {"system_grp", {8, 12, 147, 81}},
        {"GroupBox2", {160, 12, 209, 81}},   {"scope", {115, 10, 89, 65}},
        {"slot1_grp", {8, 96, 361, 161}},    {"slot2_grp", {8, 262, 361, 161}},
        {"slot3_grp", {376, 96, 361, 161}},  {"slot4_grp", {376, 262, 361, 161}},
        {"lst3", {7, 16, 266, 137}},         {"getSpec3_btn", {280, 16, 73, 89}},
        {"getRAM3_btn", {8, 16, 345, 137}},
    };
    window.show();
    for (const auto& [name, place] : places) {
        auto* widget = window.findChild<QWidget*>(name);
        ASSERT_TRUE(widget) << name;
        EXPECT_EQ(widget->geometry(), place) << name;
    }
    EXPECT_EQ(textOf(*window.findChild<QLabel*>("Label2")), "Dimmetric");
    EXPECT_EQ(textOf(*window.findChild<QLabel*>("phytot_lbl")), "Available :");
    EXPECT_EQ(textOf(*window.findChild<QWidget*>("drivers_btn")), "Drivers Update");
    EXPECT_EQ(textOf(*window.findChild<QWidget*>("getSpec1_btn")), "Get Specification");
    // Before the first activation the caption is not set yet.
    EXPECT_EQ(window.windowTitle(), "");
}

// The test screen (800 x 600) is too small for the window at its designed position: shown, the
// window's frame lies on the screen's free area, as do the dialogs' frames.
TEST_F(MainWindowTest, WindowAndDialogsStayOnTheScreen) {
    setInventory(nullptr);
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {}});
    ASSERT_EQ(window.pos(), QPoint(198, 179));
    window.show();
    const QRect area = window.screen()->availableGeometry();
    ASSERT_LT(area.width(), 198 + window.width());
    EXPECT_TRUE(area.contains(window.frameGeometry())) << window.frameGeometry().x();

    window.move(area.right() - 100, area.bottom() - 100);
    platform::QtMessageBox boxes;
    QRect shown;
    QTimer::singleShot(0, [&] {
        if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = open->frameGeometry();
            open->accept();
        }
    });
    boxes.show(&window, "A text long enough to make a box of some width", "Dimmetric",
               platform::MB_OK);
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(area.contains(shown)) << shown.x() << "," << shown.y();
}

TEST_F(MainWindowTest, TextTableAndTimerAreConfigured) {
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {}});
    const QStringList texts = {
        "Empty slot !",
        "Click here to get more RAM",
        "Number of slots :",
        "Maximum memory :",
        "GB",
        "Parameter",
        "Value",
        "Slot Name",
        "Capacity",
        "Manufacturer",
        "Model",
        "Type",
        "Current memory :",
        "Used :",
        "Total :",
        "A new version of Dimmetric is available. Do you want to download update now ?",
        "Dimmetric is already up to date.",
        "B",
        "KB",
        "MB",
        "TB",
        "Serial#",
        "The update check could not be made.",
        "The update server could not be reached.",
        "The update server answered, but not with a version number."};
    EXPECT_EQ(window.mainTS()->Items(), texts);
    EXPECT_EQ(window.lng()->LanguageIndex(), 0);
    EXPECT_EQ(window.lng()->FilePrefix(), "QV_");
    EXPECT_EQ(window.lng()->RegKey(), "Software\\Brackenway\\Dimmetric");
    auto* timer = window.findChild<QTimer*>("Mem_tmr");
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(MainWindowTest, MenuHasEveryItemWithItsShortcut) {
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {}});
    const std::tuple<const char*, const char*, const char*> items[] = {
        {"Quit1", "&Quit", "Ctrl+Q"},
        {"ext1", "&Text", ""},
        {"Spreadsheet1", "&Spreadsheet", ""},
        {"Language1", "Language", ""},
        {"Openlogfile1", "&Open log file", "Ctrl+L"},
        {"Checkforupdate1", "Check for update...", "Ctrl+G"},
        {"ChangeLog1", "Change Log", ""},
        {"BugreportFeaturerequestKnownissues1", "Bug report, Feature request, Known issues", ""},
        {"About1", "&About...", "Ctrl+B"},
    };
    for (const auto& [name, caption, shortcut] : items) {
        auto* action = window.findChild<QAction*>(name);
        ASSERT_TRUE(action) << name;
        EXPECT_EQ(action->text(), caption);
        EXPECT_EQ(action->shortcut().toString(), shortcut);
    }
    // Separators are lines: nothing as dark as a text is drawn in their rows.
    auto* help = window.findChild<QMenu*>("N1");
    help->popup(window.mapToGlobal(QPoint(0, 0)));
    const QImage drawn = help->grab().toImage();
    for (const char* name : {"N2", "N3", "N4"}) {
        auto* separator = window.findChild<QAction*>(name);
        EXPECT_TRUE(separator->isSeparator()) << name;
        const QRect row = help->actionGeometry(separator);
        int darkest = 255;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                darkest = std::min(darkest, qGray(drawn.pixel(x, y)));
        EXPECT_GT(darkest, 128) << name;
    }
    help->hide();
    for (const auto& [name, title] : {std::pair{"File1", "&File"},
                                      {"Action1", "&Options"},
                                      {"Export1", "&Export"},
                                      {"N1", "&?"}})
        EXPECT_EQ(window.findChild<QMenu*>(name)->title(), title);
}

TEST_F(MainWindowTest, CaptionCarriesTheExecutablesVersion) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    EXPECT_EQ(window.windowTitle(), "Dimmetric v1.23.0.47");
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(textOf(child(QStringLiteral("getRAM%1_btn").arg(slot))),
                  "Empty slot !\n\rClick here to get more RAM");
}

TEST_F(MainWindowTest, TwoSlotsTwoModulesNarrowTheWindow) {
    const auto board = makeBoard(2, {module("DIMM0"), module("DIMM1")}, 32);
    setInventory(&board);
    MainDlg& window = start();
    EXPECT_EQ(window.frameGeometry().width(), 387);
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 2");
    EXPECT_EQ(textOf(child("maxmem_lbl")), "Maximum memory : 32 GB");
    EXPECT_EQ(textOf(child("curmem_lbl")), "Current memory : 16 GB");
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(group(slot).isEnabled(), slot <= 2) << slot;
        EXPECT_EQ(slotList(slot).isHidden(), slot > 2) << slot;
        EXPECT_TRUE(child(QStringLiteral("getRAM%1_btn").arg(slot)).isHidden()) << slot;
        EXPECT_EQ(child(QStringLiteral("getSpec%1_btn").arg(slot)).isHidden(), slot > 2) << slot;
    }
    EXPECT_EQ(listRows(2)[0], "Slot Name=DIMM1");
    EXPECT_EQ(slotList(1).headerItem()->text(0), "Parameter");
    EXPECT_EQ(slotList(1).headerItem()->text(1), "Value");
}

// The narrowed window cuts the column of slots 3 and 4 off: none of it shows, also where the
// window system's frame is thinner than the width the narrowing allows for (no frame at all gives
// the client the whole outer width).
TEST_F(MainWindowTest, NarrowedWindowShowsNothingOfTheCutOffColumn) {
    const auto board = makeBoard(2, {module("DIMM0"), module("DIMM1")});
    setInventory(&board);
    MainDlg& window = start();
    for (const int clientWidth : {window.width(), 387}) {
        window.setFixedWidth(clientWidth);
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_EQ(group(slot).isVisible(), slot <= 2) << clientWidth << " " << slot;
    }
}

TEST_F(MainWindowTest, FourSlotsOneModuleOfferMoreMemory) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    EXPECT_EQ(window.width(), 751);
    EXPECT_FALSE(slotList(1).isHidden());
    EXPECT_FALSE(child("getSpec1_btn").isHidden());
    EXPECT_TRUE(child("getSpec1_btn").isEnabled());
    EXPECT_TRUE(child("getRAM1_btn").isHidden());
    for (int slot = 2; slot <= 4; ++slot) {
        EXPECT_TRUE(slotList(slot).isHidden());
        EXPECT_FALSE(child(QStringLiteral("getRAM%1_btn").arg(slot)).isHidden());
        EXPECT_TRUE(child(QStringLiteral("getSpec%1_btn").arg(slot)).isHidden());
    }
}

TEST_F(MainWindowTest, SixModulesOnEightSlotsAreAllCounted) {
    std::vector<test::SmbiosMemoryDevice> modules;
    for (int i = 0; i < 6; ++i)
        modules.push_back(module("DIMM" + std::to_string(i)));
    const auto board = makeBoard(8, modules, 256);
    setInventory(&board);
    start();
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 8");
    EXPECT_EQ(textOf(child("curmem_lbl")), "Current memory : 48 GB");
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(listRows(slot)[0], "Slot Name=DIMM" + std::to_string(slot - 1));
        EXPECT_TRUE(child(QStringLiteral("getRAM%1_btn").arg(slot)).isHidden());
    }
}

TEST_F(MainWindowTest, FewerSlotsThanModulesStillFillsTheCutOffLists) {
    const auto board = makeBoard(2, {module("A0"), module("A1"), module("B0"), module("B1")}, 16);
    setInventory(&board);
    MainDlg& window = start();
    EXPECT_EQ(window.frameGeometry().width(), 387);
    for (int slot = 3; slot <= 4; ++slot) {
        EXPECT_FALSE(group(slot).isEnabled());
        EXPECT_FALSE(slotList(slot).isHidden());
        EXPECT_FALSE(child(QStringLiteral("getSpec%1_btn").arg(slot)).isHidden());
    }
    // 32 GB installed on a board that says 16 GB at most: the maximum is not shown.
    EXPECT_TRUE(child("maxmem_lbl").isHidden());
}

TEST_F(MainWindowTest, RescanNeitherShowsHiddenListsNorWidensTheWindow) {
    const auto small = makeBoard(2, {module("DIMM0")});
    setInventory(&small);
    MainDlg& window = start();
    const auto larger = makeBoard(4, {module("DIMM0"), module("DIMM1"), module("DIMM2")});
    setInventory(&larger);
    window.lngAfterLanguageSwitch(window.lng());
    EXPECT_EQ(window.frameGeometry().width(), 387);
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 4");
    for (int slot = 2; slot <= 3; ++slot) {
        // The list is filled but stays hidden: its slot offers more memory instead.
        EXPECT_TRUE(slotList(slot).isHidden()) << slot;
        EXPECT_EQ(listRows(slot)[0], "Slot Name=DIMM" + std::to_string(slot - 1)) << slot;
        EXPECT_FALSE(child(QStringLiteral("getRAM%1_btn").arg(slot)).isHidden()) << slot;
        EXPECT_TRUE(child(QStringLiteral("getSpec%1_btn").arg(slot)).isHidden()) << slot;
    }
    // Only shown lists are exported.
    window.ext1Click();
    const std::string text = readExport(dir, "export.txt");
    EXPECT_EQ(text.rfind("[BANK 1]\r\n", 0), 0u);
    EXPECT_EQ(text.find("[BANK 2]"), std::string::npos);
}

TEST_F(MainWindowTest, MaximumSumsWholeGigabytesOfEveryArray) {
    SmbiosWriter board(3, 3);
    for (const std::uint64_t kb : {16ull << 20, 8ull << 20, 3ull << 19}) {
        SmbiosMemoryArray array;
        array.maxCapacityKb = kb;
        array.memoryDevices = 1;
        board.addArray(array);
    }
    board.addDevice(module("DIMM0", 1536));
    setInventory(&board);
    start();
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 3");
    EXPECT_EQ(textOf(child("maxmem_lbl")), "Maximum memory : 25 GB");
    EXPECT_EQ(textOf(child("curmem_lbl")), "Current memory : 1 GB");
    EXPECT_EQ(listRows(1)[1], "Capacity=1 GB");
}

TEST_F(MainWindowTest, MaximumOfArraysOfFourTerabytesAndMoreComesFromTheirExtendedSize) {
    struct Case {
        std::vector<std::uint64_t> arraysKb;
        const char* text;
    };
    const Case cases[] = {
        {{8ull << 30}, "Maximum memory : 8192 GB"},
        {{4ull << 30}, "Maximum memory : 4096 GB"},
        {{16ull << 20, 8ull << 20}, "Maximum memory : 24 GB"},
        {{6ull << 30, 16ull << 20}, "Maximum memory : 6160 GB"},
    };
    MainDlg& window = start();
    for (const Case& c : cases) {
        SmbiosWriter board(3, 3);
        for (const std::uint64_t kb : c.arraysKb)
            board.addArray({.maxCapacityKb = kb, .memoryDevices = 2});
        board.addDevice(module("DIMM0"));
        setInventory(&board);
        window.lngAfterLanguageSwitch(window.lng());
        EXPECT_EQ(textOf(child("maxmem_lbl")), c.text);
    }
}

// Sizes as a hostile or broken udev record can claim them: each stops at the largest size SMBIOS
// can state, and the installed sum cannot wrap.
TEST_F(MainWindowTest, AbsurdModuleSizesFromTheUdevRecordStayListedAndSummed) {
    const auto info =
        platform::parseUdevMemoryProperties("E:MEMORY_ARRAY_MAX_CAPACITY=68719476736\n"
                                            "E:MEMORY_ARRAY_NUM_DEVICES=4\n"
                                            "E:MEMORY_DEVICE_0_SIZE=4611686018427387904\n"
                                            "E:MEMORY_DEVICE_0_LOCATOR=DIMM0\n"
                                            "E:MEMORY_DEVICE_1_SIZE=4611686018427387904\n"
                                            "E:MEMORY_DEVICE_1_LOCATOR=DIMM1\n"
                                            "E:MEMORY_DEVICE_2_SIZE=18446744073709551615\n"
                                            "E:MEMORY_DEVICE_2_LOCATOR=DIMM2\n");
    ASSERT_TRUE(info);
    repository = platform::memoryWmiRepository(*info);
    start();
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_EQ(listRows(slot).at(1), "Capacity=2097151 GB") << slot;
    EXPECT_EQ(textOf(child("curmem_lbl")), "Current memory : 6291455 GB");
}

TEST_F(MainWindowTest, ColumnsFitTheirHeaderAndTheirTexts) {
    const auto board = makeBoard(4, {module("DIMM0", 8192, 0x1A, 2400, "Kingston",
                                            "A-PART-NUMBER-MUCH-WIDER-THAN-ITS-LIST-X")});
    setInventory(&board);
    MainDlg& window = start();
    QStringList items = window.mainTS()->Items();
    items[items.indexOf("Parameter")] = "A header wider than every caption";
    window.mainTS()->setItems(items);
    window.lngAfterLanguageSwitch(window.lng());
    QTreeWidget& list = slotList(1);
    const QFontMetrics metrics(list.font());
    EXPECT_GE(list.columnWidth(0), metrics.horizontalAdvance("A header wider than every caption"));
    EXPECT_GE(list.columnWidth(1),
              metrics.horizontalAdvance("A-PART-NUMBER-MUCH-WIDER-THAN-ITS-LIST-X"));
}

TEST_F(MainWindowTest, FailedInventoryShowsAnEmptyNarrowWindow) {
    setInventory(nullptr);
    MainDlg& window = start();
    EXPECT_EQ(window.frameGeometry().width(), 387);
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 0");
    EXPECT_EQ(textOf(child("maxmem_lbl")), "Maximum memory : 0 GB");
    EXPECT_EQ(textOf(child("curmem_lbl")), "Current memory : 0 GB");
    EXPECT_FALSE(child("maxmem_lbl").isHidden());
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_FALSE(group(slot).isEnabled());
        EXPECT_TRUE(slotList(slot).isHidden());
        EXPECT_TRUE(child(QStringLiteral("getRAM%1_btn").arg(slot)).isHidden());
        EXPECT_TRUE(child(QStringLiteral("getSpec%1_btn").arg(slot)).isHidden());
    }
    EXPECT_TRUE(messageBox.shown.empty());
}

// Without a memory source the log says, after the scan's first line, why each one gave nothing.
TEST_F(MainWindowTest, FailedInventoryLogsWhyEachMemorySourceGaveNothing) {
    const std::string broken = dir.write("broken.bin", "_SM3_ not a table");
    const std::string udev = dir.write("udev", "E:ID_VENDOR=Nobody\n");
    const std::string missing = dir.dir() + "missing";
    const std::string none = "SMBIOS image: none set (DIMMETRIC_SMBIOS); kernel SMBIOS tables: "
                             "cannot open " +
                             missing + ": No such file or directory; ";
    const struct {
        std::string image;
        std::string udev;
        std::string logged;
    } cases[] = {
        {"", missing, none + "udev record: cannot open " + missing + ": No such file or directory"},
        {"", udev, none + "udev record: no memory properties in " + udev},
        {broken, missing, "SMBIOS image: not an SMBIOS image: " + broken},
    };
    for (const auto& c : cases) {
        platform::SmbiosSources sources;
        sources.image = c.image;
        sources.entryPointFile = sources.tableFile = missing;
        sources.udevDatabase = c.udev;
        const std::unique_ptr<platform::WmiLocator> machine =
            platform::makeSystemWmiLocator(sources);
        platform.wmi = *machine;
        start();
        EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 0");
        ASSERT_TRUE(window().Log());
        const auto& lines = window().Log()->Lines(); // newest first
        const auto scan = std::find(lines.begin(), lines.end(),
                                    "Info\t[26-12-07 14:16:10]\tScanning memory banks...");
        ASSERT_NE(scan, lines.end());
        ASSERT_NE(scan, lines.begin()) << "nothing logged after the scan's first line";
        EXPECT_EQ(*(scan - 1), "Info\t[26-12-07 14:16:10]\tNo memory source answered: " + c.logged);
    }
}

TEST_F(MainWindowTest, EachGenerationShowsItsTypeText) {
    const std::pair<test::SmbiosMemoryDevice, const char*> cases[] = {
        {module("DIMM0", 4096, 0x18, 1333), "DDR3 / PC3-10600"},
        {module("DIMM1", 2048, 0x13, 800), "DDR2 / PC2-6400"},
        {module("DIMM2", 8192, 0x1A, 2666), "DDR4 / PC4-21300"},
        {module("DIMM3", 16384, 0x22, 4800), "DDR5 / PC5-38400"},
    };
    const auto board =
        makeBoard(4, {cases[0].first, cases[1].first, cases[2].first, cases[3].first});
    setInventory(&board);
    start();
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(listRows(slot)[4], std::string("Type=") + cases[slot - 1].second) << slot;

    const auto older =
        makeBoard(2, {module("DIMM0", 512, 0x0F, 133), module("DIMM1", 1024, 0x12, 400)});
    setInventory(&older);
    start();
    EXPECT_EQ(listRows(1)[4], "Type=SDRAM @ 133MHz");
    EXPECT_EQ(listRows(1)[1], "Capacity=0 GB");
    EXPECT_EQ(listRows(2)[4], "Type=DDR / PC-3200");
}

TEST_F(MainWindowTest, SerialVendorAndModelRules) {
    const auto board =
        makeBoard(4, {module("DIMM0", 8192, 0x1A, 2400, "Kingston", "KHX2400C15/8G", "00000000"),
                      module("DIMM1", 8192, 0x1A, 2400, "Kingston", "KHX2400C15/8G", "0A000000"),
                      module("DIMM2", 8192, 0x1A, 2400, "n/a", "M378A1K43CB2", "12345678"),
                      module("DIMM3", 8192, 0x1A, 2400, "Samsung", "   ", "12345678")});
    setInventory(&board);
    start();
    EXPECT_EQ(listRows(1)[5], "Serial#=N/A");
    EXPECT_EQ(listRows(2)[5], "Serial#=0A000000");
    EXPECT_EQ(listRows(3)[2], "Manufacturer=n/a");
    EXPECT_EQ(listRows(3)[3], "Model=N/A");
    EXPECT_TRUE(child("getSpec3_btn").isEnabled());
    EXPECT_FALSE(child("getSpec4_btn").isEnabled());
    EXPECT_TRUE(child("getSpec1_btn").isEnabled());
}

// The search must reach a real engine: no name reserved for examples, tests or local use.
TEST(SearchHost, IsAPublicName) {
    const std::string host = DIMMETRIC_SEARCH_HOST;
    ASSERT_FALSE(host.empty());
    for (const std::string reserved : {".example", ".test", ".invalid", ".localhost", ".local",
                                       "example.com", "example.net", "example.org"}) {
        SCOPED_TRACE(reserved);
        const bool endsWithIt =
            host.size() >= reserved.size() &&
            host.compare(host.size() - reserved.size(), std::string::npos, reserved) == 0;
        EXPECT_FALSE(endsWithIt) << host;
    }
    EXPECT_EQ(host.find_first_of("/:?# "), std::string::npos) << "a host name alone: " << host;
}

TEST_F(MainWindowTest, GetSpecificationSearchesForVendorAndModel) {
    const auto board =
        makeBoard(2, {module("DIMM0"), module("DIMM1", 8192, 0x1A, 2400, "n/a", "X")});
    setInventory(&board);
    start();
    static_cast<QAbstractButton&>(child("getSpec1_btn")).click();
    static_cast<QAbstractButton&>(child("getSpec2_btn")).click();
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0].file, std::string("https://") + DIMMETRIC_SEARCH_HOST +
                                        "/search?q=Kingston%20KHX2400C15%2F8G");
    EXPECT_EQ(shell.opened[0].options.owner, nullptr);
    EXPECT_TRUE(shell.opened[0].options.noErrorUi);
    EXPECT_EQ(shell.opened[1].file,
              std::string("https://") + DIMMETRIC_SEARCH_HOST + "/search?q=n%2Fa%20N%2FA");
}

TEST_F(MainWindowTest, LogHasTheBannerAndEveryRowOfAModule) {
    const auto board = makeBoard(
        4, {module("ChannelA-DIMM0", 8192, 0x1A, 2666, "Kingston", "KHX2400C15/8G", "00000000")});
    setInventory(&board);
    MainDlg& window = start();
    ASSERT_TRUE(window.Log());
    std::vector<std::string> lines(window.Log()->Lines().rbegin(), window.Log()->Lines().rend());
    const std::string at = "Info\t[26-12-07 14:16:10]\t";
    const std::vector<std::string> expected = {
        at + "Starting",
        at + DIMMETRIC_EXE,
        at + "Dimmetric v1.23.0.47",
        at + "Windows : Unknown",
        at + "64Bits : No",
        at + "Administrator : No",
        at + "Portable : Yes",
        at + "OpenSSL : Not Available",
        at + "Self update check...",
        at + "Dimmetric Update self check : Initialization",
        at + "Scanning memory banks...",
        at + "Scanning slot #0",
        at + "0\tSlot Name\tChannelA-DIMM0",
        at + "0\tCapacity\t8 GB",
        at + "0\tManufacturer\tKingston (Kingston)",
        at + "0\tModel\tKHX2400C15/8G",
        at + "0\tRawType :DDR4 / PC4-21328",
        at + "0\tType\t26",
        at + "0\tSpeed\t2666",
        at + "0\tType\tDDR4 / PC4-21300",
        at + "0\tSerial#\tN/A",
        at + "0\tRawSN :00000000",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(MainWindowTest, BannerCarriesTheFirstParameterAsTyped) {
    setInventory(nullptr);
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {"-Some Option", "second"}});
    window.AppEvtActivate();
    ASSERT_TRUE(window.Log());
    std::vector<std::string> lines(window.Log()->Lines().rbegin(), window.Log()->Lines().rend());
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[5], "Info\t[26-12-07 14:16:10]\tAdministrator : No");
    EXPECT_EQ(lines[6], "Info\t[26-12-07 14:16:10]\tPortable : Yes");
    EXPECT_EQ(lines[7], "Info\t[26-12-07 14:16:10]\t-Some Option");
    EXPECT_EQ(lines[8], "Info\t[26-12-07 14:16:10]\tOpenSSL : Not Available");
    EXPECT_EQ(lines[9], "Info\t[26-12-07 14:16:10]\tSelf update check...");
}

TEST_F(MainWindowTest, FirstActivationRegistersTheProgramAndStartsSampling) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    const auto key = registry.openKey(platform::RegistryRoot::CurrentUser, "SOFTWARE\\Brackenway",
                                      platform::RegistryAccess::Read);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->readString("Dimmetric").value, DIMMETRIC_EXE);
    EXPECT_TRUE(window.findChild<QTimer*>("Mem_tmr")->isActive());
}

TEST_F(MainWindowTest, SampleShowsUsedAndInstalledMemory) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    memory.result = platform::MemoryStatusSample{50, 15ull << 30, 7ull << 30};
    memory.installed = 16ull << 20;
    window.Mem_tmrTimer();
    EXPECT_EQ(textOf(child("phyused_lbl")), "Used : 8 GB");
    EXPECT_EQ(textOf(child("phytot_lbl")), "Total : 16 GB");
    auto* scope = window.findChild<ScopeGraph*>("scope");
    EXPECT_EQ(scope->Position(), 50);

    // Without the firmware's figure the total physical memory stands in.
    memory.installed.reset();
    window.Mem_tmrTimer();
    EXPECT_EQ(textOf(child("phytot_lbl")), "Total : 15 GB");
}

// Figures that only a crafted memory status gives: used memory is never negative and sizes beyond
// the formatter's count show as its largest.
TEST_F(MainWindowTest, SampleOfAbsurdFiguresShowsNoNegativeMemory) {
    setInventory(nullptr);
    MainDlg& window = start();
    struct Case {
        std::uint64_t total, available;
        std::optional<std::uint64_t> installedKb;
        const char* used;
        const char* shownTotal;
    };
    const Case cases[] = {
        {UINT64_MAX, 1024, std::nullopt, "Used : 8388608 TB", "Total : 8388608 TB"},
        {UINT64_MAX, 1024, UINT64_MAX, "Used : 8388608 TB", "Total : 8388608 TB"},
        {8ull << 30, 16ull << 30, 16ull << 20, "Used : 0    B", "Total : 16 GB"},
    };
    for (const Case& c : cases) {
        memory.result = platform::MemoryStatusSample{50, c.total, c.available};
        memory.installed = c.installedKb;
        window.Mem_tmrTimer();
        EXPECT_EQ(textOf(child("phyused_lbl")), c.used);
        EXPECT_EQ(textOf(child("phytot_lbl")), c.shownTotal);
    }
}

TEST_F(MainWindowTest, SizeUnitsAreTheTextTablesFromByteToTerabyte) {
    setInventory(nullptr);
    MainDlg& window = start();
    const std::pair<std::uint64_t, const char*> cases[] = {
        {100, "Used : 100  B"},      {2ull << 10, "Used : 2 KB"}, {3ull << 20, "Used : 3 MB"},
        {8ull << 30, "Used : 8 GB"}, {2ull << 40, "Used : 2 TB"},
    };
    for (const auto& [used, text] : cases) {
        memory.result = platform::MemoryStatusSample{50, 4ull << 40, (4ull << 40) - used};
        window.Mem_tmrTimer();
        EXPECT_EQ(textOf(child("phyused_lbl")), text);
    }
}

TEST_F(MainWindowTest, FailingMemoryStatusReachesTheErrorReport) {
    setInventory(nullptr);
    MainDlg& window = start();
    const std::string before = textOf(child("phyused_lbl"));
    memory.result = platform::Failure::notFound("/proc/meminfo: No such file or directory");
    window.Mem_tmrTimer();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].text, "/proc/meminfo: No such file or directory.");
    EXPECT_EQ(messageBox.shown[0].caption, "Dimmetric");
    EXPECT_EQ(messageBox.shown[0].flags, platform::MB_OK | platform::MB_ICONHAND);
    EXPECT_EQ(textOf(child("phyused_lbl")), before);
}

TEST_F(MainWindowTest, ExportWritesTheShownListsInBothForms) {
    const auto board = makeBoard(4, {module("DIMM0", 8192, 0x1A, 2400, "Kingston", "KHX;2400", "1"),
                                     module("DIMM1", 4096, 0x18, 1600, "Samsung", "M378", "2"),
                                     module("DIMM2", 8192, 0x1A, 3200, "Crucial", "CT8G", "3"),
                                     module("DIMM3", 16384, 0x22, 4800, "Hynix", "HMCG", "4")});
    setInventory(&board);
    MainDlg& window = start();
    window.findChild<QAction*>("ext1")->trigger();
    window.findChild<QAction*>("Spreadsheet1")->trigger();

    const auto section = [](int slot, const std::string& rows) {
        std::string text = slot > 1 ? "\r\n" : "";
        return text + "[BANK " + std::to_string(slot) + "]\r\n" + rows;
    };
    const auto bank = [&](const std::string& sep) {
        const auto line = [&](const char* caption, const std::string& value) {
            return std::string(caption) + sep + value + "\r\n";
        };
        return section(1, line("Slot Name", "DIMM0") + line("Capacity", "8 GB") +
                              line("Manufacturer", "Kingston") +
                              line("Model", sep == ";" ? "\"KHX;2400\"" : "KHX;2400") +
                              line("Type", "DDR4 / PC4-19200") + line("Serial#", "1")) +
               section(2, line("Slot Name", "DIMM1") + line("Capacity", "4 GB") +
                              line("Manufacturer", "Samsung") + line("Model", "M378") +
                              line("Type", "DDR3 / PC3-12800") + line("Serial#", "2")) +
               section(3, line("Slot Name", "DIMM2") + line("Capacity", "8 GB") +
                              line("Manufacturer", "Crucial") + line("Model", "CT8G") +
                              line("Type", "DDR4 / PC4-25600") + line("Serial#", "3")) +
               section(4, line("Slot Name", "DIMM3") + line("Capacity", "16 GB") +
                              line("Manufacturer", "Hynix (Hyundai)") + line("Model", "HMCG") +
                              line("Type", "DDR5 / PC5-38400") + line("Serial#", "4"));
    };
    EXPECT_EQ(readExport(dir, "export.txt"), bank("\t"));
    EXPECT_EQ(readExport(dir, "export.csv"), bank(";"));
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1].file, (dir.path() / "data/Brackenway/Dimmetric/export.csv").string());
    EXPECT_EQ(shell.opened[1].options.owner, nullptr);
    EXPECT_TRUE(shell.opened[1].options.noErrorUi);

    // A second export of the same kind replaces the file whole.
    const auto one = makeBoard(4, {module("DIMM0", 8192, 0x1A, 2400, "Kingston", "K", "1")});
    setInventory(&one);
    start().ext1Click();
    EXPECT_EQ(readExport(dir, "export.txt"),
              "[BANK 1]\r\nSlot Name\tDIMM0\r\nCapacity\t8 GB\r\nManufacturer\tKingston\r\n"
              "Model\tK\r\nType\tDDR4 / PC4-19200\r\nSerial#\t1\r\n");
    EXPECT_EQ(readExport(dir, "export.csv"), bank(";"));
}

TEST_F(MainWindowTest, ExportBeforeTheFirstScanHasAnEmptySectionPerShownList) {
    MainDlg window(platform, ProgramStart{DIMMETRIC_EXE, {}});
    window.ext1Click();
    EXPECT_EQ(readExport(dir, "export.txt"), "[BANK 1]\r\nEmpty\r\n\r\n[BANK 2]\r\nEmpty\r\n"
                                             "\r\n[BANK 3]\r\nEmpty\r\n\r\n[BANK 4]\r\nEmpty\r\n");
}

TEST_F(MainWindowTest, ExportWithoutModulesIsAnEmptyFile) {
    setInventory(nullptr);
    MainDlg& window = start();
    window.ext1Click();
    EXPECT_EQ(readExport(dir, "export.txt"), "");
    EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(MainWindowTest, ExportThatCannotBeWrittenIsReportedAndNotOpened) {
    setInventory(nullptr);
    MainDlg& window = start();
    const auto folder = dir.path() / "data" / "Brackenway" / "Dimmetric";
    std::filesystem::create_directories(folder / "export.txt"); // a folder in the file's place
    window.ext1Click();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_NE(messageBox.shown[0].text.find("export.txt"), std::string::npos);
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(MainWindowTest, ActivationRunsOnce) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    const auto lines = window.Log()->Lines().size();
    QEvent activate(QEvent::ApplicationActivate);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &activate);
    EXPECT_EQ(window.Log()->Lines().size(), lines);
}

} // namespace
} // namespace dm::test

namespace dm::test {
namespace {

TEST_F(MainWindowTest, FailedRegistryWriteIsReportedAndTheFirstActivationGoesOn) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    registry.setWritesFail(true);
    MainDlg& window = start();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(messageBox.shown[0].caption, "Dimmetric");
    // The later steps ran: caption, log, scan, timer.
    EXPECT_EQ(window.windowTitle(), "Dimmetric v1.23.0.47");
    ASSERT_TRUE(window.Log());
    EXPECT_FALSE(window.Log()->Lines().empty());
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 4");
    EXPECT_TRUE(window.findChild<QTimer*>("Mem_tmr")->isActive());
}

TEST_F(MainWindowTest, ADamagedHiveIsReportedLeftAsItIsAndTheWindowIsScanned) {
    const std::string damaged = "WINE REGISTRY Version 2\n[Software\\\\Brackenway]\n\"x\"=broken\n";
    const std::string hive = dir.write("registry/user.reg", damaged);
    platform::FileRegistry files(dir.dir() + "registry");
    platform.registry = files;
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    ASSERT_EQ(messageBox.shown.size(), 1u);
    EXPECT_EQ(textOf(child("slots_lbl")), "Number of slots : 4");
    EXPECT_EQ(listRows(1)[0], "Slot Name=DIMM0");
    EXPECT_TRUE(window.findChild<QTimer*>("Mem_tmr")->isActive());
    EXPECT_EQ(TempDir::read(hive), damaged);
}

TEST_F(MainWindowTest, LanguageSwitchRefreshesCaptionsListsAndMemoryTexts) {
    const auto board = makeBoard(4, {module("DIMM0")});
    setInventory(&board);
    MainDlg& window = start();
    // What a language file does to the text table: replaces its lines.
    QStringList items = window.mainTS()->Items();
    items[items.indexOf("Capacity")] = "Kapazitaet";
    items[items.indexOf("Used :")] = "Belegt :";
    items[items.indexOf("Empty slot !")] = "Leerer Steckplatz !";
    window.mainTS()->setItems(items);
    window.lngAfterLanguageSwitch(window.lng());

    EXPECT_EQ(listRows(1)[1], "Kapazitaet=8 GB");
    EXPECT_EQ(textOf(child("phyused_lbl")).rfind("Belegt : ", 0), 0u);
    EXPECT_EQ(textOf(child("getRAM2_btn")), "Leerer Steckplatz !\n\rClick here to get more RAM");
    window.ext1Click();
    EXPECT_NE(readExport(dir, "export.txt").find("\r\nKapazitaet\t8 GB\r\n"), std::string::npos);
}

} // namespace
} // namespace dm::test

namespace dm::test {
namespace {

// A message box whose modal loop lets the timer tick again, as a real one does.
class TickingMessageBox : public platform::FakeMessageBox {
public:
    MainDlg* window = nullptr;
    int show(platform::WindowHandle owner, const std::string& text, const std::string& caption,
             std::uint32_t flags) override {
        const int answer = FakeMessageBox::show(owner, text, caption, flags);
        if (window && shown.size() == 1)
            window->Mem_tmrTimer();
        return answer;
    }
};

TEST_F(MainWindowTest, FailingTicksDoNotStackErrorReports) {
    TickingMessageBox ticking;
    platform.messageBox = ticking;
    setInventory(nullptr);
    MainDlg& window = start();
    ticking.window = &window;
    memory.result = platform::Failure{"no memory status"};
    window.Mem_tmrTimer();
    EXPECT_EQ(ticking.shown.size(), 1u);
    // Once the report is closed, the next failing tick reports again.
    window.Mem_tmrTimer();
    EXPECT_EQ(ticking.shown.size(), 2u);
}

} // namespace
} // namespace dm::test
