// No exception leaves the plugin: every allocation of an operation the host
// calls is made to fail in turn, and the host must see a normal return, the
// instance must still work, and (under the asan preset) nothing may leak.
#include <gtest/gtest.h>

#include <sys/socket.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <new>
#include <string>

#include "http/server.h"
#include "http/server_control.h"
#include "platform/byte_stream.h"
#include "platform/settings_store.h"
#include "platform/sockets.h"
#include "tests/persistence/articulation_fixture.h"
#include "tests/support/import_fixture.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/state_writer.h"

// The replaced operators pair new with free(); GCC sees the pairing where it
// inlines them and cannot know they match.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
std::atomic<long> gAllocations{0};
std::atomic<long> gFailAt{0};  // 0: no allocation fails

bool FailThisAllocation() { return ++gAllocations == gFailAt.load(); }
}  // namespace

void* operator new(std::size_t n) {
    if (FailThisAllocation()) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(n == 0 ? 1 : n)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    return FailThisAllocation() ? nullptr : std::malloc(n == 0 ? 1 : n);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace velmora::test {
namespace {

// Counts the allocations `work` makes, or fails the Nth of them.
long CountAllocations(const std::function<void()>& work) {
    gFailAt = 0;
    const long before = gAllocations;
    work();
    return gAllocations - before;
}

void FailAllocation(long n, const std::function<void()>& work) {
    gAllocations = 0;
    gFailAt = n;
    work();
    gFailAt = 0;
}

// One operation of the sweep: what the host does, run against a fresh
// instance, and a check that a later, unhindered run of it works.
struct Operation {
    std::function<void(ZOLTVSTExprPlug&)> prepare;  // unhindered set-up before the host's call
    std::function<void(ZOLTVSTExprPlug&)> call;     // the host's call that allocations fail in
    std::function<void(ZOLTVSTExprPlug&)> expectWorked;
};

void Sweep(const char* what, const Operation& op, platform::Platform& platform = platform::defaultPlatform()) {
    long total = 0;
    {
        RecordingHost host;
        PluginPtr plug = MakePlugin(host, 1, platform);
        op.prepare(*plug);
        total = CountAllocations([&] { op.call(*plug); });
        op.expectWorked(*plug);
    }
    ASSERT_GT(total, 0) << what << " allocates nothing, so the sweep would prove nothing";
    std::printf("%s: failing each of %ld allocations in turn\n", what, total);
    for (long n = 1; n <= total; ++n) {
        SCOPED_TRACE(std::string(what) + ": allocation " + std::to_string(n) + " of " + std::to_string(total));
        RecordingHost host;
        PluginPtr plug = MakePlugin(host, 1, platform);
        op.prepare(*plug);
        EXPECT_NO_THROW(FailAllocation(n, [&] { op.call(*plug); }));
        // The instance stays usable: the same operation, unhindered, works.
        host.clearRecords();
        op.prepare(*plug);
        op.call(*plug);
        op.expectWorked(*plug);
        if (::testing::Test::HasFailure()) {
            return;  // one failing allocation is enough to show
        }
    }
}

std::vector<std::uint8_t> SmallState() {
    StateDescription state;
    StoredArticulation legato;
    // Texts longer than a short string's inline room, so each allocates.
    legato.name = "Legato with portamento";
    legato.note = 24;
    legato.keyNamePath = "/home/musician/key names/legato portamento.txt";
    legato.keyNames = {{5, "Five: a key name of some length"}};
    state.articulations = {legato, legato};
    state.pages = {"Strings and their many techniques"};
    state.controllers = {StoredController{}};
    state.options = DefaultVersion10Options();
    return WriteState(state);
}

TEST(AllocationFailure, StateRestore) {
    const std::vector<std::uint8_t> bytes = SmallState();
    std::unique_ptr<platform::MemoryStream> in;
    Sweep("state restore", {
        [&](ZOLTVSTExprPlug& p) {
            p.articulations.name[0] = "before";
            in = std::make_unique<platform::MemoryStream>(bytes);
        },
        [&](ZOLTVSTExprPlug& p) { p.SaveRestoreState(in.get(), 0); },
        [](ZOLTVSTExprPlug& p) { EXPECT_EQ(p.articulations.name[0], "Legato with portamento"); },
    });
}

TEST(AllocationFailure, ArticulationImport) {
    TempFolder folder;
    const std::string path = (folder.path() / "set.zoltartic").string();
    WriteFile(path, R"([{"name": "Pizzicato", "icon": 8, "note": 26, "notevel": 127, "prog": -1, "modw": -1, "modc": -1},
                        {"name": "Tremolo", "icon": 11, "note": 27, "notevel": 127, "prog": -1, "modw": -1, "modc": -1}])");
    Sweep("articulation import", {
        [](ZOLTVSTExprPlug& p) { p.articulations.name[1].clear(); },
        [&](ZOLTVSTExprPlug& p) { p.Dispatcher(plug::FPD_DroppedFile, 0, reinterpret_cast<std::intptr_t>(path.c_str())); },
        [](ZOLTVSTExprPlug& p) { EXPECT_EQ(p.articulations.name[1], "Tremolo"); },
    });
}

TEST(AllocationFailure, InstrumentImport) {
    ImportFolder folder;
    const std::string path = folder.file("strings.nki");
    WriteBytes(path, InstrumentFile(NumberedInstrument(2)));
    // The importer library is found below the build tree's installation root.
    TestPlatform root(VELMORA_TEST_ROOT_DIR);
    Sweep("instrument import", {
        [](ZOLTVSTExprPlug& p) { p.articulations.name[1].clear(); },
        [&](ZOLTVSTExprPlug& p) { p.Dispatcher(plug::FPD_DroppedFile, 0, reinterpret_cast<std::intptr_t>(path.c_str())); },
        [](ZOLTVSTExprPlug& p) { EXPECT_EQ(p.articulations.name[1], "A1"); },
    }, root);
}

// A request sent to the process's server is answered from the idle call.
class ServerRequest {
public:
    explicit ServerRequest(ZOLTVSTExprPlug& plug) {
        socket_ = platform::net::ConnectLoopback(http::ServerPort(*http::RunningServer()));
        const std::string request = "GET /api/0/articulations/0/name=Renamed HTTP/1.1\r\n\r\n";
        std::size_t sent = 0;
        platform::net::Send(socket_, request.data(), request.size(), sent);
        static_cast<void>(plug);
    }
    ~ServerRequest() { platform::net::Close(socket_); }
    ServerRequest(const ServerRequest&) = delete;
    ServerRequest& operator=(const ServerRequest&) = delete;

private:
    platform::net::Socket socket_;
};

TEST(AllocationFailure, HttpRequest) {
    const auto settings = platform::SettingsStore::currentUser();
    ASSERT_TRUE(settings.writeDword(platform::kVelmoraKey, "HTTP API", 1));
    ASSERT_TRUE(settings.writeString(platform::kVelmoraKey, "HTTP Port", "0"));
    std::unique_ptr<ServerRequest> request;
    Sweep("HTTP request", {
        [&](ZOLTVSTExprPlug& p) {
            ASSERT_NE(http::RunningServer(), nullptr);
            p.articulations.name[0] = "before";
            request = std::make_unique<ServerRequest>(p);
        },
        [](ZOLTVSTExprPlug& p) {
            for (int i = 0; i < 20; ++i) {
                p.Idle_Public();
            }
        },
        [&](ZOLTVSTExprPlug& p) {
            EXPECT_EQ(p.articulations.name[0], "Renamed");
            request.reset();
        },
    });
    request.reset();
    std::filesystem::remove(settings.filePath());
}

}  // namespace
}  // namespace velmora::test
