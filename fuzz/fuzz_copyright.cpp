// Arbitrary text through the copyright and company clean-ups: they end, and only remove.
#include "update/identify/facts/TextCleanup.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (dm::update::StripCopyrightPhrases(text).size() > text.size())
        __builtin_trap();
    if (dm::update::CleanCompanyText(text).size() > text.size())
        __builtin_trap();
    dm::update::ExtractTagText("name", dm::update::TextLines(text + "\n" + text));
    dm::update::LeadingNumberText(text);
    return 0;
}
