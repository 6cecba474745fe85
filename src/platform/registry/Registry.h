// The registry: roots, views, access, keys and their typed values.
#pragma once

#include "platform/Result.h"
#include "platform/registry/RegistryValue.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

enum class RegistryRoot {
    CurrentUser,  // HKEY_CURRENT_USER
    LocalMachine, // HKEY_LOCAL_MACHINE
};

// Which view of HKEY_LOCAL_MACHINE\SOFTWARE a key is opened in. The program is a native 64-bit
// process, so the default view is the 64-bit one; the 32-bit view (KEY_WOW64_32KEY) of
// HKEY_LOCAL_MACHINE\SOFTWARE is its "Wow6432Node" subkey. HKEY_CURRENT_USER is shared.
enum class RegistryView {
    Default,
    Bits32, // KEY_WOW64_32KEY
    Bits64, // KEY_WOW64_64KEY
};

enum class RegistryAccess {
    Read, // KEY_READ: writes through the key fail
    Full, // KEY_ALL_ACCESS
};

enum class ReadStatus {
    Ok,
    Missing,   // no such value (or the key is gone)
    WrongType, // the value exists with another type
};

template <class T> struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    T value{};
    bool ok() const { return status == ReadStatus::Ok; }
};

// An open registry key. Names of values are matched without regard to ASCII case; the empty name
// is the key's default value. Failures are results, never exceptions. A key handle must not
// outlive the Registry that opened it; handles are for one thread.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Value and subkey names in the order they were created (the hive file's order).
    virtual std::vector<std::string> valueNames() const = 0;
    virtual std::vector<std::string> subKeyNames() const = 0;
    virtual bool hasValue(std::string_view name) const = 0;
    virtual std::optional<RegistryValue> readValue(std::string_view name) const = 0;
    // Fails, saying why, when the key was opened read-only, is gone, or the change cannot be
    // stored.
    virtual Status writeValue(std::string_view name, const RegistryValue& value) = 0;
    // Succeeds when the value is gone afterwards (a missing value is no error); fails on a
    // read-only key or a failed store.
    virtual Status deleteValue(std::string_view name) = 0;

    // The type of a value; nullopt when it is missing.
    std::optional<RegType> valueType(std::string_view name) const;
    // REG_SZ or REG_EXPAND_SZ (not expanded); anything else is WrongType.
    ReadResult<std::string> readString(std::string_view name) const;
    // REG_DWORD holding four bytes; anything else is WrongType.
    ReadResult<std::uint32_t> readDword(std::string_view name) const;
    Status writeString(std::string_view name, std::string_view text);
    Status writeExpandString(std::string_view name, std::string_view text);
    Status writeDword(std::string_view name, std::uint32_t value);
};

// The key that RegOpenKeyEx or RegCreateKeyEx opened, used like its unique_ptr; or no key, and
// error() says why (such as a damaged hive, or "the key does not exist").
using KeyResult = Result<std::unique_ptr<RegistryKey>>;

// A key's path under its root, as the registry's calls take them.
struct RegistryKeyPath {
    RegistryRoot root;
    std::string path;
};

// The registry: keys under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE. Key paths use "\" between
// names; empty names (leading, trailing or doubled "\") are ignored, so "" is the root itself.
// Key names are matched without regard to ASCII case and keep the case they were created with.
class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyEx: the key when it exists and can be read; otherwise no key and why.
    virtual KeyResult openKey(RegistryRoot root, std::string_view path, RegistryAccess access,
                              RegistryView view = RegistryView::Default) = 0;
    // RegCreateKeyEx: opens the key, creating it and any missing parents; no key on failure
    // (such as a hive that cannot be read or written) and why.
    virtual KeyResult createKey(RegistryRoot root, std::string_view path, RegistryAccess access,
                                RegistryView view = RegistryView::Default) = 0;
    // RegDeleteTree plus the key itself: succeeds when the key is gone afterwards (a missing key
    // is no error). The root itself cannot be deleted.
    virtual Status deleteKey(RegistryRoot root, std::string_view path,
                             RegistryView view = RegistryView::Default) = 0;

    // Removes each hive of the registry's own storage (its file and its lock, under that lock)
    // that now holds no value and no key but those on ownKeys (each with the keys above it) as
    // opening them for writing leaves them, empty: it carries nothing anyone could lose, whichever
    // run made it. A hive with any value or any other key (another program's, an uninstall entry
    // that is a key alone) stays, and so does every file outside the registry's folder. Then the
    // folder goes when it is empty, with the folders above it that this run made. A registry
    // without such storage does nothing.
    virtual void removeEmptyStorage(const std::vector<RegistryKeyPath>& /*ownKeys*/) {}

    bool keyExists(RegistryRoot root, std::string_view path,
                   RegistryView view = RegistryView::Default);
};

} // namespace dm::platform
