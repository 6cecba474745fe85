// Every instance of one WMI class, read by one query, as rows of property values.
#pragma once

#include "inventory/DataWmiClass.h"
#include "inventory/WmiConnection.h"

#include <memory>
#include <string>
#include <vector>

namespace dm {

// Every instance of one WMI class, read by one query: each instance is a row of property values
// addressed by property name (ignoring letter case), and a typed subclass copies the current row
// into its fields. A failed load is never shown or logged: it only makes GetCount give -1.
class WmiClass {
public:
    virtual ~WmiClass() = default;
    WmiClass(const WmiClass&) = delete;
    WmiClass& operator=(const WmiClass&) = delete;

    // Reads every instance afresh; True on success. Any failure gives False and keeps the rows
    // read before it. Row 0, when there is one, is selected at the end.
    bool LoadInstances();
    // The number of rows after a successful load, else -1.
    int GetCount() const;
    // Drops every row; the typed fields keep their values.
    void ClearRows();
    // The value of property name in the current row; Null for a name the class does not have.
    // Raises std::out_of_range when no row is current.
    platform::Variant GetPropValue(const std::string& name) const;
    // The same for row `row`; raises std::out_of_range unless 0 <= row < the number of rows.
    platform::Variant GetPropValueAt(const std::string& name, int row) const;
    // The empty optional argument of the services' Get.
    static platform::Variant GetNullParam() { return {}; }
    // The first row whose property name equals value; -1 when none does or nothing is loaded.
    int FindInstance(const std::string& name, const platform::Variant& value) const;
    // Selects row index and copies it into the typed fields.
    virtual void SetCollectionIndex(int index) = 0;

    bool Loaded() const { return loaded_; }
    int CurrentIndex() const { return currentIndex_; }
    const std::vector<std::string>& Names() const { return names_; }

protected:
    // With a connection of its own to `wmiNamespace` through `locator`.
    WmiClass(platform::WmiLocator& locator, std::string wmiNamespace, std::string wmiClass);
    // Through a connection that the caller owns, shares between classes and keeps open at least
    // as long as this object.
    WmiClass(WmiConnection& connection, std::string wmiClass);
    int rowCount() const { return static_cast<int>(rows_.size()); }
    void setCurrentIndex(int index) { currentIndex_ = index; }
    // Counts the loads begun, so that what a subclass derives from the names is redone once per
    // load.
    int loadCount() const { return loadCount_; }
    // The column of property `name` in the rows, ignoring letter case; -1 when the class has none.
    // The search starts at column `from` and wraps around, so that names asked for in the class's
    // order are each found at the first column tried (a class's names differ even ignoring case).
    int indexOfName(const std::string& name, int from = 0) const;
    // The value in `column` of the current row; Null for column -1. A row must be current.
    const platform::Variant& currentValue(int column) const;

private:
    // The value in `column` of `row`, as currentValue.
    const platform::Variant& valueAt(int column, int row) const;

    std::unique_ptr<WmiConnection> ownConnection_;
    WmiConnection& connection_;
    std::string wmiClass_;
    platform::WmiObjectRef classObject_;
    bool loaded_ = false;
    std::vector<std::string> names_;
    std::vector<DataWmiClass> rows_;
    int currentIndex_ = -1;
    int loadCount_ = 0;
};

} // namespace dm
