// The vendor name of a module's Manufacturer text: names, JEDEC codes and placeholders.
#include "inventory/DecodeManufacturer.h"

#include "framework/TextUtils.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace dm {

namespace {

struct Vendor {
    std::array<const char*, 3> prefixes;
    std::array<const char*, 3> words;
    const char* name;
};

// Every row is tested and the last match decides, so a longer code stands after the shorter one
// it begins with.
const Vendor kVendors[] = {
    {{"01", "8001"}, {"AMD"}, "AMD"},
    {{"02", "8002"}, {"AMI"}, "AMI"},
    {{"04", "8004"}, {"Fujistu"}, "Fujitsu"},
    {{"0500", "7F7FFE", "02FE"}, {"Elpida"}, "Elpida"},
    {{"07", "8007"}, {"Hitachi"}, "Hitachi"},
    {{"08", "8008"}, {"Inmos"}, "Inmos"},
    {{"0B", "800B"}, {"Intersil"}, "Intersil"},
    {{"0D", "800D"}, {"Mostek"}, "Mostek"},
    {{"0E", "800E"}, {"Freescale", "Motorola"}, "Freescale (Motorola)"},
    {{"10", "8010"}, {"NEC"}, "NEC"},
    {{"13", "8013"}, {"Conexant", "Rockwell"}, "Conexant (Rockwell)"},
    {{"1315"}, {"Crucial"}, "Crucial"},
    {{"15", "8015"}, {"Philips", "Signetics", "NXP"}, "NXP (Philips Semi, Signetics)"},
    {{"16", "8016"}, {"Synertek"}, "Synertek"},
    {{"19", "8019"}, {"Xicor"}, "Xicor"},
    {{"1A", "801A"}, {"Zilog"}, "Zilog"},
    {{"1C", "801C"}, {"Mitsubishi"}, "Mitsubishi"},
    {{"2C", "802C"}, {"Micron Technology"}, "Micron Technology"},
    {{"40", "8040"}, {"ProMOS", "Mosel Vitelic"}, "ProMOS/Mosel Vitelic"},
    {{"6A", "806A"}, {"Goldenram"}, "Goldenram"},
    {{"7F7FB5"}, {"SpecTek"}, "SpecTek"},
    {{"83", "8083"}, {"Fairchild"}, "Fairchild"},
    {{"7F7F7F0B", "830B"}, {"Nanya"}, "Nanya Technology"},
    {{"85"}, {"GTE"}, "GTE"},
    {{"89", "8089"}, {"Numonyx", "Intel"}, "Numonyx (Intel)"},
    {{"91", "8091"}, {"DATARAM"}, "DATARAM"},
    {{"94", "0194"}, {"Smart Modular"}, "Smart Modular"},
    {{"98", "8098"}, {"Toshiba"}, "Toshiba"},
    {{"A4", "80A4"}, {"IBM"}, "IBM"},
    {{"AD", "80AD", "00AD"}, {"Hynix", "Hyundai"}, "Hynix (Hyundai)"},
    {{"C1", "80C1", "7F7F7F7F7F51"}, {"Infineon", "Siemens"}, "Infineon (Siemens)"},
    {{"CE", "80CE", "00CE"}, {"Samsung"}, "Samsung"},
    {{"DE", "80DE"}, {"Winbond"}, "Winbond Electronics"},
    {{"E0", "80E0"}, {"LG", "Goldstar"}, "LG (Goldstar)"},
    {{"7F45"}, {"Micron CMS"}, "Micron CMS"},
    {{"0198", "7F98"}, {"Kingston"}, "Kingston"},
    {{"7F7F7F7F43"}, {"Ramaxel"}, "Ramaxel Technology"},
    {{"06C1"}, {"ASint"}, "ASint"},
};

// A two-digit prefix stands for a one-byte maker code alone. Firmware also reports bank-coded
// codes: a bank-count byte (01 to 0F, or 81 to 8F with the parity bit) and then the maker's code
// in that bank, as in "859B" or "04CD". Their first byte is a bank count, not a maker, so the
// two-digit prefixes apply only to a text of hexadecimal digits (trailing blanks aside) that does
// not begin with a bank-count byte followed by a non-zero byte.
bool isOneByteCode(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return false;
    if (text.size() <= 2)
        return true;
    const int first = std::stoi(std::string(text.substr(0, 2)), nullptr, 16);
    const bool bankCount = (first >= 0x01 && first <= 0x0F) || (first >= 0x81 && first <= 0x8F);
    const int next = std::stoi(std::string(text.substr(2, 2)), nullptr, 16);
    return !bankCount || next == 0;
}

bool matches(const Vendor& vendor, const std::string& text, bool oneByteCode) {
    for (const char* prefix : vendor.prefixes)
        if (prefix != nullptr && (oneByteCode || std::string_view(prefix).size() != 2) &&
            StartsText(text, prefix))
            return true;
    for (const char* word : vendor.words)
        if (word != nullptr && ContainsText(word, text))
            return true;
    return false;
}

// Joins blank-separated byte pairs ("80 CE") and eight-field texts into one run. The fields are
// walked in one pass, so that a long text costs no more than its length.
std::string joinCodeGroups(std::string text) {
    const int fields = CountFields(text, " ");
    bool allPairs = true;
    std::size_t start = 0;
    while (fields > 0 && allPairs) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        allPairs = end - start == 2;
        if (end == text.size())
            break;
        start = end + 1;
    }
    if (fields == 8 || (allPairs && fields > 1))
        std::erase(text, ' ');
    return text;
}

} // namespace

std::string DecodeManufacturer(const std::string& raw) {
    const std::string text = joinCodeGroups(RemovePrefixText(raw, "JEDEC ID:"));
    const bool oneByteCode = isOneByteCode(text);
    std::string result = text;
    for (const Vendor& vendor : kVendors)
        if (matches(vendor, text, oneByteCode))
            result = vendor.name;
    if (StartsText(result, "Manufacturer"))
        result = "N/A";
    return result;
}

} // namespace dm
