// The error report for an uncaught error: a message box with the text ended by a period.
#include "app/ErrorReport.h"

#include "platform/desktop/MessageBox.h"

namespace dm {

void showErrorReport(platform::MessageBox& messageBox, platform::WindowHandle owner,
                     const std::string& title, const std::string& text) {
    std::string message = text;
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    messageBox.show(owner, message, title, platform::MB_OK | platform::MB_ICONHAND);
}

} // namespace dm
