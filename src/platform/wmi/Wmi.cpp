// The property sets of WMI objects: enumeration in class order and lookup by name.
#include "platform/wmi/Wmi.h"

#include "platform/text/AsciiCase.h"

namespace dm::platform {

namespace {

class PropertyEnumerator : public WmiEnumerator<WmiProperty> {
public:
    PropertyEnumerator(std::shared_ptr<const std::vector<std::string>> names,
                       std::shared_ptr<const std::vector<Variant>> values)
        : names_(std::move(names)), values_(std::move(values)) {}

    WmiFetch Next(WmiProperty& item) override {
        if (next_ >= names_->size())
            return WmiFetch::End;
        item = {(*names_)[next_], (*values_)[next_]};
        ++next_;
        return WmiFetch::Item;
    }

private:
    std::shared_ptr<const std::vector<std::string>> names_;
    std::shared_ptr<const std::vector<Variant>> values_;
    std::size_t next_ = 0;
};

} // namespace

WmiPropertySet::WmiPropertySet(std::shared_ptr<const std::vector<std::string>> names,
                               std::vector<Variant> values)
    : names_(std::move(names)) {
    values.resize(names_->size());
    values_ = std::make_shared<const std::vector<Variant>>(std::move(values));
}

std::unique_ptr<WmiEnumerator<WmiProperty>> WmiPropertySet::NewEnum() const {
    return std::make_unique<PropertyEnumerator>(names_, values_);
}

WmiProperty WmiPropertySet::Item(std::string_view name) const {
    const std::optional<std::size_t> index = indexOf(name);
    if (!index)
        throw WmiError(wbem::E_NOT_FOUND, "Not found");
    return {(*names_)[*index], (*values_)[*index]};
}

std::optional<std::size_t> WmiPropertySet::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_->size(); ++i)
        if (sameNameIgnoringCase((*names_)[i], name))
            return i;
    return std::nullopt;
}

} // namespace dm::platform
