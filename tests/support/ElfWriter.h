#pragma once

#include <string>

namespace dm::test {

// A small ELF file with section headers only: the null section, a section-name table and one
// data section with the given name and bytes.
std::string WriteElf(bool Is64, bool BigEndian, const std::string& SectionName,
                     const std::string& SectionBytes);

} // namespace dm::test
