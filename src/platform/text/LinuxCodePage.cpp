// Code page conversions on Linux through iconv, with replacement of undefined characters.
#include "platform/text/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace dm::platform {

namespace {

const auto kNoConverter = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));

void* openConverter(const std::string& to, const std::string& from) {
    return reinterpret_cast<void*>(iconv_open(to.c_str(), from.c_str()));
}

// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Writes out what a stateful code page holds back (a character a combining mark might still
// follow) and returns the converter to its initial state.
void flush(iconv_t cd, std::string& out) {
    char buffer[64];
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
}

// Runs the converter over in; on a sequence it can't convert, appends replacement and skips
// skip(first byte) input bytes.
template <typename Skip>
std::string convert(void* handle, std::string_view in, std::string_view replacement, Skip skip) {
    auto cd = reinterpret_cast<iconv_t>(handle);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(cd, &src, &left, &dst, &room);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (done != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        flush(cd, out);
        out.append(replacement);
        const std::size_t n = std::min(left, skip(static_cast<unsigned char>(*src)));
        src += n;
        left -= n;
    }
    flush(cd, out);
    return out;
}

} // namespace

CodePage::CodePage(std::string_view name)
    : decoder_(openConverter("UTF-8", std::string(name))),
      encoder_(openConverter(std::string(name), "UTF-8")) {}

CodePage::~CodePage() {
    if (decoder_ != kNoConverter)
        iconv_close(reinterpret_cast<iconv_t>(decoder_));
    if (encoder_ != kNoConverter)
        iconv_close(reinterpret_cast<iconv_t>(encoder_));
}

std::string CodePage::toUtf8(std::string_view bytes) {
    if (decoder_ == kNoConverter) {
        std::string out;
        for (const unsigned char c : bytes) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    }
    return convert(decoder_, bytes, "\xEF\xBF\xBD", [](unsigned char) { return std::size_t{1}; });
}

std::string CodePage::fromUtf8(std::string_view utf8) {
    if (encoder_ == kNoConverter) {
        std::string out;
        for (std::size_t i = 0; i < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            const std::size_t n = std::min(utf8.size() - i, sequenceLength(lead));
            if (n == 2 && lead < 0xC4)
                out += static_cast<char>(((lead & 0x1F) << 6) | (utf8[i + 1] & 0x3F));
            else
                out += n == 1 && lead < 0x80 ? static_cast<char>(lead) : '?';
            i += n;
        }
        return out;
    }
    return convert(encoder_, utf8, "?", sequenceLength);
}

} // namespace dm::platform
