#include "inventory/WmiConnection.h"

namespace dm {

WmiConnection::WmiConnection(platform::WmiLocator* locator, std::string wmiNamespace)
    : Namespace(std::move(wmiNamespace)), locator_(locator) {}

void WmiConnection::Connect(bool force) {
    if (Connected && !force)
        return;
    if (locator_ == nullptr)
        throw platform::WmiError(platform::wbem::E_CLASS_NOT_REGISTERED, "Class not registered");
    services_ = locator_->ConnectServer(Host, Namespace, User, Password);
    Connected = true;
}

} // namespace dm
