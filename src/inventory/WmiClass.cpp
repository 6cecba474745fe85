// Every instance of one WMI class read by one query, as rows of values addressed by name.
#include "inventory/WmiClass.h"

#include "framework/TextUtils.h"

#include <numeric>
#include <optional>
#include <stdexcept>

namespace dm {

using platform::Variant;
using platform::WmiFetch;

namespace {

const Variant kNull;

// The position of each name among the properties; nothing when one of them is missing. Names
// enumerated from a set of this layout are at their own positions (a class's property names
// differ even ignoring case), so they are not looked for.
std::optional<std::vector<std::size_t>> positionsOf(const std::vector<std::string>& names,
                                                    const platform::WmiPropertySet& properties) {
    std::vector<std::size_t> positions(names.size());
    if (names == properties.names()) {
        std::iota(positions.begin(), positions.end(), 0);
        return positions;
    }
    positions.clear();
    for (const std::string& name : names) {
        const std::optional<std::size_t> position = properties.indexOf(name);
        if (!position)
            return std::nullopt;
        positions.push_back(*position);
    }
    return positions;
}

} // namespace

WmiClass::WmiClass(platform::WmiLocator& locator, std::string wmiNamespace, std::string wmiClass)
    : ownConnection_(std::make_unique<WmiConnection>(locator, std::move(wmiNamespace))),
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
        const std::vector<std::string>* layout = nullptr;
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
            if (&properties.names() != layout) {
                layout = &properties.names();
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

int WmiClass::indexOfName(const std::string& name, int from) const {
    const int count = static_cast<int>(names_.size());
    for (int i = 0; i < count; ++i) {
        const int column = (from + i) % count;
        if (SameText(names_[column], name))
            return column;
    }
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
