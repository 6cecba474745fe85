// The classes a namespace serves, and WMI on the local machine answering from them.
#pragma once

#include "platform/wmi/Wmi.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dm::platform {

// The classes one namespace serves: for each, its property names in enumeration order, its
// definition object and its instances.
class WmiRepository {
public:
    struct Class {
        std::string name;
        std::shared_ptr<const std::vector<std::string>> properties;
        WmiObjectRef definition;
        std::vector<WmiObjectRef> instances;
    };

    void addClass(std::string name, std::vector<std::string> propertyNames);
    // The values in the order of the class's property names; missing trailing values are Null.
    void addInstance(std::string_view className, std::vector<Variant> values);
    // The class of that name, ignoring letter case; nullptr when there is none.
    const Class* find(std::string_view className) const;

private:
    std::vector<Class> classes_;
};

// WMI on the local machine: "localhost" with the caller's own identity, namespace root\CIMV2,
// answering "SELECT * FROM <class>" in WQL and Get(<class>) from a repository. The source is asked
// for a fresh repository at every connection; when it has none, or raises WmiError to say why, the
// connection fails.
class LocalWmiLocator : public WmiLocator {
public:
    using RepositorySource = std::function<std::shared_ptr<const WmiRepository>()>;
    explicit LocalWmiLocator(RepositorySource source) : source_(std::move(source)) {}

    std::unique_ptr<WmiServices> ConnectServer(std::string_view host, std::string_view nameSpace,
                                               std::string_view user,
                                               std::string_view password) override;

private:
    RepositorySource source_;
};

} // namespace dm::platform
