// Version searches for particular products: registry revisions, subfolder names, publishers.
#include "update/identify/uninstall/ProductSearches.h"

#include "framework/FileVersionText.h"
#include "framework/FolderWalks.h"
#include "framework/TextUtils.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "update/Version.h"
#include "update/identify/uninstall/UninstallSearches.h"
#include "update/identify/uninstall/UninstallWalk.h"

#include <vector>

namespace dm::update {

namespace {

// The version text built from the codec pack's registry revision; empty without one.
std::string versionFromRevision(IdentifyContext& context) {
    const auto key =
        context.registry.openKey(platform::RegistryRoot::LocalMachine, "SOFTWARE\\GNU\\ffdshow\\",
                                 platform::RegistryAccess::Read, uninstallView(context));
    // A revision that is no 32-bit number reads as absent.
    const auto revision = key ? key->readDword("revision") : platform::ReadResult<std::uint32_t>{};
    if (!revision.ok())
        return {};
    const auto r = static_cast<std::int32_t>(revision.value);
    std::string version = std::to_string(r);
    if (version != "0")
        version = (r > 4422 ? "1.2." : r > 3402 ? "1.1." : "1.0.") + version;
    return version;
}

} // namespace

std::string GetFfdshowVersion(IdentifyContext& context) {
    std::string v = FindUninstallVersion(context, "ffdshow", "");
    if (v.empty())
        v = versionFromRevision(context);
    const std::string library = platform::withTrailingDelimiter(
                                    context.files.specialFolder(platform::SpecialFolder::System)) +
                                "ff_vfw.dll";
    const VigilVersion file(GetFileVersionText(context.versions, library));
    const VigilVersion found(v);
    if (file.Release == found.Release && file.Minor > found.Minor)
        v = file.ToText();
    return v;
}

std::string GetHighestSubfolderVersion(IdentifyContext& context, const std::string& path) {
    std::string result;
    const std::string folder = platform::withTrailingDelimiter(platform::folderOfPath(path));
    std::vector<std::string> subFolders;
    ListSubFolders(context.files, context.system, folder, subFolders);
    for (const auto& subFolder : subFolders) {
        const std::string name = ExtractFileNameNoExt(subFolder);
        if (VigilVersion(name).IsNewerThan(VigilVersion(result)))
            result = name;
    }
    return result;
}

std::string GetUninstallVersionByPublisher(IdentifyContext& context) {
    std::string result;
    walkUninstallEntries(
        context, platform::RegistryRoot::CurrentUser, "", "DisplayName",
        [&](const platform::RegistryKey& entry, const std::string& displayName) {
            const auto publisher = entry.readString("Publisher");
            const auto version = entry.readString("DisplayVersion");
            if (publisher.ok() && version.ok() && SameText(publisher.value, "Yamicsoft") &&
                ContainsText("Manager", displayName) && ContainsText("Windows", displayName))
                result = StripVPrefix(version.value);
        });
    return result;
}

} // namespace dm::update
