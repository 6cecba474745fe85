// The text format of registry hive files: parsing a hive and writing it back.
#pragma once

#include "platform/Result.h"
#include "platform/registry/HiveTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace dm::platform {

// The text format of registry hive files: the line "WINE REGISTRY Version 2", header lines, then
// one section per key, "[Software\\Maker\\Product] <time>", followed by "#" option lines and
// value lines such as "name"="text", "name"=str(2):"text", "name"=dword:0000000a,
// "name"=hex:01,02 or @=... for the default value. Text is escaped as C-like sequences; units
// outside printable ASCII are written as "\x" escapes, so the file itself is ASCII.

// The hive in text, or the reason (with the line number) why it does not parse. An empty text is
// an empty hive.
Result<Hive> parseHive(std::string_view text);

// The hive as text that parseHive reads back to the same tree.
std::string serializeHive(const Hive& hive);

} // namespace dm::platform
