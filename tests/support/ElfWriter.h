// A small ELF file with one named data section, for tests.
#pragma once

#include <string>

namespace dm::test {

// A small ELF file with section headers only: the null section, a section-name table and one
// data section with the given name and bytes.
std::string writeElf(bool is64, bool bigEndian, const std::string& sectionName,
                     const std::string& sectionBytes);

} // namespace dm::test
