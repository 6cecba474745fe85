#include "inventory/WmiConnection.h"

namespace dm {

WmiConnection::WmiConnection(platform::WmiLocator* Locator, std::string Namespace)
    : Namespace(std::move(Namespace)), Locator(Locator) {}

void WmiConnection::Connect(bool Force) {
    if (Connected && !Force)
        return;
    if (Locator == nullptr)
        throw platform::WmiError(platform::wbem::E_CLASS_NOT_REGISTERED, "Class not registered");
    Services_ = Locator->ConnectServer(Host, Namespace, User, Password);
    Connected = true;
}

} // namespace dm
