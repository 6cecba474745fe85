#include "update/identify/Identify.h"

#include "platform/version/VersionResources.h"
#include "update/Version.h"
#include "update/identify/ExecutableFacts.h"

namespace dm::update {

namespace {

// The file version of the version resource's fixed part; empty without one.
std::string fixedBlockVersion(IdentifyContext& context, std::string& fileName) {
    fileName = MapToSysnative(context, fileName);
    if (!fileExists(context, fileName))
        return {};
    const auto block = context.versions.read(fileName);
    const auto fixed = block ? block->queryFixed() : std::nullopt;
    if (!fixed)
        return {};
    return VigilVersion::CreateFromDwords(fixed->FileVersionMS, fixed->FileVersionLS).ToText();
}

} // namespace

// For now the version is the fixed part's file version.
std::string GetSoftwareVersion(IdentifyContext& context, std::string& fileName,
                               const std::string& /*productName*/,
                               const std::string& /*companyName*/, bool raw) {
    std::string result = fixedBlockVersion(context, fileName);
    if (!raw && IsValidVersionText(result))
        result = VigilVersion(result).ToText();
    return result;
}

} // namespace dm::update
