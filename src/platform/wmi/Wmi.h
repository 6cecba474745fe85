// The WMI interfaces: locator, services, object sets, objects and their properties.
#pragma once

#include "platform/wmi/Variant.h"
#include "platform/wmi/WmiError.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// What an enumerator answers to a request for the next item: one item (S_OK), the end (S_FALSE),
// or a failure code.
enum class WmiFetch { Item, End, Failed };

template <class T> class WmiEnumerator {
public:
    virtual ~WmiEnumerator() = default;
    // Fetches one item into `item` when the answer is WmiFetch::Item.
    virtual WmiFetch Next(T& item) = 0;
};

struct WmiProperty {
    std::string Name;
    Variant Value;
};

// The Properties_ collection of one WMI object: enumerable in the class's property order and
// addressable by name, ignoring letter case.
class WmiPropertySet {
public:
    WmiPropertySet(std::shared_ptr<const std::vector<std::string>> names,
                   std::vector<Variant> values);

    std::unique_ptr<WmiEnumerator<WmiProperty>> NewEnum() const;
    // Raises WmiError (not found) for a name the class does not have.
    WmiProperty Item(std::string_view name) const;

    // The position of property `name` in the enumeration order, ignoring letter case; nothing for
    // a name the class does not have.
    std::optional<std::size_t> indexOf(std::string_view name) const;
    // The value at position `index` of the enumeration order.
    const Variant& valueAt(std::size_t index) const { return (*values_)[index]; }
    // The property names in enumeration order, one list shared by all objects of the class: sets
    // whose lists are the same object hold each property at the same position, so a reader finds
    // positions once for all of them.
    const std::vector<std::string>& names() const { return *names_; }

private:
    std::shared_ptr<const std::vector<std::string>> names_;
    std::shared_ptr<const std::vector<Variant>> values_;
};

// One WMI object: an instance of a class, or the class definition itself (all values Null).
class WmiObject {
public:
    explicit WmiObject(WmiPropertySet properties) : properties_(std::move(properties)) {}
    const WmiPropertySet& Properties_() const { return properties_; }

private:
    WmiPropertySet properties_;
};

using WmiObjectRef = std::shared_ptr<const WmiObject>;

// The result set of a query.
class WmiObjectSet {
public:
    virtual ~WmiObjectSet() = default;
    virtual std::unique_ptr<WmiEnumerator<WmiObjectRef>> NewEnum() = 0;
};

// Query flags of ExecQuery.
inline constexpr int wbemFlagReturnImmediately = 16;
inline constexpr int wbemFlagForwardOnly = 32;

// A connection to one namespace. Every call raises WmiError on failure.
class WmiServices {
public:
    virtual ~WmiServices() = default;
    virtual std::unique_ptr<WmiObjectSet> ExecQuery(std::string_view query,
                                                    std::string_view language, int flags) = 0;
    // The class definition object of the named class.
    virtual WmiObjectRef Get(std::string_view path, int flags, const Variant& context) = 0;
};

// The entry point of WMI: connects to a namespace on a host. Raises WmiError on failure.
class WmiLocator {
public:
    virtual ~WmiLocator() = default;
    virtual std::unique_ptr<WmiServices> ConnectServer(std::string_view host,
                                                       std::string_view nameSpace,
                                                       std::string_view user,
                                                       std::string_view password) = 0;
};

} // namespace dm::platform
