// A four-part software version: the one parser of dotted version texts.
#pragma once

#include <cstdint>
#include <string>

namespace dm::update {

// A four-part software version ("1.23.0.47"), also carried as the two 32-bit words of a file
// version: Major and Minor in the high and low 16 bits of the first, Release and Build in the
// second. The one parser of dotted version texts.
class VigilVersion {
public:
    VigilVersion() = default;
    explicit VigilVersion(const std::string& text) { SetFromText(text); }
    static VigilVersion CreateFromDwords(std::uint32_t ms, std::uint32_t ls);

    // Reads all four parts from text: missing parts are 0, the fourth part runs to the end of the
    // text, a part that is no integer is 0, a part above 65535 is 0 (negative parts stay).
    void SetFromText(const std::string& text);

    std::uint32_t GetMS() const;
    std::uint32_t GetLS() const;
    // "%d.%d.%d.%d"
    std::string ToText() const;
    // GetMS and GetLS as unsigned decimal digits.
    std::string MSText() const;
    std::string LSText() const;
    // The parts sum to more than 0.
    bool IsValid() const;
    // Strictly newer, comparing Major, Minor, Release, Build as signed numbers.
    bool IsNewerThan(const VigilVersion& other) const;
    // Strictly newer, comparing GetMS, then GetLS, as unsigned numbers.
    bool IsNewerThanDwords(std::uint32_t ms, std::uint32_t ls) const;

    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
    std::int32_t Build = 0;
};

} // namespace dm::update
