#include "update/identify/Identify.h"

#include "framework/TextUtils.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/SoftwareCompany.h"
#include "update/identify/SoftwareName.h"

namespace dm::update {

// The company rules receive the product name just found; a file with a company but no name is
// named after itself.
DisplayedFileInfo GetDisplayedFileInfo(IdentifyContext& context, const std::string& fileName) {
    const std::string path = MapToSysnative(context, fileName);
    DisplayedFileInfo info;
    info.Name = GetSoftwareName(context, path);
    info.Company = GetSoftwareCompany(context, path, info.Name);
    if (info.Name.empty() && !info.Company.empty())
        info.Name = ExtractFileNameNoExt(path);
    return info;
}

} // namespace dm::update
