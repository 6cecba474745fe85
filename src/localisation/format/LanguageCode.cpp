// Language codes as hexadecimal text, language file paths and the template switch.
#include "localisation/format/LanguageCode.h"

#include "platform/text/AsciiCase.h"

namespace dm {

std::string upperHex(std::uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

std::string languageFilePath(const std::string& folder, const std::string& prefix,
                             std::int32_t code) {
    return folder + prefix + upperHex(static_cast<std::uint32_t>(code), 8) + ".SPK";
}

bool isTemplateSwitch(std::string parameter) {
    parameter = platform::lowerCaseText(parameter);
    if (const auto slash = parameter.find('/'); slash != std::string::npos)
        parameter[slash] = '-';
    return parameter.starts_with("-co");
}

} // namespace dm
