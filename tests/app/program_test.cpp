// Tests of the built program started as a person would: sample image, no display, no tables.
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace dm::test {
namespace {

// The built program, started as a person would start it, with its registry and data folder in a
// temporary folder.
class ProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "program_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }

    ProgramTest() {
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DIMMETRIC_REGISTRY_DIR",
                           QString::fromStdString(dir.dir() + "registry"));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(dir.dir() + "data"));
        environment.insert("XDG_CACHE_HOME", QString::fromStdString(dir.dir() + "cache"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("DIMMETRIC_REPORT_FIRST_SCAN", "exit");
        // No maker's server: nothing leaves the machine.
        environment.insert("DIMMETRIC_SERVER", "127.0.0.1:9");
        // Installed for this user, so that the close keeps the log and the registry.
        dir.write("registry/user.reg",
                  "WINE REGISTRY Version 2\n\n"
                  "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Dimmetric]\n"
                  "\"DisplayName\"=\"Brackenway Dimmetric\"\n");
    }

    int Run() {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(DIMMETRIC_EXE, {});
        if (!process.waitForFinished(30000))
            return -1;
        output = process.readAllStandardOutput().toStdString();
        errors = process.readAllStandardError().toStdString();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    std::string Log() {
        return TempDir::read(dir.path() / "data/Brackenway/Dimmetric/Dimmetric.log");
    }

    TempDir dir;
    QProcessEnvironment environment;
    std::string output;
    std::string errors;
};

TEST_F(ProgramTest, SampleImageFillsTheWindow) {
    environment.insert("DIMMETRIC_SMBIOS", DIMMETRIC_SAMPLES_DIR "/gaming-desktop-ddr5.bin");
    ASSERT_EQ(Run(), 0) << errors;
    EXPECT_EQ(output.rfind("first-scan-done ", 0), 0u);
    const std::string log = Log();
    EXPECT_NE(log.find("\tDimmetric v1.23.0.47\r\n"), std::string::npos);
    EXPECT_NE(log.find("\tScanning slot #3\r\n"), std::string::npos);
    EXPECT_NE(log.find("\t3\tType\tDDR5 / PC5-38400\r\n"), std::string::npos);
    EXPECT_NE(TempDir::read(dir.path() / "registry/user.reg").find("\"Dimmetric\"="),
              std::string::npos);
}

TEST_F(ProgramTest, WithoutSmbiosNoModuleIsScanned) {
    environment.insert("DIMMETRIC_SMBIOS", QString::fromStdString(dir.dir() + "missing.bin"));
    ASSERT_EQ(Run(), 0) << errors;
    const std::string log = Log();
    EXPECT_NE(log.find("\tScanning memory banks...\r\n"), std::string::npos);
    EXPECT_EQ(log.find("Scanning slot"), std::string::npos);
}

TEST_F(ProgramTest, WithoutADisplayItSaysSo) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    EXPECT_EQ(Run(), 2);
    EXPECT_NE(errors.find("graphical session"), std::string::npos) << errors;
    EXPECT_NE(errors.find("DISPLAY"), std::string::npos);
}

// A display server that takes the connection and never answers (stopped, or something else on
// its port): the program says so and ends with 2 within its probe's few seconds.
TEST_F(ProgramTest, ADisplayThatNeverAnswersIsReportedLikeAMissingOne) {
    QTcpServer silent;
    int number = 60;
    while (number < 100 && !silent.listen(QHostAddress::LocalHost, quint16(6000 + number)))
        ++number;
    ASSERT_LT(number, 100);
    for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("DISPLAY", QString("127.0.0.1:%1").arg(number));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Run(), 2);
    EXPECT_LT(clock.elapsed(), 15000);
    EXPECT_NE(errors.find("the X display \"127.0.0.1:" + std::to_string(number) +
                          "\" (DISPLAY) does not answer"),
              std::string::npos)
        << errors;
}

} // namespace
} // namespace dm::test
