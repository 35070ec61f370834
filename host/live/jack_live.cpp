#include "host/live/jack_live.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/transport.h>

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "host/live/instance_ports.h"
#include "host/live/live_host.h"
#include "host/live/output_queue.h"
#include "host/player.h"
#include "host/plugin_library.h"
#include "host/private_settings.h"
#include "platform/sockets.h"
#include "sdk/plug_constants.h"

namespace velmora::host::live {

namespace {

constexpr std::size_t kMaxInput = 4096;     // incoming messages per cycle
constexpr std::size_t kMaxOutput = 65536;   // outgoing messages per cycle: a stop can end every voice at once
constexpr int kPorts = 256;
// Messages a port's buffer had no room for wait here for the next cycles.
constexpr std::size_t kMaxBacklog = 65536;

std::atomic<bool> gStop{false};
extern "C" void OnLiveStopSignal(int) { gStop = true; }

// What the process callback works with; made before the client is activated.
struct LiveJack {
    jack_client_t* client = nullptr;
    jack_port_t* in = nullptr;
    std::array<std::atomic<jack_port_t*>, kPorts> out{};
    std::array<std::atomic<bool>, kPorts> wanted{};  // a message came for a port not registered yet
    LiveEngine* engine = nullptr;
    std::unique_ptr<LiveInput[]> input = std::make_unique<LiveInput[]>(kMaxInput);
    std::unique_ptr<LiveMessage[]> messages = std::make_unique<LiveMessage[]>(kMaxOutput);
    std::array<void*, kPorts> buffers{};
    OutputQueue queue{kMaxBacklog};
    std::atomic<std::uint64_t> late{0};
    std::atomic<std::uint64_t> sent{0};
    std::atomic<std::uint64_t> dropped{0};
    std::atomic<std::uint64_t> xruns{0};
    std::atomic<jack_time_t> worst{0};
    std::atomic<jack_time_t> worstRolling{0};  // cycles the transport rolled through
    std::atomic<bool> gone{false};
};

std::size_t MessageSize(std::uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

// Channel messages of "in", in frame order (JACK keeps them so); system
// messages mean nothing to the plugin and are left out.
std::size_t ReadInput(LiveJack& L, jack_nframes_t frames) {
    void* buffer = jack_port_get_buffer(L.in, frames);
    const jack_nframes_t count = jack_midi_get_event_count(buffer);
    std::size_t n = 0;
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0 || event.size > 3 ||
            (event.buffer[0] & 0x80) == 0 || event.buffer[0] >= 0xF0) {
            continue;
        }
        if (n == kMaxInput) {
            L.dropped.fetch_add(1, std::memory_order_relaxed);
            continue;
        }
        LiveInput& in = L.input[n++];
        in.frame = event.time;
        in.size = static_cast<std::uint8_t>(event.size);
        for (std::size_t b = 0; b < event.size; ++b) {
            in.bytes[b] = event.buffer[b];
        }
    }
    return n;
}

Written WriteMessage(LiveJack& L, const LiveMessage& m) {
    const std::size_t port = m.word >> 24;
    void* buffer = L.buffers[port];
    if (buffer == nullptr) {
        L.wanted[port].store(true, std::memory_order_relaxed);
        return Written::NoPort;
    }
    const std::size_t size = MessageSize(static_cast<std::uint8_t>(m.word));
    jack_midi_data_t* data = jack_midi_event_reserve(buffer, m.frame, size);
    if (data == nullptr) {
        return Written::NoRoom;
    }
    // Data bytes go as the plugin made them: MIDI Extend's channel bits included.
    for (std::size_t b = 0; b < size; ++b) {
        data[b] = static_cast<jack_midi_data_t>(m.word >> (8 * b));
    }
    return Written::Sent;
}

void WriteOutput(LiveJack& L, jack_nframes_t frames, std::size_t count) {
    for (int p = 0; p < kPorts; ++p) {
        jack_port_t* port = L.out[static_cast<std::size_t>(p)].load(std::memory_order_acquire);
        void* buffer = port != nullptr ? jack_port_get_buffer(port, frames) : nullptr;
        if (buffer != nullptr) {
            jack_midi_clear_buffer(buffer);
        }
        L.buffers[static_cast<std::size_t>(p)] = buffer;
    }
    const OutputCounts c = L.queue.flush(L.messages.get(), count, [&L](const LiveMessage& m) { return WriteMessage(L, m); });
    L.sent.fetch_add(c.sent, std::memory_order_relaxed);
    L.dropped.fetch_add(c.dropped, std::memory_order_relaxed);
    L.late.fetch_add(c.late, std::memory_order_relaxed);
}

extern "C" int OnProcess(jack_nframes_t frames, void* arg) {
    LiveJack& L = *static_cast<LiveJack*>(arg);
    const jack_time_t start = jack_get_time();
    jack_position_t position;
    const jack_transport_state_t state = jack_transport_query(L.client, &position);
    LiveTransport transport;
    transport.rolling = state == JackTransportRolling;
    transport.frame = position.frame;
    transport.bpm = (position.valid & JackPositionBBT) != 0 ? position.beats_per_minute : 0.0;
    const std::size_t in = ReadInput(L, frames);
    const std::size_t out = L.engine->process(frames, transport, L.input.get(), in, L.messages.get(), kMaxOutput);
    WriteOutput(L, frames, out);
    const jack_time_t took = jack_get_time() - start;
    if (took > L.worst.load(std::memory_order_relaxed)) {
        L.worst.store(took, std::memory_order_relaxed);
    }
    if (transport.rolling && took > L.worstRolling.load(std::memory_order_relaxed)) {
        L.worstRolling.store(took, std::memory_order_relaxed);
    }
    return 0;
}

extern "C" int OnXrun(void* arg) {
    static_cast<LiveJack*>(arg)->xruns.fetch_add(1);
    return 0;
}

extern "C" void OnShutdown(void* arg) { static_cast<LiveJack*>(arg)->gone = true; }

bool RegisterOutput(LiveJack& L, int port) {
    const std::string name = "port-" + std::to_string(port);
    jack_port_t* p = jack_port_register(L.client, name.c_str(), JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (p == nullptr) {
        return false;
    }
    L.out[static_cast<std::size_t>(port)].store(p, std::memory_order_release);
    return true;
}

// JACK prints its own lines about a missing server; the command says it in one.
extern "C" void Quiet(const char*) {}

struct ClientCloser {
    void operator()(jack_client_t* c) const { jack_client_close(c); }
};

}  // namespace

int RunLive(const LiveRun& run) {
    // The plugin reads its server switch and port from the user's settings;
    // the run gets a private copy saying what this command asked for.
    const PrivateSettings settings;
    if (!settings.setHttpApi(run.httpPort)) {
        std::fprintf(stderr, "velmora-host: cannot prepare the settings of this run\n");
        return 1;
    }
    if (!run.httpPort.empty()) {
        // The plugin says nothing when it cannot listen, so find out first.
        const platform::net::Socket trial = platform::net::Listen(run.httpPort, 1);
        if (trial == platform::net::kInvalidSocket) {
            std::fprintf(stderr, "velmora-host: cannot listen on port %s (in use, or not a port)\n", run.httpPort.c_str());
            return 1;
        }
        platform::net::Close(trial);
    }
    if (run.config.instance < 0 || static_cast<std::size_t>(run.config.instance) >= run.session.instances.size()) {
        std::fprintf(stderr, "velmora-host: the session has no instance %d\n", run.config.instance + 1);
        return 1;
    }
    PluginLibrary library(run.plugin);
    if (!library.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", library.error().c_str());
        return 1;
    }
    if (!run.verbose) {
        jack_set_error_function(Quiet);
        jack_set_info_function(Quiet);
    }
    jack_status_t status{};
    std::unique_ptr<jack_client_t, ClientCloser> client(jack_client_open("velmora", JackNoStartServer, &status));
    if (client == nullptr) {
        std::fprintf(stderr, "velmora-host: cannot reach the JACK server (is jackd running?)\n");
        return 1;
    }
    LiveHost host;
    host.verbose = run.verbose;
    SessionInstances instances(library, run.session, host);
    if (!instances.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", instances.error().c_str());
        return 1;
    }
    for (const std::string& w : instances.warnings) {
        std::fprintf(stderr, "velmora-host: %s\n", w.c_str());
    }
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        // Sent before the first cycle, these go out at its first frame.
        host.instance(static_cast<int>(i))->ProcessEvent(plug::FPE_Volume, run.volume, 0);
        host.instance(static_cast<int>(i))->ProcessEvent(plug::FPE_Pan, run.pan, 0);
    }
    std::string error;
    const HostExtension* extension = HostExtensionOf(host.instance(0), error);
    const std::vector<int> ports = extension != nullptr ? PortsOfListing(ListingOf(host, *extension), error) : std::vector<int>{};
    if (!error.empty()) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return 1;
    }

    LiveConfig config = run.config;
    config.sampleRate = jack_get_sample_rate(client.get());
    config.bpm = run.bpm.value_or(run.session.bpm);
    config.ppq = run.ppq.value_or(run.session.ppq);
    LiveEngine engine(host, config);
    auto L = std::make_unique<LiveJack>();
    L->client = client.get();
    L->engine = &engine;
    L->in = jack_port_register(L->client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    std::string outs;
    for (const int port : ports) {
        if (!RegisterOutput(*L, port)) {
            L->in = nullptr;
            break;
        }
        outs += (outs.empty() ? "" : ", ") + std::string(jack_get_client_name(L->client)) + ":port-" + std::to_string(port);
    }
    if (L->in == nullptr || jack_set_process_callback(L->client, OnProcess, L.get()) != 0 ||
        jack_set_xrun_callback(L->client, OnXrun, L.get()) != 0) {
        std::fprintf(stderr, "velmora-host: cannot make the JACK ports\n");
        return 1;
    }
    jack_on_shutdown(L->client, OnShutdown, L.get());
    gStop = false;
    std::signal(SIGINT, OnLiveStopSignal);
    std::signal(SIGTERM, OnLiveStopSignal);
    if (jack_activate(L->client) != 0) {
        std::fprintf(stderr, "velmora-host: cannot activate the JACK client\n");
        return 1;
    }
    const jack_nframes_t period = jack_get_buffer_size(L->client);
    std::printf("live: \"%s\" at %.0f Hz, %u frames per cycle; in: %s:in; out: %s\n", jack_get_client_name(L->client),
                config.sampleRate, static_cast<unsigned>(period), jack_get_client_name(L->client), outs.c_str());
    std::fflush(stdout);

    // The interface thread: idle calls (editor, HTTP API), the plugin's
    // debug lines, and ports that messages asked for.
    while (!gStop && !L->gone) {
        for (std::size_t i = 0; i < host.instanceCount(); ++i) {
            host.instance(static_cast<int>(i))->Idle_Public();
        }
        host.drainLines([](const char* line) { std::fprintf(stderr, "%s\n", line); });
        for (int p = 0; p < kPorts; ++p) {
            if (L->wanted[static_cast<std::size_t>(p)].exchange(false) && L->out[static_cast<std::size_t>(p)] == nullptr &&
                RegisterOutput(*L, p)) {
                std::printf("live: out: %s:port-%d\n", jack_get_client_name(L->client), p);
                std::fflush(stdout);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const bool gone = L->gone;
    if (!gone) {
        jack_deactivate(L->client);
    }
    const LiveCounts& c = engine.counts();
    const double periodUs = 1e6 * period / config.sampleRate;
    const double worstUs = static_cast<double>(L->worst.load());
    const double worstRollingUs = static_cast<double>(L->worstRolling.load());
    std::printf("stopped: cycles %llu, xruns %llu, notes %llu, messages %llu, dropped %llu, late %llu, worst cycle %.0f us of %.0f us (%.2f %%), while rolling %.0f us (%.2f %%)\n",
                static_cast<unsigned long long>(c.cycles), static_cast<unsigned long long>(L->xruns.load()),
                static_cast<unsigned long long>(c.notes), static_cast<unsigned long long>(L->sent.load()),
                static_cast<unsigned long long>(L->dropped.load() + host.dropped() + c.noVoice),
                static_cast<unsigned long long>(L->late.load()), worstUs, periodUs,
                100.0 * worstUs / periodUs, worstRollingUs, 100.0 * worstRollingUs / periodUs);
    std::fflush(stdout);
    host.killAllLiveVoices();
    if (gone) {
        std::fprintf(stderr, "velmora-host: the JACK server went away\n");
        return 1;
    }
    return 0;
}

}  // namespace velmora::host::live
