// A connection to one WMI namespace on the local machine.
#include "inventory/WmiConnection.h"

namespace dm {

WmiConnection::WmiConnection(platform::WmiLocator& locator, std::string wmiNamespace)
    : Namespace(std::move(wmiNamespace)), locator_(locator) {}

void WmiConnection::Connect(bool force) {
    if (Connected && !force)
        return;
    services_ = locator_.ConnectServer(Host, Namespace, User, Password);
    Connected = true;
}

} // namespace dm
