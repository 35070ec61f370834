// The process's server follows the settings, is polled from every
// instance's idle call and outlives the instance that started it.
#include <gtest/gtest.h>

#include <sys/socket.h>

#include <filesystem>

#include "http/server.h"
#include "http/server_control.h"
#include "plugin/host_extension.h"
#include "platform/sockets.h"
#include "tests/support/plugin_fixture.h"

namespace velmora::test {
namespace {

class ServerControl : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::remove(platform::SettingsStore::currentUser().filePath()); }
    void TearDown() override { std::filesystem::remove(platform::SettingsStore::currentUser().filePath()); }
    static void EnableServer(const char* port) {
        const auto settings = platform::SettingsStore::currentUser();
        settings.writeDword(platform::kVelmoraKey, "HTTP API", 1);
        settings.writeString(platform::kVelmoraKey, "HTTP Port", port);
    }
};

TEST_F(ServerControl, OffUnlessTheSettingSaysOn) {
    RecordingHost host;
    auto plug = MakePlugin(host);
    EXPECT_EQ(http::RunningServer(), nullptr);
}

TEST_F(ServerControl, FirstInstanceStartsItAndTheLastStopsIt) {
    EnableServer("0");  // any free port
    RecordingHost host;
    auto first = MakePlugin(host, 1);
    ASSERT_NE(http::RunningServer(), nullptr);
    EXPECT_EQ(http::RunningServer()->context, static_cast<Instance*>(first.get()));
    auto second = MakePlugin(host, 2);
    first.reset();
    ASSERT_NE(http::RunningServer(), nullptr) << "a living instance keeps it";
    EXPECT_EQ(http::RunningServer()->context, static_cast<Instance*>(second.get())) << "the context moves to a living instance";

    // The idle call answers requests.
    const int port = http::ServerPort(*http::RunningServer());
    const platform::net::Socket s = platform::net::ConnectLoopback(port);
    std::size_t sent = 0;
    const std::string request = "GET /api/0/tab=0 HTTP/1.1\r\n\r\n";
    platform::net::Send(s, request.data(), request.size(), sent);
    std::string reply;
    for (int i = 0; i < 200 && reply.find("\n}\n") == std::string::npos; ++i) {
        http::PollFromIdle(*second);
        char buffer[8192];
        const ssize_t n = ::recv(s, buffer, sizeof(buffer), MSG_DONTWAIT);
        if (n > 0) {
            reply.append(buffer, static_cast<std::size_t>(n));
        }
    }
    platform::net::Close(s);
    EXPECT_EQ(reply.rfind("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n{", 0), 0U);
    EXPECT_EQ(second->tab, 0);

    second.reset();
    EXPECT_EQ(http::RunningServer(), nullptr);
}

// A host may sleep on the server's descriptor between idle calls: it must turn
// readable when a client has something for the idle call, and only then.
TEST_F(ServerControl, TheHostsWaitDescriptorShowsWorkForTheIdleCall) {
    const auto* extension = reinterpret_cast<const HostExtension*>(HostExtensionAddress());
    ASSERT_NE(extension->serverDescriptor, nullptr);
    int descriptor = 7;
    EXPECT_EQ(extension->serverDescriptor(&descriptor), 0) << "no server runs yet";
    EXPECT_EQ(descriptor, -1);

    EnableServer("0");
    RecordingHost host;
    auto plug = MakePlugin(host);
    ASSERT_EQ(extension->serverDescriptor(&descriptor), 1);
    ASSERT_GE(descriptor, 0);
    EXPECT_FALSE(platform::net::WaitReadable(descriptor, 20)) << "nothing to do yet";

    const platform::net::Socket s = platform::net::ConnectLoopback(http::ServerPort(*http::RunningServer()));
    const std::string request = "GET /api/0/tab=0 HTTP/1.1\r\n\r\n";
    std::size_t sent = 0;
    platform::net::Send(s, request.data(), request.size(), sent);
    EXPECT_TRUE(platform::net::WaitReadable(descriptor, 2000)) << "a client with a request is work";
    http::PollFromIdle(*plug);  // one idle call answers it
    EXPECT_EQ(plug->tab, 0);
    EXPECT_FALSE(platform::net::WaitReadable(descriptor, 20)) << "the answered client left nothing to do";
    std::string reply;
    bool closed = false;
    for (int i = 0; i < 50 && !closed && platform::net::WaitReadable(s, 100); ++i) {
        char buffer[8192];
        const ssize_t n = ::recv(s, buffer, sizeof(buffer), MSG_DONTWAIT);
        closed = n == 0;
        reply.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    platform::net::Close(s);
    EXPECT_TRUE(closed) << "the connection closes after the response";
    EXPECT_EQ(reply.rfind("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n{", 0), 0U);
    EXPECT_TRUE(reply.ends_with("\n\t]\n}\n")) << "the whole listing";

    plug.reset();
    EXPECT_EQ(extension->serverDescriptor(&descriptor), 0) << "the server stopped with the last instance";
}

TEST_F(ServerControl, APortThatCannotBeUsedLeavesNoServer) {
    EnableServer("not-a-port");
    RecordingHost host;
    auto plug = MakePlugin(host);
    EXPECT_EQ(http::RunningServer(), nullptr);
    http::PollFromIdle(*plug);  // polling nothing is harmless
}

}  // namespace
}  // namespace velmora::test
