// Prints what the identification engine tells about each file named on the command line, one
// tab-separated line per file: the file, whether it is a PE image and a 64-bit one, the eight
// version-information texts, the product name and company, and the version. Registry searches
// read the registry of DIMMETRIC_REGISTRY_DIR.
#include "framework/TextUtils.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/process/LinuxProcessRunner.h"
#include "platform/registry/FileRegistry.h"
#include "platform/system/LinuxSystemInfo.h"
#include "platform/text/Cp1252.h"
#include "update/identify/Identify.h"
#include "update/identify/IdentifyServices.h"
#include "update/identify/facts/ExecutableFacts.h"
#include "update/identify/facts/VersionInfoReader.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A field with no tab or line break inside, so that it stays one column of one line.
std::string oneColumn(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

// A text of the engine (code page 1252) as the output shows it: UTF-8, in one column.
std::string shown(const std::string& cp1252) {
    return oneColumn(dm::platform::cp1252ToUtf8(cp1252));
}

std::string describe(dm::update::IdentifyContext& context, const std::string& file) {
    using namespace dm::update;
    const auto header = ReadPEHeader(context, file);
    const FileVersionInfoRec rec = GetFileVersionInfoRec(context, file);
    const DisplayedFileInfo info = GetDisplayedFileInfo(context, file);
    std::string name = file;
    const std::string version = GetSoftwareVersion(context, name, "", "", false);
    const std::vector<std::string> fields = {
        dm::BoolToYesNo(header.has_value()),
        dm::BoolToYesNo(header && header->Is64),
        rec.FileDescription,
        rec.CompanyName,
        rec.FileVersion,
        rec.InternalName,
        rec.LegalCopyRight,
        rec.OriginalFileName,
        rec.ProductName,
        rec.ProductVersion,
        info.Name,
        info.Company,
        version,
    };
    // The file is printed with the bytes it was named by.
    std::string line = oneColumn(file);
    for (const auto& field : fields)
        line += "\t" + shown(field);
    return line + "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: dimmetric-identify FILE...\n", stderr);
        return 2;
    }
    dm::update::IdentifyServices<dm::platform::FileRegistry, dm::platform::LinuxFileSystem,
                                 dm::platform::LinuxSystemInfo>
        services(dm::platform::FileRegistry::defaultFolder());
    dm::platform::LinuxProcessRunner processes;
    services.context.processes = &processes;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string file = argv[i];
        if (!services.files.fileExists(file)) {
            std::fprintf(stderr, "dimmetric-identify: %s: no such file\n", file.c_str());
            status = 1;
        }
        const std::string line = describe(services.context, file);
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return status;
}
