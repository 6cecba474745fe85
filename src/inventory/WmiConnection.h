// A connection to one WMI namespace on the local machine, with the caller's own identity.
#pragma once

#include "platform/wmi/Wmi.h"

#include <memory>
#include <string>

namespace dm {

// A connection to one WMI namespace on the local machine, with the caller's own identity.
class WmiConnection {
public:
    // `Locator` is the machine's WMI entry point.
    WmiConnection(platform::WmiLocator& locator, std::string wmiNamespace);

    // Connects unless already connected and force is False. Raises platform::WmiError on failure.
    void Connect(bool force);
    // The services of the last successful connection.
    platform::WmiServices& Services() const { return *services_; }

    std::string Host = "localhost";
    std::string User;
    std::string Password;
    std::string Namespace;
    bool Connected = false;

private:
    platform::WmiLocator& locator_;
    std::unique_ptr<platform::WmiServices> services_;
};

} // namespace dm
