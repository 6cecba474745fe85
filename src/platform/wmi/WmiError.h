// The result codes WMI fails with, and the error a failed WMI call raises.
#pragma once

#include "platform/Error.h"

#include <cstdint>
#include <string>

namespace dm::platform {

// The result codes WMI fails with (HRESULT values).
namespace wbem {
inline constexpr std::uint32_t E_FAILED = 0x80041001;
inline constexpr std::uint32_t E_NOT_FOUND = 0x80041002;
inline constexpr std::uint32_t E_INVALID_NAMESPACE = 0x8004100E;
inline constexpr std::uint32_t E_INVALID_CLASS = 0x80041010;
inline constexpr std::uint32_t E_INVALID_QUERY = 0x80041017;
inline constexpr std::uint32_t E_INVALID_QUERY_TYPE = 0x80041018;
inline constexpr std::uint32_t E_LOCAL_CREDENTIALS = 0x80041064;
inline constexpr std::uint32_t E_SERVER_UNAVAILABLE = 0x800706BA; // the RPC server is unavailable
inline constexpr std::uint32_t E_CLASS_NOT_REGISTERED = 0x80040154;
} // namespace wbem

// A failed WMI call, as the automation layer raises it.
class WmiError : public Error {
public:
    WmiError(std::uint32_t code, const std::string& message) : Error(message), code_(code) {}
    std::uint32_t code() const { return code_; }

private:
    std::uint32_t code_;
};

} // namespace dm::platform
