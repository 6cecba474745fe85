// The eight texts of an executable's version resource, named after their keys.
#pragma once

#include <string>

namespace dm::update {

// The eight texts of an executable's version resource, each named after its key; 8-bit text in
// code page 1252. A key the resource lacks stays empty.
struct FileVersionInfoRec {
    std::string FileDescription;
    std::string CompanyName;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyRight;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;

    bool operator==(const FileVersionInfoRec&) const = default;
};

} // namespace dm::update
