// A fresh folder under the temporary folder, removed at the end of its scope.
#pragma once

#include <filesystem>
#include <string>

namespace dm::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end of
// its scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as text with a trailing "/".
    std::string dir() const { return path_.string() + "/"; }
    // Writes a file below the folder (creating its parent folders) and returns its full path.
    std::string write(const std::string& relative, const std::string& bytes) const;
    // Reads a whole file as bytes; empty when it cannot be read.
    static std::string read(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};

} // namespace dm::test
