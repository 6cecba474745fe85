// Tests of the package: its files and owners, install and removal in a scratch root, checks.
#include "support/ProcessRun.h"
#include "support/TempDir.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace dm::test {
namespace {

namespace fs = std::filesystem;

const std::string kAppStreamFile = "usr/share/metainfo/" DIMMETRIC_APPSTREAM_ID ".metainfo.xml";

// Every file the package ships, with its mode as dpkg-deb lists it.
const std::set<std::string> kShippedFiles = {
    "-rwxr-xr-x usr/bin/dimmetric",
    "-rw-r--r-- usr/share/applications/dimmetric.desktop",
    "-rw-r--r-- usr/share/dimmetric/system.reg",
    "-rw-r--r-- usr/share/doc/dimmetric/changelog.Debian.gz",
    "-rw-r--r-- usr/share/doc/dimmetric/copyright",
    "-rw-r--r-- usr/share/icons/hicolor/128x128/apps/dimmetric.png",
    "-rw-r--r-- usr/share/icons/hicolor/256x256/apps/dimmetric.png",
    "-rw-r--r-- usr/share/icons/hicolor/32x32/apps/dimmetric.png",
    "-rw-r--r-- usr/share/icons/hicolor/48x48/apps/dimmetric.png",
    "-rw-r--r-- usr/share/icons/hicolor/scalable/apps/dimmetric.svg",
    "-rw-r--r-- usr/share/lintian/overrides/dimmetric",
    "-rw-r--r-- usr/share/man/man1/dimmetric.1.gz",
    "-rw-r--r-- " + kAppStreamFile,
};

// The package that the fixture package_build made from this build tree.
class PackageTest : public ::testing::Test {
protected:
    static std::string package() {
        for (const auto& entry : fs::directory_iterator(DIMMETRIC_PACKAGE_DIR))
            if (entry.path().extension() == ".deb")
                return entry.path().string();
        return {};
    }

    static QString text(const std::string& value) { return QString::fromStdString(value); }

    // dpkg in a scratch root below the test's folder, as any user.
    ProcessRun dpkg(QStringList arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", environment.value("PATH") + ":/usr/sbin:/sbin");
        arguments.prepend("--force-not-root");
        arguments.prepend("--log=/dev/null");
        arguments.prepend(text("--root=" + root()));
        return runProcess("dpkg", arguments, 60000, environment);
    }

    std::string root() const { return dir.dir() + "root"; }

    // The package's files unpacked below the test's folder.
    std::string unpacked() {
        const std::string folder = dir.dir() + "unpacked";
        const ProcessRun run = runProcess("dpkg-deb", {"-x", text(package()), text(folder)}, 60000);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        return folder + "/";
    }

    // Runs a checker on a file when the checker is installed; its report is printed.
    void expectAccepted(const QString& checker, QStringList arguments, const std::string& file) {
        if (QStandardPaths::findExecutable(checker).isEmpty())
            GTEST_SKIP() << checker.toStdString() << " is not installed";
        arguments.append(text(file));
        const ProcessRun run = runProcess(checker, arguments, 120000);
        std::cout << checker.toStdString() << ":\n" << run.output << run.errors;
        EXPECT_EQ(run.exitCode, 0) << run.output << run.errors;
    }

    TempDir dir;
};

TEST_F(PackageTest, ShipsExactlyTheListedFilesOwnedByRoot) {
    ASSERT_FALSE(package().empty());
    const ProcessRun contents = runProcess("dpkg-deb", {"--contents", text(package())}, 30000);
    ASSERT_EQ(contents.exitCode, 0) << contents.errors;
    // Lines as "-rw-r--r-- root/root 1234 2026-12-10 12:00 ./usr/...": folders end in "/".
    std::set<std::string> files;
    std::istringstream lines(contents.output);
    std::string mode, owner, size, date, time, path;
    while (lines >> mode >> owner >> size >> date >> time >> path) {
        EXPECT_EQ(owner, "root/root") << path;
        if (path.back() != '/')
            files.insert(mode + " " + path.substr(2));
    }
    EXPECT_EQ(files, kShippedFiles);

    const ProcessRun fields =
        runProcess("dpkg-deb", {"--field", text(package()), "Package", "Version"}, 30000);
    EXPECT_EQ(fields.output, "Package: dimmetric\nVersion: " DIMMETRIC_PACKAGE_VERSION "\n");
}

// Each package Depends names once, libcurl4 with the release whose options the transport sets.
TEST_F(PackageTest, DependsNamesEachPackageOnceAndLibcurlFrom787) {
    ASSERT_FALSE(package().empty());
    const ProcessRun run = runProcess("dpkg-deb", {"--field", text(package()), "Depends"}, 30000);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    std::map<std::string, std::vector<std::string>> named; // package: its version conditions
    std::istringstream entries(run.output);
    for (std::string entry; std::getline(entries, entry, ',');) {
        const auto first = entry.find_first_not_of(" \n");
        const auto end = entry.find_first_of(" (\n", first);
        ASSERT_NE(first, std::string::npos) << run.output;
        const std::string name = entry.substr(first, end - first);
        const auto open = entry.find('(');
        named[name].push_back(open == std::string::npos
                                  ? std::string()
                                  : entry.substr(open, entry.find(')') - open + 1));
    }
    for (const auto& [name, conditions] : named)
        EXPECT_EQ(conditions.size(), 1u) << name << " in " << run.output;
    ASSERT_EQ(named.count("libcurl4"), 1u) << run.output;
    EXPECT_EQ(named["libcurl4"].front(), "(>= 7.87)") << run.output;
}

TEST_F(PackageTest, InstallsIntoAScratchRootRunsAsInstalledAndRemovesCleanly) {
    fs::create_directories(root() + "/var/lib/dpkg/info");
    fs::create_directories(root() + "/var/lib/dpkg/updates");
    dir.write("root/var/lib/dpkg/status", "");
    // The scratch root holds no libraries: the dependencies are the real system's.
    ProcessRun run = dpkg({"--force-depends", "--install", text(package())});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    run = dpkg({"--listfiles", "dimmetric"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    for (const std::string& line : kShippedFiles) {
        const std::string path = line.substr(line.find(' ') + 1);
        EXPECT_NE(run.output.find("/" + path + "\n"), std::string::npos) << path;
        EXPECT_TRUE(fs::is_regular_file(root() + "/" + path)) << path;
    }

    // The stripped program still carries its version, and the machine hive makes it installed.
    const std::string exe = root() + "/usr/bin/dimmetric";
    EXPECT_EQ(TempDir::read(exe).find(".comment"), std::string::npos);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DIMMETRIC_REGISTRY_DIR", text(dir.dir() + "registry"));
    environment.insert("XDG_DATA_HOME", text(dir.dir() + "data"));
    environment.insert("XDG_CACHE_HOME", text(dir.dir() + "cache"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("DIMMETRIC_REPORT_FIRST_SCAN", "exit");
    environment.insert("DIMMETRIC_SMBIOS", text(dir.dir() + "none.bin"));
    // No maker's server: nothing may leave the machine.
    environment.insert("DIMMETRIC_SERVER", "127.0.0.1:9");
    run = runProcess(text(exe), {}, 30000, environment);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::string log = TempDir::read(dir.path() / "data/Brackenway/Dimmetric/Dimmetric.log");
    EXPECT_NE(log.find("\tDimmetric v1.23.0.47\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\tPortable : No\r\n"), std::string::npos) << log;

    run = dpkg({"--purge", "dimmetric"});
    ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
    // Only dpkg's own records are left.
    for (const auto& entry : fs::directory_iterator(root()))
        EXPECT_EQ(entry.path().filename(), "var");
    EXPECT_NE(dpkg({"--status", "dimmetric"}).exitCode, 0);
}

TEST_F(PackageTest, LintianFindsNoErrorOrWarning) {
    if (QStandardPaths::findExecutable("lintian").isEmpty())
        GTEST_SKIP() << "lintian is not installed";
    const ProcessRun run = runProcess(
        "lintian", {"--pedantic", "--display-info", "--show-overrides", text(package())}, 600000);
    std::cout << "lintian:\n" << run.output << run.errors;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(line.rfind("E: ", 0) != 0 && line.rfind("W: ", 0) != 0) << line;
    EXPECT_NE(run.exitCode, -1) << run.errors;
}

TEST_F(PackageTest, SoftwareCentreListingPassesAppStreamValidation) {
    expectAccepted("appstreamcli", {"validate", "--no-net", "--pedantic"},
                   unpacked() + kAppStreamFile);
}

TEST_F(PackageTest, MenuEntryPassesDesktopFileValidation) {
    expectAccepted("desktop-file-validate", {},
                   unpacked() + "usr/share/applications/dimmetric.desktop");
}

} // namespace
} // namespace dm::test
