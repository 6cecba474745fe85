// The engine's entry points: the displayed name and company, and the version, which rules also
// ask for other files through GetSoftwareVersion, guarded against asking for a file again.
#include "update/identify/Identify.h"

#include "framework/TextUtils.h"
#include "update/Version.h"
#include "update/identify/company/SoftwareCompany.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/VersionInfoReader.h"
#include "update/identify/name/SoftwareName.h"
#include "update/identify/version/FileVersionSpecial.h"

#include <algorithm>

namespace dm::update {

namespace {

// Rules ask for the version of other files, whose rules ask again: a file already being
// identified further up yields no version, and the nesting stops at this depth.
constexpr std::size_t kMaxIdentifyDepth = 8;

// Marks a file as being identified for as long as the guard lives.
class IdentifyingGuard {
public:
    IdentifyingGuard(std::vector<std::string>& files, std::string file) : files_(files) {
        files_.push_back(std::move(file));
    }
    ~IdentifyingGuard() { files_.pop_back(); }
    IdentifyingGuard(const IdentifyingGuard&) = delete;
    IdentifyingGuard& operator=(const IdentifyingGuard&) = delete;

private:
    std::vector<std::string>& files_;
};

} // namespace

bool canIdentify(IdentifyContext& context, const std::string& fileName) {
    const std::vector<std::string>& identifying = context.identifying;
    return identifying.size() < kMaxIdentifyDepth &&
           std::find(identifying.begin(), identifying.end(), MapToSysnative(context, fileName)) ==
               identifying.end();
}

std::string GetSoftwareVersion(IdentifyContext& context, std::string& fileName,
                               const std::string& productName, const std::string& companyName,
                               bool raw) {
    if (!canIdentify(context, fileName))
        return {};
    const IdentifyingGuard guard(context.identifying, MapToSysnative(context, fileName));
    std::string result = GetFileVersionSpecial(context, fileName, productName, companyName);
    if (!raw && IsValidVersionText(result))
        result = VigilVersion(result).ToText();
    return result;
}

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
