// A message box for tests: records every box and answers from a script.
#pragma once

#include "platform/desktop/MessageBox.h"

#include <deque>
#include <vector>

namespace dm::platform {

// A message box for tests: records every box and answers from a script; with the script empty
// it answers the box's first button (IDOK, or IDYES for the Yes/No sets).
class FakeMessageBox : public MessageBox {
public:
    struct Shown {
        WindowHandle owner;
        std::string text;
        std::string caption;
        std::uint32_t flags;
    };

    int show(WindowHandle owner, const std::string& text, const std::string& caption,
             std::uint32_t flags) override {
        shown.push_back({owner, text, caption, flags});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        const auto buttons = flags & MB_TYPEMASK;
        return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
    }

    std::deque<int> answers;
    std::vector<Shown> shown;
};

} // namespace dm::platform
