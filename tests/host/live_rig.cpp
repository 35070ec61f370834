#include "tests/host/live_rig.h"

#include <algorithm>
#include <map>

namespace velmora::host::live {

std::vector<TimedInput> LiveMidiOf(const Session& session, int instance, double spt, int bankCc) {
    std::vector<ScoreEvent> events;
    for (const ScoreEvent& e : session.events) {
        if (e.instance == instance && e.kind != EventKind::Transport) {
            events.push_back(e);
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const ScoreEvent& a, const ScoreEvent& b) { return a.tick < b.tick; });
    std::multimap<std::int64_t, TimedInput> releases;
    std::vector<TimedInput> out;
    auto releaseThrough = [&](std::int64_t tick) {
        while (!releases.empty() && releases.begin()->first <= tick) {
            out.push_back(releases.begin()->second);
            releases.erase(releases.begin());
        }
    };
    for (const ScoreEvent& e : events) {
        releaseThrough(e.tick);
        const std::int64_t frame = FrameOfTick(e.tick, spt);
        switch (e.kind) {
            case EventKind::Note: {
                const int channel = e.colour & 15;
                if (bankCc >= 0) {
                    const int bank = std::clamp(static_cast<int>((e.modx + 1.0) * 0.5 * 4.0), 0, 3);
                    out.push_back({frame, Midi(0xB0 | channel, bankCc, bank)});
                }
                const int velocity = std::clamp(static_cast<int>(127.0 * std::log(10.0 * e.level + 1.0) / std::log(21.0)), 1, 127);
                out.push_back({frame, Midi(0x90 | channel, e.key, velocity)});
                const int release = std::clamp(static_cast<int>(e.release * 127.0f), 0, 127);
                releases.emplace(e.tick + e.length, TimedInput{FrameOfTick(e.tick + e.length, spt), Midi(0x80 | channel, e.key, release)});
                break;
            }
            case EventKind::Pitch: {
                const int bend = std::clamp(8192 + static_cast<int>(std::lround(e.value * 8192.0 / 1200.0)), 0, 16383);
                out.push_back({frame, Midi(0xE0, bend & 127, bend >> 7)});
                break;
            }
            case EventKind::Volume: out.push_back({frame, Midi(0xB0, 7, e.value)}); break;
            case EventKind::Pan: out.push_back({frame, Midi(0xB0, 10, e.value)}); break;
            case EventKind::Param: out.push_back({frame, Midi(0xB0, e.index, e.value)}); break;
            case EventKind::Transport: break;
        }
    }
    releaseThrough(INT64_MAX);
    return out;
}

LiveRig::LiveRig(const Session& session, const LiveConfig& config) : library_(VELMORA_PLUGIN_PATH), out_(65536) {
    if (!library_.ok()) {
        return;
    }
    // Room enough that recording what is heard never allocates while cycles run.
    heard_.reserve(1 << 20);
    cycleIn_.reserve(1 << 16);
    instances_.emplace(library_, session, host_);
    if (instances_->ok()) {
        engine_.emplace(host_, config);
    }
}

LiveRig::~LiveRig() {
    if (ok()) {
        host_.killAllLiveVoices();
    }
}

void LiveRig::cycle(std::uint32_t frames, bool rolling, const std::vector<TimedInput>& in, double bpm) {
    cycleIn_.clear();
    for (; nextIn_ < in.size() && in[nextIn_].frame < clock_ + frames; ++nextIn_) {
        LiveInput m = in[nextIn_].message;
        m.frame = static_cast<std::uint32_t>(std::max<std::int64_t>(0, in[nextIn_].frame - clock_));
        cycleIn_.push_back(m);
    }
    LiveTransport transport;
    transport.rolling = rolling;
    transport.frame = clock_;
    transport.bpm = bpm;
    const std::size_t n = engine_->process(frames, transport, cycleIn_.data(), cycleIn_.size(), out_.data(), out_.size());
    for (std::size_t i = 0; i < n; ++i) {
        heard_.push_back({clock_ + out_[i].frame, out_[i].word});
    }
    clock_ += frames;
}

void LiveRig::runUntil(std::int64_t frame, const std::vector<TimedInput>& in, double bpm) {
    while (clock_ < frame) {
        cycle(256, true, in, bpm);
    }
}

}  // namespace velmora::host::live
