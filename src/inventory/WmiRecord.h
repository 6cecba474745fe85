// A typed record of a WMI class: its field table and the copy of a row into its fields.
#pragma once

#include "inventory/WmiClass.h"
#include "platform/wmi/Variant.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace dm {

// One row of a record's field table: the WMI property and how its value lands in the field.
template <typename Record> struct RecordField {
    std::string property;
    std::function<void(Record&, const platform::Variant&)> copy;
};

// The row that copies property into member through convert (one of the WmiConverters).
template <typename Record, typename Field, typename Convert>
RecordField<Record> recordField(std::string property, Field Record::*member, Convert convert) {
    return {std::move(property), [member, convert](Record& record, const platform::Variant& value) {
                record.*member = convert(value);
            }};
}

// A typed record of a WMI class: Record names its field table (Record::fields(), one row per
// field in the record's order), and selecting a row copies every field of the table from it. The
// fields' columns are found by name once per load and read by position for every row.
template <typename Record> class WmiRecord : public WmiClass {
public:
    // Copies row index into the fields; an index out of range or already current changes nothing.
    void SetCollectionIndex(int index) final {
        if (index < 0 || index > rowCount() - 1 || index == CurrentIndex())
            return;
        setCurrentIndex(index);
        const std::vector<RecordField<Record>>& fields = Record::fields();
        if (columnsLoad_ != loadCount()) {
            columns_.clear();
            int next = 0;
            for (const RecordField<Record>& field : fields) {
                const int column = indexOfName(field.property, next);
                columns_.push_back(column);
                if (column >= 0)
                    next = column + 1;
            }
            columnsLoad_ = loadCount();
        }
        for (std::size_t i = 0; i < fields.size(); ++i)
            fields[i].copy(static_cast<Record&>(*this), currentValue(columns_[i]));
    }

protected:
    using WmiClass::WmiClass;

private:
    std::vector<int> columns_;
    int columnsLoad_ = -1;
};

} // namespace dm
