// The export file's bytes: slot sections, rows joined by a separator, spreadsheet quoting.
#include "app/ExportFile.h"

#include "platform/text/TextLines.h"

namespace dm {

namespace {

std::string field(const std::string& text, const std::string& separator, ExportQuoting quoting) {
    if (quoting == ExportQuoting::None || (text.find(separator) == std::string::npos &&
                                           text.find_first_of("\"\r\n") == std::string::npos))
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    return quoted + "\"";
}

} // namespace

std::string formatExport(const std::vector<ExportSection>& sections, const std::string& separator,
                         ExportQuoting quoting) {
    std::vector<std::string> lines;
    const auto line = [&](const std::string& content) { lines.push_back(content); };
    for (const ExportSection& section : sections) {
        if (section.Slot > 1)
            line("");
        line("[BANK " + std::to_string(section.Slot) + "]");
        for (const auto& row : section.Rows) {
            std::string content;
            for (std::size_t column = 0; column < row.size(); ++column)
                content += (column > 0 ? separator : std::string()) +
                           field(row[column], separator, quoting);
            line(content);
        }
        if (section.Rows.empty())
            line("Empty");
    }
    return platform::joinCrLf(lines);
}

} // namespace dm
