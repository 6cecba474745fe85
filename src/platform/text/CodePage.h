// Converts 8-bit text of one code page to and from UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace dm::platform {

// Converts 8-bit text of one code page to and from UTF-8. Bytes the code page doesn't define
// decode to U+FFFD; characters it can't hold encode as "?". A code page the system doesn't know
// is taken as Latin-1.
class CodePage {
public:
    explicit CodePage(std::string_view name);
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    std::string toUtf8(std::string_view bytes);
    std::string fromUtf8(std::string_view utf8);

private:
    void* decoder_;
    void* encoder_;
};

} // namespace dm::platform
