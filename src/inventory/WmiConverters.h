// Null-safe conversions of WMI property values to numbers, texts, flags and dates.
#pragma once

#include "platform/wmi/Variant.h"

#include <cstdint>
#include <string>

namespace dm {

// A date and time as days since 30 December 1899, the fraction giving the time of day; 0 stands
// for a missing date.
using DateTime = double;

// Null-safe conversions of a WMI property value: Null gives the type's default; any other value
// takes the automation conversion and raises platform::VariantConversionError when it does not fit.
double VarToDoubleDef(const platform::Variant& value);
std::string VarToStrDef(const platform::Variant& value);
// Through a signed 32-bit integer, low 16 bits kept.
std::uint16_t VarToWordDef(const platform::Variant& value);
// Decimal text is parsed: WMI's scripting interface delivers 64-bit values as text.
std::int64_t VarToInt64Def(const platform::Variant& value);
// Through a 64-bit integer, low 32 bits kept, so that unsigned 32-bit values that arrive as
// negative signed ones come out right.
std::uint32_t VarToIntegerDef(const platform::Variant& value);
bool VarToBooleanDef(const platform::Variant& value);

// A CIM date-time ("yyyymmddHHMMSS.mmmmmmsUUU") to a DateTime, ignoring the fraction of the
// second and the offset; a text of 14 characters or fewer gives 0. Raises
// platform::VariantConversionError when a part is not a decimal number or the parts are no valid
// date and time.
DateTime WmiDateTimeToDateTime(const platform::Variant& value);

} // namespace dm
