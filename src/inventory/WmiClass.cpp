#include "inventory/WmiClass.h"

#include "framework/TextUtils.h"

#include <stdexcept>

namespace dm {

using platform::Variant;
using platform::WmiFetch;

WmiClass::WmiClass(platform::WmiLocator* Locator, std::string Namespace, std::string WmiClass)
    : Connection_(Locator, std::move(Namespace)), WmiClass_(std::move(WmiClass)) {}

bool WmiClass::LoadInstances() {
    ClearRows();
    bool result = true;
    try {
        Connection_.Connect(false);
        platform::WmiServices& services = Connection_.Services();
        const std::unique_ptr<platform::WmiObjectSet> set =
            services.ExecQuery("SELECT * FROM " + WmiClass_, "WQL",
                               platform::wbemFlagReturnImmediately | platform::wbemFlagForwardOnly);
        const auto instances = set->NewEnum();
        ClassObject_ = services.Get(WmiClass_, 0, GetNullParam());

        platform::WmiObjectRef instance;
        while (instances->Next(instance) == WmiFetch::Item) {
            const platform::WmiPropertySet& properties = instance->Properties_();
            if (Names_.empty()) {
                const auto names = properties.NewEnum();
                platform::WmiProperty property;
                while (names->Next(property) == WmiFetch::Item)
                    Names_.push_back(property.Name);
            }
            DataWmiClass& row = Rows_.emplace_back(Names_.size());
            row.Holder = instance;
            for (std::size_t i = 0; i < Names_.size(); ++i)
                row.Values[i] = properties.Item(Names_[i]).Value;
            instance.reset();
        }
        if (!Rows_.empty())
            SetCollectionIndex(0);
    } catch (const std::exception&) {
        result = false;
    }
    Loaded_ = result;
    return result;
}

int WmiClass::GetCount() const {
    return Loaded_ ? RowCount() : -1;
}

void WmiClass::ClearRows() {
    Rows_.clear();
    CurrentIndex_ = -1;
}

int WmiClass::IndexOfName(const std::string& Name) const {
    for (std::size_t i = 0; i < Names_.size(); ++i)
        if (SameText(Names_[i], Name))
            return static_cast<int>(i);
    return -1;
}

Variant WmiClass::GetPropValue(const std::string& Name) const {
    return GetPropValueAt(Name, CurrentIndex_);
}

Variant WmiClass::GetPropValueAt(const std::string& Name, int Row) const {
    if (Row < 0 || Row >= RowCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(Row) + ")");
    const int index = IndexOfName(Name);
    return index < 0 ? Variant() : Rows_[Row].Values[index];
}

int WmiClass::FindInstance(const std::string& Name, const Variant& Value) const {
    if (!Loaded_)
        return -1;
    for (int row = 0; row < RowCount(); ++row)
        if (GetPropValueAt(Name, row) == Value)
            return row;
    return -1;
}

} // namespace dm
