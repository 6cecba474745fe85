// The program's diagnostic log: lines kept newest first, saved whole, opened on request.
#include "framework/RunLog.h"

#include "framework/TextUtils.h"
#include "platform/Error.h"
#include "platform/desktop/Shell.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathText.h"
#include "platform/system/SystemInfo.h"
#include "platform/text/TextLines.h"

#include <array>
#include <cstdio>
#include <utility>

namespace dm {

namespace {

int clampLevel(int level) {
    return level < llVerbose ? llVerbose : (level > llError ? llError : level);
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

} // namespace

const std::string& logLevelName(int level) {
    static const std::array<std::string, 3> kNames = {"Verbose", "Info", "Error"};
    return kNames[static_cast<std::size_t>(clampLevel(level))];
}

RunLog::RunLog(Services services, std::string fileName, bool verbose, int maxLines,
               bool loadExisting)
    : services_(services), fileName_(std::move(fileName)), maxLines_(maxLines), verbose_(verbose) {
    if (!loadExisting)
        return;
    if (!services_.files.fileExists(fileName_))
        return;
    const auto text = services_.files.readFile(fileName_);
    if (!text)
        throw FileError("Cannot read the log file " + fileName_);
    const std::vector<std::string> lines = platform::textToLines(*text);
    lines_.assign(lines.begin(), lines.end());
}

RunLog::~RunLog() {
    Save();
}

std::string RunLog::lineFor(const std::string& msg, int level) const {
    const auto now = services_.system.localTime();
    const std::string colon = services_.system.timeSeparator();
    return logLevelName(level) + "\t[" + twoDigits(now.year) + "-" + twoDigits(now.month) + "-" +
           twoDigits(now.day) + " " + twoDigits(now.hour) + colon + twoDigits(now.minute) + colon +
           twoDigits(now.second) + "]\t" + msg;
}

void RunLog::Add(const std::string& msg, int requestedLevel) {
    if (requestedLevel <= llVerbose && !verbose_)
        return;
    const int level = clampLevel(requestedLevel);
    if (level == llError)
        ++errorCount_;
    lines_.push_front(lineFor(msg, level));
    if (static_cast<long long>(lines_.size()) > maxLines_)
        lines_.pop_back();
    if (verbose_)
        Save();
}

void RunLog::Save() {
    try {
        const std::string folder = platform::folderOfPath(fileName_);
        if (folder.empty())
            return;
        const auto entry = services_.files.attributes(folder);
        if (!entry || !(entry->attributes & platform::kFileAttributeDirectory))
            return;
        // Through the folder held open: a data folder that has become a link is not written.
        // A failed write is dropped, as the log never reports its own failures.
        (void)services_.files.writeFileInFolder(fileName_, platform::joinCrLf(lines_));
    } catch (...) {
        // A log that cannot be written must never disturb the program.
    }
}

void RunLog::Open() {
    Save();
    services_.shell.open(fileName_, {}, {nullptr, true, true});
}

void addToLog(RunLog* log, const std::string& msg, int level) {
    if (log)
        log->Add(msg, level);
}

} // namespace dm
