#include "update/net/HttpPresets.h"

#include "framework/SystemQueries.h"
#include "framework/TextUtils.h"

#include <QSslSocket>

namespace dm::update {

bool IsSslAvailable(platform::SystemInfo& System) {
    return !IsPreVistaOS(System) && QSslSocket::supportsSsl();
}

std::string GetSslVersionText(platform::SystemInfo& System) {
    if (!IsSslAvailable(System))
        return "Not Available";
    const std::string text = QSslSocket::sslLibraryVersionString().toStdString();
    return text.empty() ? "Not Available" : text;
}

std::string AdjustUrlScheme(platform::SystemInfo& System, const std::string& URL) {
    if (StartsText(URL, "https") && !IsSslAvailable(System))
        return "http" + URL.substr(5);
    return URL;
}

HttpClient& SetupHttpClient(HttpClient& Client) {
    Client.Agent = "Mozilla/5.0";
    Client.RequestVer = "1.1";
    Client.Accept = "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,*/*;q=0.8";
    Client.AcceptLanguage = "fr,fr-fr;q=0.8,en-us;q=0.5,en;q=0.3";
    Client.Timeout = 3;
    Client.ProxyAuth = httpAuthBasic;
    return Client;
}

} // namespace dm::update
