// Message boxes: their button and icon flags, the answers, and the interface that shows them.
#pragma once

#include "platform/desktop/WindowHandle.h"

#include <cstdint>
#include <string>

namespace dm::platform {

// MessageBox flags and results, valued as Windows values them.
enum MessageBoxFlag : std::uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONHAND = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
};

enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

// A modal system message box (MessageBoxA). Texts are 8-bit in the system's code page. Returns
// the identifier of the button pressed.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual int show(WindowHandle owner, const std::string& text, const std::string& caption,
                     std::uint32_t flags) = 0;
};

} // namespace dm::platform
