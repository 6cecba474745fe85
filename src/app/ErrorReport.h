// The application's error report for an error that no handler caught.
#pragma once

#include "platform/desktop/WindowHandle.h"

#include <string>

namespace dm::platform {
class MessageBox;
}

namespace dm {

// The application's error report for an error that no handler caught: a message box with the
// application title as caption, the error text (ended with a period) and one OK button.
void showErrorReport(platform::MessageBox& messageBox, platform::WindowHandle owner,
                     const std::string& title, const std::string& text);

} // namespace dm
