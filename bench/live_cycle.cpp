// The live host's process cycle through the plugin library: 256-frame cycles
// at 44.1 kHz with notes coming in at a thousand a second (each with a bank
// change, a quarter of them with a pitch bend), over 0 and 20,000 notes held
// in the pool. Prints each cycle's time as the median, the 99th percentile
// and the worst, and the worst as a fraction of the cycle's 5.8 ms; then the
// time of the cycle in which the transport stops and every voice ends. Runs on
// an ordinary thread: a preempted cycle counts against the worst case.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "host/live/live_engine.h"
#include "host/player.h"
#include "host/plugin_library.h"

namespace {

using velmora::host::live::LiveConfig;
using velmora::host::live::LiveEngine;
using velmora::host::live::LiveHost;
using velmora::host::live::LiveInput;
using velmora::host::live::LiveMessage;
using velmora::host::live::LiveTransport;

constexpr std::uint32_t kFrames = 256;
constexpr double kRate = 44100.0;
constexpr int kSeconds = 20;

LiveInput Midi(std::uint32_t frame, int status, int d1, int d2) {
    LiveInput in;
    in.frame = frame;
    in.size = 3;
    in.bytes[0] = static_cast<std::uint8_t>(status);
    in.bytes[1] = static_cast<std::uint8_t>(d1);
    in.bytes[2] = static_cast<std::uint8_t>(d2);
    return in;
}

struct Figures {
    double median = 0;
    double p99 = 0;
    double worst = 0;
    int voices = 0;
    double stop = 0;  // the cycle the transport stops in: every voice ends
};

std::optional<Figures> Measure(const velmora::host::PluginLibrary& library, const velmora::host::Session& session, int held) {
    LiveHost host;
    velmora::host::SessionInstances instances(library, session, host);
    if (!instances.ok()) {
        std::fprintf(stderr, "%s\n", instances.error().c_str());
        return std::nullopt;
    }
    LiveConfig config;
    config.banks = true;
    config.sampleRate = kRate;
    LiveEngine engine(host, config);
    std::vector<LiveMessage> out(65536);
    std::vector<LiveInput> in;
    in.reserve(4096);
    std::int64_t clock = 0;
    auto cycle = [&](bool rolling = true) {
        LiveTransport t;
        t.rolling = rolling;
        t.frame = clock;
        engine.process(kFrames, t, in.data(), in.size(), out.data(), out.size());
        clock += kFrames;
        in.clear();
    };
    // The held notes: every channel and key, 500 a cycle, not timed.
    for (int i = 0; i < held;) {
        for (int k = 0; k < 500 && i < held; ++k, ++i) {
            in.push_back(Midi(static_cast<std::uint32_t>(k / 2), 0x90 | (i % 16), 20 + (i / 16) % 100, 1 + i % 127));
        }
        cycle();
    }
    // A thousand notes a second, 50 ms each, keys above the held ones.
    const std::int64_t start = clock;
    const double gap = kRate / 1000.0;
    const auto noteFrames = static_cast<std::int64_t>(0.05 * kRate);
    std::vector<double> times;
    std::int64_t next = 0;
    struct Pending {
        std::int64_t frame;
        int channel;
        int key;
    };
    std::vector<Pending> offs;
    offs.reserve(256);
    const int cycles = static_cast<int>(kSeconds * kRate / kFrames);
    for (int c = 0; c < cycles; ++c) {
        const std::int64_t end = clock + kFrames;
        for (;;) {
            const auto onAt = start + static_cast<std::int64_t>(static_cast<double>(next) * gap);
            const std::int64_t offAt = offs.empty() ? end : offs.front().frame;
            if (std::min(onAt, offAt) >= end) {
                break;
            }
            if (offAt <= onAt) {
                in.push_back(Midi(static_cast<std::uint32_t>(offAt - clock), 0x80 | offs.front().channel, offs.front().key, 64));
                offs.erase(offs.begin());
                continue;
            }
            const auto frame = static_cast<std::uint32_t>(onAt - clock);
            const int channel = static_cast<int>(next % 16);
            const int key = 120 + static_cast<int>(next % 8);
            in.push_back(Midi(frame, 0xB0 | channel, 0, static_cast<int>(next % 4)));
            if (next % 4 == 0) {
                in.push_back(Midi(frame, 0xE0 | channel, static_cast<int>(next & 127), 64));
            }
            in.push_back(Midi(frame, 0x90 | channel, key, 90));
            offs.push_back({onAt + noteFrames, channel, key});
            ++next;
        }
        const auto t0 = std::chrono::steady_clock::now();
        cycle();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    Figures f;
    f.voices = host.voices().liveCount();
    std::sort(times.begin(), times.end());
    f.median = times[times.size() / 2];
    f.p99 = times[times.size() * 99 / 100];
    f.worst = times.back();
    const auto t0 = std::chrono::steady_clock::now();
    cycle(false);
    f.stop = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
    host.killAllLiveVoices();
    return f;
}

}  // namespace

int main() {
    velmora::host::PluginLibrary library(VELMORA_PLUGIN_PATH);
    if (!library.ok()) {
        std::fprintf(stderr, "%s\n", library.error().c_str());
        return 1;
    }
    std::string error;
    const auto session = velmora::host::ParseSession(
        R"({"instances": [{"articulations": "strings.zoltartic", "options": {"articbanks": true}}]})",
        VELMORA_ROOT_DIR "/examples/demo", error);
    if (!session) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double cycleUs = 1e6 * kFrames / kRate;
    std::printf("live cycle, %u frames at %.0f Hz (%.0f us), 1,000 notes/s for %d s\n", kFrames, kRate, cycleUs, kSeconds);
    std::printf("%-8s %12s %10s %10s %10s %12s %14s\n", "held", "live at end", "median us", "p99 us", "worst us", "worst/cycle",
                "stop cycle us");
    for (const int held : {0, 20000}) {
        const auto f = Measure(library, *session, held);
        if (!f) {
            return 1;
        }
        std::printf("%-8d %12d %10.2f %10.2f %10.2f %11.3f %% %14.1f\n", held, f->voices, f->median, f->p99, f->worst,
                    100.0 * f->worst / cycleUs, f->stop);
    }
    return 0;
}
