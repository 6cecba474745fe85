// Tests of the program's end on signals and at the session's end, with a dialog open or not.
#include "app/ProgramEnd.h"
#include "platform/files/AtomicFile.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/system/EndSignals.h"
#include "support/QtApplication.h"
#include "support/TempDir.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace dm::test {
namespace {

struct EndSignal {
    int number;
    const char* name; // as kill(1) names it
};
constexpr EndSignal kEndSignals[] = {{SIGTERM, "TERM"}, {SIGHUP, "HUP"}, {SIGINT, "INT"}};

// The program's end in this process: the end signals caught as the program catches them.
class ProgramEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureQtApplication("program_end_test"); }

    ProgramEndTest() : caught(platform::EndSignals::catchSignals()) {
        EXPECT_TRUE(caught) << caught.error();
    }

    platform::Result<std::unique_ptr<platform::EndSignals>> caught;
    int ends = 0;
};

TEST_F(ProgramEndTest, EachEndSignalEndsTheProgramOnceFromTheEventLoop) {
    for (const EndSignal& signal : kEndSignals) {
        (void)caught->take(); // what an earlier case left in the pipe
        ends = 0;
        const ProgramEnd end(caught.get(), [&] { ++ends; });
        ASSERT_EQ(std::raise(signal.number), 0);
        // Not in the signal handler: the event loop runs the end.
        EXPECT_EQ(ends, 0) << signal.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return ends == 1; })) << signal.name;
        for (const EndSignal& again : kEndSignals)
            ASSERT_EQ(std::raise(again.number), 0);
        QTest::qWait(50);
        EXPECT_EQ(ends, 1) << signal.name;
    }
}

TEST_F(ProgramEndTest, ASignalDuringTheEndInterruptsNoWrite) {
    const TempDir dir;
    const std::string file = dir.dir() + "settings.ini";
    const std::string bytes(1 << 20, 'x');
    const ProgramEnd end(caught.get(), [&] {
        ++ends;
        ASSERT_EQ(std::raise(SIGTERM), 0);
        ASSERT_EQ(std::raise(SIGHUP), 0);
        ASSERT_TRUE(platform::writeFileAtomically(file, bytes));
    });
    ASSERT_EQ(std::raise(SIGINT), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(TempDir::read(file), bytes);
}

TEST_F(ProgramEndTest, TheSessionsEndEndsTheProgramOnceToo) {
    ProgramEnd end(nullptr, [&] { ++ends; });
    end.request();
    end.request();
    EXPECT_EQ(ends, 1);
}

// A dialog open when the end is asked for is answered as Escape answers it, and the end runs
// only once the code that opened it has gone on.
TEST_F(ProgramEndTest, AnOpenDialogIsClosedFirstAndTheEndFollowsIt) {
    {
        const ProgramEnd end(caught.get(), [&] { ++ends; });
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        QDialog dialog;
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(ends, 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ends == 1; }));
    }
    // The update question, a Yes/No box, answers No.
    const ProgramEnd end(caught.get(), [&] { ++ends; });
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    platform::QtMessageBox boxes;
    EXPECT_EQ(boxes.show(nullptr, "Download now ?", "Question",
                         platform::MB_YESNO | platform::MB_ICONQUESTION),
              platform::IDNO);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ends == 2; }));
}

} // namespace
} // namespace dm::test
