#pragma once

#include "platform/wmi/Variant.h"

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

// Copies every field of the table, in its order, from the record's current row.
template <typename Record>
void copyFields(Record& record, const std::vector<RecordField<Record>>& fields) {
    for (const RecordField<Record>& field : fields)
        field.copy(record, record.GetPropValue(field.property));
}

} // namespace dm
