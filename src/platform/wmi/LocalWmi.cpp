// WMI on the local machine served from a repository: queries, classes and their instances.
#include "platform/wmi/LocalWmi.h"

#include "platform/text/AsciiCase.h"

namespace dm::platform {

namespace {

class InstanceSet : public WmiObjectSet {
public:
    explicit InstanceSet(std::vector<WmiObjectRef> instances) : instances_(std::move(instances)) {}

    std::unique_ptr<WmiEnumerator<WmiObjectRef>> NewEnum() override {
        struct Enumerator : WmiEnumerator<WmiObjectRef> {
            explicit Enumerator(const std::vector<WmiObjectRef>& all) : all(all) {}
            WmiFetch Next(WmiObjectRef& item) override {
                if (next >= all.size())
                    return WmiFetch::End;
                item = all[next++];
                return WmiFetch::Item;
            }
            std::vector<WmiObjectRef> all;
            std::size_t next = 0;
        };
        return std::make_unique<Enumerator>(instances_);
    }

private:
    std::vector<WmiObjectRef> instances_;
};

// Splits a query into its blank-separated words.
std::vector<std::string_view> queryWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
               text[i] != '\n')
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

class RepositoryServices : public WmiServices {
public:
    explicit RepositoryServices(std::shared_ptr<const WmiRepository> repository)
        : repository_(std::move(repository)) {}

    std::unique_ptr<WmiObjectSet> ExecQuery(std::string_view query, std::string_view language,
                                            int) override {
        if (!sameNameIgnoringCase(language, "WQL"))
            throw WmiError(wbem::E_INVALID_QUERY_TYPE, "Invalid query language");
        const std::vector<std::string_view> words = queryWords(query);
        if (words.size() != 4 || !sameNameIgnoringCase(words[0], "SELECT") || words[1] != "*" ||
            !sameNameIgnoringCase(words[2], "FROM"))
            throw WmiError(wbem::E_INVALID_QUERY, "Invalid query");
        return std::make_unique<InstanceSet>(classNamed(words[3], wbem::E_INVALID_CLASS).instances);
    }

    WmiObjectRef Get(std::string_view path, int, const Variant&) override {
        return classNamed(path, wbem::E_NOT_FOUND).definition;
    }

private:
    const WmiRepository::Class& classNamed(std::string_view name, std::uint32_t missing) const {
        const WmiRepository::Class* found = repository_->find(name);
        if (found == nullptr)
            throw WmiError(missing, "Invalid class");
        return *found;
    }

    std::shared_ptr<const WmiRepository> repository_;
};

} // namespace

void WmiRepository::addClass(std::string name, std::vector<std::string> propertyNames) {
    auto properties = std::make_shared<const std::vector<std::string>>(std::move(propertyNames));
    auto definition = std::make_shared<const WmiObject>(WmiPropertySet(properties, {}));
    classes_.push_back({std::move(name), std::move(properties), std::move(definition), {}});
}

void WmiRepository::addInstance(std::string_view className, std::vector<Variant> values) {
    for (Class& c : classes_)
        if (sameNameIgnoringCase(c.name, className)) {
            c.instances.push_back(
                std::make_shared<const WmiObject>(WmiPropertySet(c.properties, std::move(values))));
            return;
        }
    throw WmiError(wbem::E_INVALID_CLASS, "Invalid class");
}

const WmiRepository::Class* WmiRepository::find(std::string_view className) const {
    for (const Class& c : classes_)
        if (sameNameIgnoringCase(c.name, className))
            return &c;
    return nullptr;
}

std::unique_ptr<WmiServices> LocalWmiLocator::ConnectServer(std::string_view host,
                                                            std::string_view nameSpace,
                                                            std::string_view user,
                                                            std::string_view) {
    if (!sameNameIgnoringCase(host, "localhost"))
        throw WmiError(wbem::E_SERVER_UNAVAILABLE, "The RPC server is unavailable");
    if (!user.empty())
        throw WmiError(wbem::E_LOCAL_CREDENTIALS,
                       "User credentials cannot be used for local connections");
    if (!sameNameIgnoringCase(nameSpace, "root\\CIMV2"))
        throw WmiError(wbem::E_INVALID_NAMESPACE, "Invalid namespace");
    std::shared_ptr<const WmiRepository> repository = source_ ? source_() : nullptr;
    if (!repository)
        throw WmiError(wbem::E_FAILED, "No firmware tables to answer from");
    return std::make_unique<RepositoryServices>(std::move(repository));
}

} // namespace dm::platform
