#include "http/server_control.h"

#include <memory>

#include "core/instance.h"
#include "http/request_handler.h"
#include "http/server.h"

namespace velmora::http {

namespace {
std::unique_ptr<Server>& TheServer() {
    static std::unique_ptr<Server> server;
    return server;
}
constexpr const char* kDefaultPort = "8000";
constexpr std::size_t kMaxPortText = 260;
}  // namespace

Server* RunningServer() { return TheServer().get(); }

void StartServer(Instance& plug) {
    StopServer(plug);
    std::string port = plug.platform.settings().readString(platform::kVelmoraKey, "HTTP Port").value_or(kDefaultPort);
    if (port.size() > kMaxPortText) {
        port.resize(kMaxPortText);
    }
    TheServer() = CreateServer(port, &HandleEvent, &plug);
    if (TheServer() && plug.debugLog != 0) {
        plug.DebugLog("Listening on port %s:%s [%p]", "(null)", port.c_str(), static_cast<void*>(TheServer().get()));
    }
}

void StopServer(Instance& plug) {
    if (!TheServer()) {
        return;
    }
    TheServer().reset();
    if (plug.debugLog != 0) {
        plug.DebugLog("Server closed");
    }
}

void PollFromIdle(Instance& plug) {
    if (plug.processState->httpApiEnabled != 0 && TheServer()) {
        PollServer(*TheServer(), 0);
    }
}

void ForgetInstance(Instance& plug) {
    Server* server = TheServer().get();
    if (server == nullptr || server->context != &plug) {
        return;
    }
    server->context = nullptr;
    for (Instance* other : Process().instanceList) {
        if (other != &plug) {
            server->context = other;
            return;
        }
    }
}

}  // namespace velmora::http
