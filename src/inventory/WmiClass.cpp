#include "inventory/WmiClass.h"

#include "framework/TextUtils.h"

#include <optional>
#include <stdexcept>

namespace dm {

using platform::Variant;
using platform::WmiFetch;

namespace {

const Variant kNull;

// The position of each name among the properties; nothing when one of them is missing.
std::optional<std::vector<std::size_t>> positionsOf(const std::vector<std::string>& names,
                                                    const platform::WmiPropertySet& properties) {
    std::vector<std::size_t> positions;
    positions.reserve(names.size());
    for (const std::string& name : names) {
        const std::optional<std::size_t> position = properties.indexOf(name);
        if (!position)
            return std::nullopt;
        positions.push_back(*position);
    }
    return positions;
}

} // namespace

WmiClass::WmiClass(platform::WmiLocator* locator, std::string Namespace, std::string wmiClass)
    : ownConnection_(std::make_unique<WmiConnection>(locator, std::move(Namespace))),
      connection_(*ownConnection_), wmiClass_(std::move(wmiClass)) {}

WmiClass::WmiClass(WmiConnection& connection, std::string wmiClass)
    : connection_(connection), wmiClass_(std::move(wmiClass)) {}

bool WmiClass::LoadInstances() {
    ClearRows();
    ++loadCount_;
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
        // The names' positions, found once for each layout of properties (once per load, as all
        // instances of a class share one); an instance lacking a name is read by name, which
        // fails at that name.
        const void* layout = nullptr;
        std::optional<std::vector<std::size_t>> positions;
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
            if (properties.layout() != layout) {
                layout = properties.layout();
                positions = positionsOf(names_, properties);
            }
            for (std::size_t i = 0; i < names_.size(); ++i)
                row.Values[i] = positions ? properties.valueAt((*positions)[i])
                                          : properties.Item(names_[i]).Value;
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
    return valueAt(indexOfName(name), row);
}

const Variant& WmiClass::currentValue(int column) const {
    return valueAt(column, currentIndex_);
}

const Variant& WmiClass::valueAt(int column, int row) const {
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(row) + ")");
    return column < 0 ? kNull : rows_[row].Values[column];
}

int WmiClass::FindInstance(const std::string& name, const Variant& value) const {
    if (!loaded_)
        return -1;
    const int column = indexOfName(name);
    for (int row = 0; row < rowCount(); ++row)
        if (valueAt(column, row) == value)
            return row;
    return -1;
}

} // namespace dm
