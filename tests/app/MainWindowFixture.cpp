// The main window test fixture: a window on fakes and the boards it is shown.
#include "app/MainWindowFixture.h"

#include "platform/qt/QtText.h"
#include "platform/wmi/SystemWmi.h"
#include "support/QtApplication.h"

#include <cstdlib>

namespace dm::test {

void MainWindowTest::SetUpTestSuite() {
    ensureQtApplication("main_window_test");
}

MainWindowTest::MainWindowTest() {
    ::setenv("XDG_DATA_HOME", (dir.dir() + "data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (dir.dir() + "cache").c_str(), 1);
    // The first activation's download and update check go to loopback, where nothing listens on
    // the discard port: no test reaches outside the machine.
    ::setenv("DIMMETRIC_SERVER", "127.0.0.1:9", 1);
    system.now = {2026, 12, 7, 14, 16, 10};
    platform.fileSystem = disk;
    memory.result = platform::MemoryStatusSample{25, 16ull << 30, 12ull << 30};
    memory.installed = 16ull << 20;
}

MainWindowTest::~MainWindowTest() = default;

void MainWindowTest::setInventory(const SmbiosWriter* board) {
    repository = board ? platform::memoryRepositoryFromImage(board->image()) : nullptr;
}

void MainWindowTest::startForms(std::vector<std::string> parameters) {
    forms_.reset();
    forms_ = std::make_unique<ProgramForms>(platform, ProgramStart{exeName, std::move(parameters)});
}

MainDlg& MainWindowTest::start(std::vector<std::string> parameters) {
    startForms(std::move(parameters));
    window().show();
    window().AppEvtActivate();
    return window();
}

QTreeWidget& MainWindowTest::slotList(int slot) {
    return *window().findChild<QTreeWidget*>(QStringLiteral("lst%1").arg(slot));
}

QGroupBox& MainWindowTest::group(int slot) {
    return *window().findChild<QGroupBox*>(QStringLiteral("slot%1_grp").arg(slot));
}

QWidget& MainWindowTest::child(const QString& name) {
    auto* child = window().findChild<QWidget*>(name);
    if (!child)
        throw std::runtime_error("no component " + name.toStdString());
    return *child;
}

std::vector<std::string> MainWindowTest::listRows(int slot) {
    std::vector<std::string> rows;
    const QTreeWidget& list = slotList(slot);
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        rows.push_back(platform::fromQt(list.topLevelItem(row)->text(0)) + "=" +
                       platform::fromQt(list.topLevelItem(row)->text(1)));
    return rows;
}

SmbiosMemoryDevice module(const std::string& locator, std::uint64_t sizeMb, std::uint8_t type,
                          std::uint32_t speed, const std::string& vendor, const std::string& part,
                          const std::string& serial) {
    SmbiosMemoryDevice device;
    device.sizeMb = sizeMb;
    device.memoryType = type;
    device.speed = speed;
    device.configuredSpeed = speed;
    device.deviceLocator = locator;
    device.bankLocator = "BANK " + locator.substr(locator.size() - 1);
    device.manufacturer = vendor;
    device.partNumber = part;
    device.serialNumber = serial;
    return device;
}

SmbiosWriter makeBoard(int slotCount, const std::vector<SmbiosMemoryDevice>& modules,
                       std::uint64_t maxGb) {
    SmbiosWriter writer(3, 3);
    SmbiosMemoryArray array;
    array.maxCapacityKb = maxGb << 20;
    array.memoryDevices = static_cast<std::uint16_t>(slotCount);
    writer.addArray(array);
    for (int slot = 0; slot < std::max<int>(slotCount, static_cast<int>(modules.size())); ++slot) {
        if (slot < static_cast<int>(modules.size())) {
            writer.addDevice(modules[slot]);
        } else {
            SmbiosMemoryDevice empty;
            empty.deviceLocator = "DIMM" + std::to_string(slot);
            writer.addDevice(empty);
        }
    }
    return writer;
}

} // namespace dm::test
