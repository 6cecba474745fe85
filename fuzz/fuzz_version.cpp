// Arbitrary text through the four-part version parser; its text form must read back the same.
#include "update/Version.h"
#include "update/identify/facts/ExecutableFacts.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const dm::update::VigilVersion v(text);
    const dm::update::VigilVersion again(v.ToText());
    if (again.GetMS() != v.GetMS() || again.GetLS() != v.GetLS() || again.IsValid() != v.IsValid())
        __builtin_trap();
    const auto words = dm::update::VigilVersion::CreateFromDwords(v.GetMS(), v.GetLS());
    if (v.IsNewerThanDwords(words.GetMS(), words.GetLS()))
        __builtin_trap();
    dm::update::IsValidVersionText(text);
    v.MSText();
    v.LSText();
    return 0;
}
