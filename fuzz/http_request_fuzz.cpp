// Bytes a client sends, through request framing, parsing and the handler
// (API commands and static files), to the response. No sockets.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/instance.h"
#include "http/request_handler.h"
#include "http/server.h"
#include "tests/support/recording_host.h"

namespace {

struct World {
    velmora::test::RecordingHost host;
    velmora::Instance* plug = new velmora::Instance(&host, 1, nullptr);
    World() { velmora::Process().installFolder = "/nonexistent-velmora-fuzz"; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    world.host.clearRecords();
    velmora::http::Server server;
    server.handler = &velmora::http::HandleEvent;
    server.context = world.plug;
    server.requestSizeLimit = 1 << 16;
    velmora::http::Connection c;
    c.server = &server;
    // Split the input in two reads, as a second segment would arrive.
    const std::size_t half = size / 2;
    velmora::http::ReceiveBytes(server, c, reinterpret_cast<const char*>(data), half);
    velmora::http::ReceiveBytes(server, c, reinterpret_cast<const char*>(data) + half, size - half);
    // Put the instance back so one input cannot steer the next.
    world.plug->Session_SetDefaults();
    return 0;
}
