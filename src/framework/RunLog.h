// The program's diagnostic log: its levels, its lines in memory and its file.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

namespace dm::platform {
class FileSystem;
class SystemInfo;
class Shell;
} // namespace dm::platform

namespace dm {

enum LogLevel : int {
    llVerbose = 0,
    llInfo = 1,
    llError = 2,
};

// The program's diagnostic log: lines in memory, newest first, written whole to FileName (8-bit
// text, CR LF after every line) by Save.
class RunLog {
public:
    struct Services {
        platform::FileSystem& files;
        platform::SystemInfo& system; // local time and the locale's time separator
        platform::Shell& shell;       // for Open
    };

    // Nothing is written here. With loadExisting, the lines of an existing file become the list
    // (a file that exists but cannot be read throws FileError).
    RunLog(Services services, std::string fileName, bool verbose, int maxLines, bool loadExisting);
    // Saves once more.
    ~RunLog();
    RunLog(const RunLog&) = delete;
    RunLog& operator=(const RunLog&) = delete;

    // Adds one line: level 0 only when verbose, levels above 2 as errors; keeps at most MaxLines
    // lines (one removed per call); a verbose log saves after every line.
    void Add(const std::string& msg, int level);
    // Writes the file when its folder exists and is no symbolic link; errors are swallowed.
    void Save();
    // Saves, then opens the file with its default program.
    void Open();

    std::int32_t ErrorCount() const { return errorCount_; }
    const std::deque<std::string>& Lines() const { return lines_; }
    const std::string& FileName() const { return fileName_; }
    int MaxLines() const { return maxLines_; }
    bool Verbose() const { return verbose_; }

private:
    std::string lineFor(const std::string& msg, int level) const;

    Services services_;
    std::int32_t errorCount_ = 0;
    std::deque<std::string> lines_;
    std::string fileName_;
    int maxLines_;
    bool verbose_;
};

// Adds through a log reference that may still be empty (before the log is made or after it is
// freed): then nothing happens.
void addToLog(RunLog* log, const std::string& msg, int level);

// "Verbose", "Info", "Error".
const std::string& logLevelName(int level);

} // namespace dm
