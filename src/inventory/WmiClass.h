#pragma once

#include "inventory/DataWmiClass.h"
#include "inventory/WmiConnection.h"

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
    // The value of property Name in the current row; Null for a name the class does not have.
    // Raises std::out_of_range when no row is current.
    platform::Variant GetPropValue(const std::string& name) const;
    // The same for row Row; raises std::out_of_range unless 0 <= Row < the number of rows.
    platform::Variant GetPropValueAt(const std::string& name, int row) const;
    // The empty optional argument of the services' Get.
    static platform::Variant GetNullParam() { return {}; }
    // The first row whose property Name equals Value; -1 when none does or nothing is loaded.
    int FindInstance(const std::string& name, const platform::Variant& value) const;
    // Selects row Index and copies it into the typed fields.
    virtual void SetCollectionIndex(int index) = 0;

    bool Loaded() const { return loaded_; }
    int CurrentIndex() const { return currentIndex_; }
    const std::vector<std::string>& Names() const { return names_; }
    const std::string& wmiClassName() const { return wmiClass_; }
    WmiConnection& Connection() { return connection_; }

protected:
    WmiClass(platform::WmiLocator* locator, std::string Namespace, std::string wmiClass);
    int rowCount() const { return static_cast<int>(rows_.size()); }
    void setCurrentIndex(int index) { currentIndex_ = index; }

private:
    int indexOfName(const std::string& name) const;

    WmiConnection connection_;
    std::string wmiClass_;
    platform::WmiObjectRef classObject_;
    bool loaded_ = false;
    std::vector<std::string> names_;
    std::vector<DataWmiClass> rows_;
    int currentIndex_ = -1;
};

} // namespace dm
