// The table of locale names and their language identifiers.
#include "platform/system/LocaleLanguageId.h"

#include <string_view>

namespace dm::platform {

namespace {

struct LocaleRow {
    std::string_view name; // language_TERRITORY, or the language alone for its primary form
    std::uint16_t id;
};

constexpr LocaleRow kLocales[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en", 0x0409},    {"fr_FR", 0x040C}, {"fr_BE", 0x080C},
    {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr", 0x040C},    {"de_DE", 0x0407}, {"de_CH", 0x0807},
    {"de_AT", 0x0C07}, {"de", 0x0407},    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es", 0x0C0A},
    {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"it", 0x0410},    {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"pt", 0x0816},    {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"nl", 0x0413},    {"ru", 0x0419},
    {"uk", 0x0422},    {"be", 0x0423},    {"bg", 0x0402},    {"pl", 0x0415},    {"cs", 0x0405},
    {"sk", 0x041B},    {"sl", 0x0424},    {"hr", 0x041A},    {"sr", 0x0C1A},    {"hu", 0x040E},
    {"ro", 0x0418},    {"el", 0x0408},    {"tr", 0x041F},    {"sv", 0x041D},    {"da", 0x0406},
    {"nb", 0x0414},    {"nn", 0x0814},    {"no", 0x0414},    {"fi", 0x040B},    {"et", 0x0425},
    {"lv", 0x0426},    {"lt", 0x0427},    {"ca", 0x0403},    {"eu", 0x042D},    {"gl", 0x0456},
    {"he", 0x040D},    {"ar", 0x0401},    {"fa", 0x0429},    {"hi", 0x0439},    {"th", 0x041E},
    {"vi", 0x042A},    {"id", 0x0421},    {"ms", 0x043E},    {"ja", 0x0411},    {"ko", 0x0412},
    {"zh_CN", 0x0804}, {"zh_SG", 0x1004}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh", 0x0804},
};

std::uint16_t lookUp(std::string_view name) {
    for (const auto& row : kLocales)
        if (row.name == name)
            return row.id;
    return 0;
}

} // namespace

std::uint16_t languageIdFromLocale(const std::string& locale) {
    std::string_view name = locale;
    name = name.substr(0, name.find_first_of(".@"));
    if (const auto id = lookUp(name))
        return id;
    if (const auto id = lookUp(name.substr(0, name.find('_'))))
        return id;
    return 0x0409;
}

} // namespace dm::platform
