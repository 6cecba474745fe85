#include "update/identify/Identify.h"

#include "update/Version.h"
#include "update/identify/ExecutableFacts.h"
#include "update/identify/FileVersionSpecial.h"
#include "update/identify/IdentifyContext.h"

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

} // namespace dm::update
