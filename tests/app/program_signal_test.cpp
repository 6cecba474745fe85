// Tests of the built program ending on a signal as Quit ends it.
#include "platform/files/LinuxFileSystem.h"
#include "support/LanguageFileWriter.h"
#include "support/QtApplication.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace dm::test {
namespace {

namespace fs = std::filesystem;

// The built program as a person runs it: a portable copy in a folder of its own, its registry,
// data folder and cache in a scratch folder, a German language file beside it and a German
// desktop, so that its first activation chooses German and stores that choice.
class ProgramSignalTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication("program_signal_test"); }

    ProgramSignalTest() {
        fs::create_directories(dir.path() / "program");
        fs::copy_file(DIMMETRIC_EXE, dir.path() / "program/dimmetric");
        LanguageFileContent german{
            .languageId = 0x0407, .listTitle = "Deutsch", .languageName = "German"};
        platform::LinuxFileSystem disk; // the program run reads it from disk
        EXPECT_TRUE(writeLanguageFile(disk, dir.dir() + "program/QV_00000407.SPK", german));
        environment.insert("DIMMETRIC_REGISTRY_DIR",
                           QString::fromStdString(dir.dir() + "registry"));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(dir.dir() + "data"));
        environment.insert("XDG_CACHE_HOME", QString::fromStdString(dir.dir() + "cache"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("DIMMETRIC_REPORT_FIRST_SCAN", "1");
        environment.insert("DIMMETRIC_SERVER", "127.0.0.1:9");
        environment.insert("DIMMETRIC_SMBIOS", DIMMETRIC_SAMPLES_DIR "/office-desktop-ddr4.bin");
        environment.remove("LC_ALL");
        environment.remove("LC_MESSAGES");
        environment.insert("LANG", "de_DE.UTF-8");
    }

    QString exe() const { return QString::fromStdString(dir.dir() + "program/dimmetric"); }

    // Starts the copy, waits for its first scan, sends it the signals named, one right after
    // the other, and waits for its end; its exit code, -1 when it did not end normally.
    int runAndSignal(const QStringList& signalNames) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(exe(), {});
        const bool scanned = process.waitForStarted(30000) &&
                             QTest::qWaitFor(
                                 [&] {
                                     process.waitForReadyRead(100);
                                     output += process.readAllStandardOutput().toStdString();
                                     return output.find("first-scan-done") != std::string::npos;
                                 },
                                 30000);
        EXPECT_TRUE(scanned) << output;
        for (const QString& name : signalNames)
            EXPECT_EQ(QProcess::execute("kill", {"-" + name, QString::number(process.processId())}),
                      0);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Nothing of the run is left but settings.ini beside the copy, which holds its language.
    void expectAnOrderlyEnd(const std::string& why) {
        EXPECT_FALSE(fs::exists(dir.path() / "data/Brackenway")) << why;
        EXPECT_FALSE(fs::exists(dir.path() / "registry")) << why;
        EXPECT_NE(TempDir::read(dir.path() / "program/settings.ini")
                      .find("[Settings_DWORD]\r\nlng=1031\r\n"),
                  std::string::npos)
            << why;
    }

    TempDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::string output;
};

TEST_F(ProgramSignalTest, EachEndSignalClosesAPortableCopyAsQuitDoes) {
    // SIGHUP: its terminal went away; SIGINT: Ctrl+C in it; SIGTERM: the session's end, kill.
    for (const char* signal : {"TERM", "HUP", "INT"}) {
        fs::remove(dir.path() / "program/settings.ini");
        output.clear();
        EXPECT_EQ(runAndSignal({signal}), 0) << signal;
        expectAnOrderlyEnd(signal);
    }
}

TEST_F(ProgramSignalTest, ASecondSignalRightAfterTheFirstChangesNothing) {
    EXPECT_EQ(runAndSignal({"TERM", "INT", "HUP"}), 0);
    expectAnOrderlyEnd("three signals");
}

} // namespace
} // namespace dm::test
