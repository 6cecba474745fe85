// The export file of the slot lists: its sections, its quoting and its bytes.
#pragma once

#include <string>
#include <vector>

namespace dm {

// One shown slot list: its slot number (1 to 4) and its rows, each row its columns' texts.
struct ExportSection {
    int Slot = 0;
    std::vector<std::vector<std::string>> Rows;
};

// How the export writes a field: as shown (the text form), or, for the spreadsheet form, between
// double quotes with its quotes doubled when it holds the separator, a quote or a line break, so
// that a spreadsheet reads it back as one cell.
enum class ExportQuoting { None, Spreadsheet };

// The export file's bytes: per section an empty line (slots 2 to 4), "[BANK <slot>]", then each
// row's columns joined by separator, or "Empty" for a list without rows. Every line ends in CR LF.
std::string formatExport(const std::vector<ExportSection>& sections, const std::string& separator,
                         ExportQuoting quoting = ExportQuoting::None);

} // namespace dm
