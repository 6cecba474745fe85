#pragma once

#include "update/identify/IdentifyContext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reads of the files that rules look at beside an executable. Every read is bounded: a file
// larger than its bound reads as missing, so no rule loads an arbitrary amount into memory.
namespace dm::update {

inline constexpr std::uint64_t kMaxRuleTextFile = 16 * 1024 * 1024;
inline constexpr std::uint64_t kMaxScannedFile = 512 * 1024 * 1024;

// The whole file; nullopt when it cannot be read or is larger than limit.
std::optional<std::string> readRuleFile(IdentifyContext& context, const std::string& path,
                                        std::uint64_t limit = kMaxRuleTextFile);
// The file's lines (broken at CR LF, CR or LF); nullopt as for readRuleFile.
std::optional<std::vector<std::string>> readRuleLines(IdentifyContext& context,
                                                      const std::string& path);
// Whether the file's bytes hold text (byte for byte), scanned piece by piece; False when it cannot
// be read or is larger than kMaxScannedFile.
bool fileHoldsText(IdentifyContext& context, const std::string& path, const std::string& text);

} // namespace dm::update
