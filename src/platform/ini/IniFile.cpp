// An INI file read afresh at every call and replaced whole at every write.
#include "platform/ini/IniFile.h"

#include "platform/files/AtomicFile.h"

namespace dm::platform {

IniDocument IniFile::load() const {
    const Result<FileContents> file = readWholeFile(path_);
    return file ? IniDocument(file->bytes) : IniDocument();
}

std::vector<std::string> IniFile::sectionNames() const {
    return load().sectionNames();
}

std::vector<std::string> IniFile::keyNames(std::string_view section) const {
    return load().keyNames(section);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback, std::size_t maxLength) const {
    std::string value = load().value(section, key).value_or(std::string(fallback));
    if (value.size() > maxLength)
        value.resize(maxLength);
    return value;
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    auto value = load().value(section, key);
    if (!value)
        return fallback;
    return parseIniInteger(*value).value_or(fallback);
}

Status IniFile::writeString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const Result<FileContents> file = readWholeFile(path_);
    if (!file && file.kind() != ErrorKind::NotFound)
        return file.failure();
    if (file && isReadOnlyFile(path_))
        return Failure::refused("the file is read-only: " + path_);
    IniDocument document(file ? std::string_view(file->bytes) : std::string_view());
    if (!document.setValue(section, key, value))
        return Failure{"an entry that cannot be stored in an INI file: [" + std::string(section) +
                       "] " + std::string(key)};
    if (auto written = writeFileAtomically(path_, document.text()); !written)
        return written.failure();
    return {};
}

Status IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return writeString(section, key, std::to_string(value));
}

} // namespace dm::platform
