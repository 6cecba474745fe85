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

int ShowMsgBox(platform::MessageBox& Boxes, platform::WindowHandle Wnd, const std::string& Text,
               std::uint8_t ButtonsKind, std::uint8_t IconKind) {
    const std::uint32_t buttons =
        ButtonsKind < std::size(kButtonFlags) ? kButtonFlags[ButtonsKind] : platform::MB_OK;
    const IconRow icon = IconKind < std::size(kIcons) ? kIcons[IconKind] : IconRow{"", 0};
    return Boxes.show(Wnd, Text, icon.caption, buttons | icon.flag);
}

int MsgQuestion(platform::MessageBox& Boxes, platform::WindowHandle Wnd, const std::string& Text) {
    return ShowMsgBox(Boxes, Wnd, Text, 1, 3);
}

} // namespace dm
