// Tests of the message boxes: captions and flags per kind, buttons pressed, the question.
#include "framework/MsgDlg.h"

#include "platform/fakes/FakeMessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace dm {
namespace {

using namespace platform;

TEST(MsgDlg, MapsButtonAndIconKindsToCaptionsAndSystemFlags) {
    struct Case {
        std::uint8_t buttons;
        std::uint8_t icon;
        const char* caption;
        std::uint32_t flags;
    };
    const std::vector<Case> cases = {
        {0, 0, "Message", MB_OK},
        {1, 1, "Warning", MB_YESNO | MB_ICONEXCLAMATION},
        {2, 2, "Error", MB_YESNOCANCEL | MB_ICONHAND},
        {3, 3, "Question", MB_OKCANCEL | MB_ICONQUESTION},
        {0, 4, "Information", MB_OK | MB_ICONASTERISK},
        {9, 9, "", MB_OK},
        {255, 5, "", MB_OK},
    };
    FakeMessageBox boxes;
    int owner = 0;
    for (const auto& c : cases) {
        ShowMsgBox(boxes, &owner, "text", c.buttons, c.icon);
        ASSERT_FALSE(boxes.shown.empty());
        EXPECT_EQ(boxes.shown.back().caption, c.caption) << int(c.buttons) << "/" << int(c.icon);
        EXPECT_EQ(boxes.shown.back().flags, c.flags) << int(c.buttons) << "/" << int(c.icon);
        EXPECT_EQ(boxes.shown.back().owner, &owner);
        EXPECT_EQ(boxes.shown.back().text, "text");
    }
}

TEST(MsgDlg, ReturnsTheIdentifierOfTheButtonPressed) {
    FakeMessageBox boxes;
    boxes.answers = {IDCANCEL};
    EXPECT_EQ(ShowMsgBox(boxes, nullptr, "Continue?", 2, 3), IDCANCEL);
}

TEST(MsgDlg, MsgQuestionAsksYesOrNoUnderTheQuestionCaption) {
    FakeMessageBox boxes;
    boxes.answers = {IDNO, IDYES};
    EXPECT_EQ(MsgQuestion(boxes, nullptr, "Download the update?"), IDNO);
    EXPECT_EQ(MsgQuestion(boxes, nullptr, "Download the update?"), IDYES);
    EXPECT_EQ(boxes.shown[0].caption, "Question");
    EXPECT_EQ(boxes.shown[0].flags, MB_YESNO | MB_ICONQUESTION);
}

} // namespace
} // namespace dm
