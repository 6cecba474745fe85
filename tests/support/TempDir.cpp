// A fresh temporary folder, removed with everything in it at the end of its scope.
#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace dm::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dimmetric-test-XXXXXX").string();
    if (char* made = mkdtemp(pattern.data()))
        path_ = made;
    else
        throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Read-only entries left by a test must not stop the clean-up.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& relative, const std::string& bytes) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return file.string();
}

std::string TempDir::read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace dm::test
