// Modal message boxes chosen by buttons kind and icon kind, and the Yes/No question.
#include "framework/MsgDlg.h"

namespace dm {

namespace {

struct IconRow {
    const char* caption;
    std::uint32_t flag;
};

constexpr std::uint32_t kButtonFlags[] = {
    platform::MB_OK,          // 0: OK
    platform::MB_YESNO,       // 1: Yes, No
    platform::MB_YESNOCANCEL, // 2: Yes, No, Cancel
    platform::MB_OKCANCEL,    // 3: OK, Cancel
};

constexpr IconRow kIcons[] = {
    {"Message", 0},
    {"Warning", platform::MB_ICONEXCLAMATION},
    {"Error", platform::MB_ICONHAND},
    {"Question", platform::MB_ICONQUESTION},
    {"Information", platform::MB_ICONASTERISK},
};

} // namespace

int ShowMsgBox(platform::MessageBox& boxes, platform::WindowHandle wnd, const std::string& text,
               std::uint8_t buttonsKind, std::uint8_t iconKind) {
    const std::uint32_t buttons =
        buttonsKind < std::size(kButtonFlags) ? kButtonFlags[buttonsKind] : platform::MB_OK;
    const IconRow icon = iconKind < std::size(kIcons) ? kIcons[iconKind] : IconRow{"", 0};
    return boxes.show(wnd, text, icon.caption, buttons | icon.flag);
}

int MsgQuestion(platform::MessageBox& boxes, platform::WindowHandle wnd, const std::string& text) {
    return ShowMsgBox(boxes, wnd, text, 1, 3);
}

} // namespace dm
