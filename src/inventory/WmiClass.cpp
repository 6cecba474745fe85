#include "inventory/WmiClass.h"

#include "framework/TextUtils.h"

#include <stdexcept>

namespace dm {

using platform::Variant;
using platform::WmiFetch;

WmiClass::WmiClass(platform::WmiLocator* locator, std::string Namespace, std::string wmiClass)
    : connection_(locator, std::move(Namespace)), wmiClass_(std::move(wmiClass)) {}

bool WmiClass::LoadInstances() {
    ClearRows();
    bool result = true;
    try {
        connection_.Connect(false);
        platform::WmiServices& services = connection_.Services();
        const std::unique_ptr<platform::WmiObjectSet> set =
            services.ExecQuery("SELECT * FROM " + wmiClass_, "WQL",
                               platform::wbemFlagReturnImmediately | platform::wbemFlagForwardOnly);
        const auto instances = set->NewEnum();
        classObject_ = services.Get(wmiClass_, 0, GetNullParam());

        platform::WmiObjectRef instance;
        while (instances->Next(instance) == WmiFetch::Item) {
            const platform::WmiPropertySet& properties = instance->Properties_();
            if (names_.empty()) {
                const auto names = properties.NewEnum();
                platform::WmiProperty property;
                while (names->Next(property) == WmiFetch::Item)
                    names_.push_back(property.Name);
            }
            DataWmiClass& row = rows_.emplace_back(names_.size());
            row.Holder = instance;
            for (std::size_t i = 0; i < names_.size(); ++i)
                row.Values[i] = properties.Item(names_[i]).Value;
            instance.reset();
        }
        if (!rows_.empty())
            SetCollectionIndex(0);
    } catch (const std::exception&) {
        result = false;
    }
    loaded_ = result;
    return result;
}

int WmiClass::GetCount() const {
    return loaded_ ? rowCount() : -1;
}

void WmiClass::ClearRows() {
    rows_.clear();
    currentIndex_ = -1;
}

int WmiClass::indexOfName(const std::string& name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (SameText(names_[i], name))
            return static_cast<int>(i);
    return -1;
}

Variant WmiClass::GetPropValue(const std::string& name) const {
    return GetPropValueAt(name, currentIndex_);
}

Variant WmiClass::GetPropValueAt(const std::string& name, int row) const {
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(row) + ")");
    const int index = indexOfName(name);
    return index < 0 ? Variant() : rows_[row].Values[index];
}

int WmiClass::FindInstance(const std::string& name, const Variant& value) const {
    if (!loaded_)
        return -1;
    for (int row = 0; row < rowCount(); ++row)
        if (GetPropValueAt(name, row) == value)
            return row;
    return -1;
}

} // namespace dm
