// Record file reader on arbitrary bytes: every walk and read stays inside the file and the
// caller's buffers.
#include "localisation/format/Storefile.h"
#include "platform/fakes/InMemoryFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const std::string kSignature = "ZEL LANGUAGE FILE";

void walk(dm::Storefile& f, std::uint8_t seed) {
    std::string text;
    char small[3];
    int steps = 0;
    while (!f.Eof() && steps++ < 10000) {
        std::int32_t size = seed % 4;
        f.ReadData(small, size, false);
        std::string whole(static_cast<std::size_t>(f.DataSize()), '\0');
        size = -1;
        f.ReadData(whole.data(), size, false);
        std::int32_t value = 0;
        f.ReadInteger(value, false);
        f.DataSize();
        f.ReadString(text, true);
    }
    f.Last();
    while (f.Prior() && steps++ < 20000) {
    }
    const std::int32_t count = f.Count();
    for (std::int32_t index :
         {std::int32_t(seed), count > INT32_MIN ? count - 1 : count, count / 2, 0, -1}) {
        f.GoTo(index);
        f.ReadString(text, false);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (mode & 1)
        bytes.insert(0, kSignature);
    const std::string path = "/fuzz/records.spk";
    dm::platform::InMemoryFileSystem files;
    files.addFile(path, std::move(bytes));

    dm::Storefile f(files);
    f.setSignature(mode & 2 ? "" : kSignature);
    f.setFilename(path);
    f.setReadOnly((mode & 4) == 0);
    f.SetActive(true);
    walk(f, mode);
    if (!f.ReadOnly()) {
        f.Last();
        f.Next();
        f.WriteString(7, "appended");
        f.First();
        walk(f, mode);
    }
    f.SetActive(false);
    return 0;
}
