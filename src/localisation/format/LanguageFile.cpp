#include "localisation/format/LanguageFile.h"

namespace dm {

std::string VersionIntToText(std::uint32_t v) {
    return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 255) + "." +
           std::to_string((v >> 10) & 63) + "." + std::to_string(v & 1023);
}

} // namespace dm
