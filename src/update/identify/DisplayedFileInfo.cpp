#include "update/identify/Identify.h"

#include "framework/TextUtils.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/SoftwareCompany.h"
#include "update/identify/SoftwareName.h"
#include "update/identify/VersionInfoReader.h"

namespace dm::update {

// The company rules receive the product name just found; a file with a company but no name is
// named after itself. Name and company start from the same version texts, read once.
DisplayedFileInfo GetDisplayedFileInfo(IdentifyContext& context, const std::string& fileName) {
    const std::string path = MapToSysnative(context, fileName);
    DisplayedFileInfo info;
    const FileVersionInfoRec vi = GetFileVersionInfoRec(context, MapToSysnative(context, path));
    info.Name = GetSoftwareName(context, path, vi);
    info.Company = GetSoftwareCompany(context, path, info.Name, vi);
    if (info.Name.empty() && !info.Company.empty())
        info.Name = ExtractFileNameNoExt(path);
    return info;
}

} // namespace dm::update
