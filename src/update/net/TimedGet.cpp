#include "update/net/TimedGet.h"

#include "framework/RunLog.h"
#include "platform/system/SystemInfo.h"
#include "update/net/HttpPresets.h"

#include <utility>

namespace dm::update {

void TimedGet::start(HttpClient& client, const std::string& logName, const std::string& url,
                     std::string& body, HttpClient::RequestDoneEvent onDone) {
    body.clear();
    PrepareGetRequest(client, system_, log_, logName, url, body, std::move(onDone));
    startTick_ = system_.tickCount();
    // A refused start (the client is still busy) is dropped: no completion follows for it.
    (void)client.GetASync();
}

std::optional<std::uint32_t> TimedGet::completed(HttpRequest rqType, std::uint16_t errCode,
                                                 const std::string& failureLine) const {
    if (errCode != 0 || rqType != httpGET) {
        addToLog(log_, failureLine, llError);
        return std::nullopt;
    }
    return system_.tickCount() - startTick_;
}

} // namespace dm::update
