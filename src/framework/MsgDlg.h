// Modal message boxes chosen by buttons kind and icon kind, and the Yes/No question.
#pragma once

#include "platform/desktop/MessageBox.h"

#include <cstdint>
#include <string>

namespace dm {

// Shows a modal message box owned by wnd. buttonsKind: 0 OK, 1 Yes/No, 2 Yes/No/Cancel,
// 3 OK/Cancel, other OK. iconKind: 0 "Message", 1 "Warning", 2 "Error", 3 "Question",
// 4 "Information", other an empty caption; each with its icon. Returns the button's identifier
// (IDOK, IDCANCEL, IDYES, IDNO).
int ShowMsgBox(platform::MessageBox& boxes, platform::WindowHandle wnd, const std::string& text,
               std::uint8_t buttonsKind, std::uint8_t iconKind);

// A "Question" box with Yes and No: IDYES or IDNO.
int MsgQuestion(platform::MessageBox& boxes, platform::WindowHandle wnd, const std::string& text);

} // namespace dm
