// The vendor name of a module's Manufacturer text, given as a name or as a JEDEC code.
#pragma once

#include <string>

namespace dm {

// The vendor name of a module's Manufacturer text, which firmware gives either as a name or as a
// JEDEC manufacturer code in hexadecimal (optionally after "JEDEC ID:", possibly as blank-separated
// byte pairs); the normalised text when no vendor is recognised; "N/A" for a "Manufacturer..."
// placeholder.
std::string DecodeManufacturer(const std::string& raw);

} // namespace dm
