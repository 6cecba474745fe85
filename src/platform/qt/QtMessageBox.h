// Message boxes as QMessageBox dialogs, modal to the owner when there is one.
#pragma once

#include "platform/desktop/MessageBox.h"

namespace dm::platform {

// Message boxes as QMessageBox dialogs, modal to the owner (a QWidget*) when there is one.
class QtMessageBox : public MessageBox {
public:
    int show(WindowHandle owner, const std::string& text, const std::string& caption,
             std::uint32_t flags) override;
};

} // namespace dm::platform
