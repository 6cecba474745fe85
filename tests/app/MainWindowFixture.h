// The main window test fixture: one window on fakes, boards described as SMBIOS structures.
#pragma once

#include "app/MainDlg.h"
#include "app/ProgramForms.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "support/SmbiosWriter.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QGroupBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace dm::test {

// The program's version resources, with the running program in a given folder, so that the
// language list finds its language files there and the program's folder is that one.
class ProgramInFolder : public platform::VersionResources {
public:
    explicit ProgramInFolder(std::string exe) : exe_(std::move(exe)) {}
    bool fileExists(const std::string& path) override { return files_.fileExists(path); }
    std::optional<platform::VersionBlock> read(const std::string& path) override {
        return files_.read(path);
    }
    std::string moduleFileName() override { return exe_; }

private:
    platform::LinuxFileSystem disk_;
    platform::FileVersionResources files_{disk_};
    std::string exe_;
};

// One main window on fakes: an in-memory registry, the data folder in a temporary folder (the
// real file system, its special folders where the environment puts them), a recording shell and
// message box, scripted memory status and a memory inventory that the test describes as SMBIOS
// structures.
class MainWindowTest : public ::testing::Test, protected platform::FakePlatform {
protected:
    static void SetUpTestSuite();

    MainWindowTest();
    ~MainWindowTest() override;

    // The inventory the window's queries answer; nullptr makes them fail.
    void setInventory(const SmbiosWriter* board);
    // The program's forms on the current inventory, the window shown and activated as at
    // start-up; parameters: the command line after the program.
    MainDlg& start(std::vector<std::string> parameters = {});
    // The program's forms only, neither shown nor activated.
    void startForms(std::vector<std::string> parameters = {});
    MainDlg& window() { return forms_->mainWindow(); }
    ProgramForms& forms() { return *forms_; }

    QTreeWidget& slotList(int slot);
    QGroupBox& group(int slot);
    QWidget& child(const QString& name);
    // The list's rows as "caption=value".
    std::vector<std::string> listRows(int slot);

    // The executable the program's start names (the built program, for its version resource).
    std::string exeName = DIMMETRIC_EXE;
    TempDir dir;
    platform::LinuxFileSystem disk;

private:
    std::unique_ptr<ProgramForms> forms_;
};

// A module for a board: size in MB, SMBIOS memory type, speed, vendor, part and serial number.
SmbiosMemoryDevice module(const std::string& locator, std::uint64_t sizeMb = 8192,
                          std::uint8_t type = 0x1A, std::uint32_t speed = 2400,
                          const std::string& vendor = "Kingston",
                          const std::string& part = "KHX2400C15/8G",
                          const std::string& serial = "1A2B3C4D");
// A board of one array with `slotCount` slotCount (and `maxGb` maximum) holding the given modules
// in its first slotCount; the other slotCount are empty.
SmbiosWriter makeBoard(int slotCount, const std::vector<SmbiosMemoryDevice>& modules,
                       std::uint64_t maxGb = 64);

} // namespace dm::test
