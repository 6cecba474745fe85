// The built-in language table and the languages the language file scan walks.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace dm {

// One row of the built-in language table: a Windows language identifier and its English name.
struct LanguageRow {
    std::uint16_t id;
    std::string_view name;
};

// All rows of the built-in table, in table order.
std::span<const LanguageRow> languageTable();

// The rows the language file scan walks, in order (the table without its first row).
std::span<const LanguageRow> scannedLanguages();

} // namespace dm
