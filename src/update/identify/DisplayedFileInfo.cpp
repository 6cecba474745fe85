#include "update/identify/Identify.h"

#include "framework/TextUtils.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/VersionInfoReader.h"

namespace dm::update {

// For now the name and company are the version resource's ProductName and CompanyName.
DisplayedFileInfo GetDisplayedFileInfo(IdentifyContext& context, const std::string& fileName) {
    const std::string path = MapToSysnative(context, fileName);
    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, path);
    DisplayedFileInfo info;
    info.Name = rec.ProductName;
    info.Company = rec.CompanyName;
    if (info.Name.empty() && !info.Company.empty())
        info.Name = ExtractFileNameNoExt(path);
    return info;
}

} // namespace dm::update
