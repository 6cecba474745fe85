// Tests of the install step and package, and of the build tree's copy being portable.
#include "support/ProcessRun.h"
#include "support/TempDir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <filesystem>

namespace dm::test {
namespace {

// The project's install step and package, run on this build tree into temporary folders.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "install_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }

    // Runs a program to its end within the time given; its exit code, keeping its error output.
    int run(const QString& program, const QStringList& arguments, int milliseconds,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        const ProcessRun result = runProcess(program, arguments, milliseconds, environment);
        errors = result.errors;
        return result.exitCode;
    }

    // The log of one run of the program at exe, with its registry and data folder below the
    // test's folder (dataHome for XDG_DATA_HOME when given).
    std::string logOfRun(const std::string& exe, const std::string& dataHome = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DIMMETRIC_REGISTRY_DIR", QString::fromStdString(dir.dir() + "reg"));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(
                                                dataHome.empty() ? dir.dir() + "data" : dataHome));
        environment.insert("XDG_CACHE_HOME", QString::fromStdString(dir.dir() + "cache"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("DIMMETRIC_REPORT_FIRST_SCAN", "exit");
        environment.insert("DIMMETRIC_SMBIOS", QString::fromStdString(dir.dir() + "none.bin"));
        // No maker's server: nothing may leave the machine.
        environment.insert("DIMMETRIC_SERVER", "127.0.0.1:9");
        EXPECT_EQ(run(QString::fromStdString(exe), {}, 30000, environment), 0) << errors;
        const auto log = dir.path() / "data/Brackenway/Dimmetric/Dimmetric.log";
        return std::filesystem::exists(log) ? TempDir::read(log) : std::string();
    }

    TempDir dir;
    std::string errors;
};

TEST_F(InstallTest, InstallStepPlacesTheProgramItsMenuEntryAndTheMachineHive) {
    const std::string prefix = dir.dir() + "prefix";
    ASSERT_EQ(run(CMAKE_COMMAND,
                  {"--install", DIMMETRIC_BUILD_DIR, "--prefix", QString::fromStdString(prefix)},
                  60000),
              0)
        << errors;
    for (const char* file :
         {"bin/dimmetric", "share/applications/dimmetric.desktop",
          "share/icons/hicolor/32x32/apps/dimmetric.png",
          "share/icons/hicolor/48x48/apps/dimmetric.png",
          "share/icons/hicolor/128x128/apps/dimmetric.png",
          "share/icons/hicolor/256x256/apps/dimmetric.png",
          "share/icons/hicolor/scalable/apps/dimmetric.svg", "share/man/man1/dimmetric.1.gz",
          "share/metainfo/example.brackenway.dimmetric.metainfo.xml", "share/dimmetric/system.reg"})
        EXPECT_TRUE(std::filesystem::is_regular_file(prefix + "/" + file)) << file;
    const std::string desktop = TempDir::read(prefix + "/share/applications/dimmetric.desktop");
    EXPECT_NE(desktop.find("\nExec=dimmetric\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nIcon=dimmetric\n"), std::string::npos);
    const std::string hive = TempDir::read(prefix + "/share/dimmetric/system.reg");
    EXPECT_EQ(hive.rfind("WINE REGISTRY Version 2\n", 0), 0u);
    EXPECT_NE(hive.find("\"DisplayName\"=\"Brackenway Dimmetric\""), std::string::npos);

    // Installed: the close keeps the data folder and its log.
    const std::string log = logOfRun(prefix + "/bin/dimmetric");
    EXPECT_NE(log.find("\tDimmetric v1.23.0.47\r\n"), std::string::npos);
    EXPECT_NE(log.find("\tPortable : No\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(prefix + "/bin/settings.ini"));
}

TEST_F(InstallTest, BuildTreeCopyIsPortable) {
    // The data folder falls back to the program's folder (no per-user folder can be made where a
    // file is in the way), which a portable close keeps: the log can be read there.
    const std::string blocked = dir.write("blocked", "a file");
    const std::string exeFolder = std::filesystem::path(DIMMETRIC_EXE).parent_path().string();
    const std::string log = logOfRun(DIMMETRIC_EXE, blocked);
    const std::string kept = exeFolder + "/Dimmetric.log";
    const std::string written = TempDir::read(kept);
    std::filesystem::remove(kept);
    std::filesystem::remove(exeFolder + "/settings.ini");
    EXPECT_NE(written.find("\tPortable : Yes\r\n"), std::string::npos) << written;
}

} // namespace
} // namespace dm::test
