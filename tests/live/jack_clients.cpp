#include "tests/live/jack_clients.h"

#include <jack/midiport.h>
#include <jack/transport.h>

#include <algorithm>
#include <cstdlib>

namespace velmora::live_test {

namespace {

// Writes the cues due in this cycle: those whose frame lies in the rolling
// transport's range [pos.frame, pos.frame + nframes). Real-time thread.
int PlayerProcess(jack_nframes_t nframes, void* arg) {
    Player& p = *static_cast<Player*>(arg);
    void* buffer = jack_port_get_buffer(p.out, nframes);
    jack_midi_clear_buffer(buffer);
    if (p.done.load(std::memory_order_relaxed)) {
        return 0;
    }
    if (p.framesSinceLast >= 0) {
        p.framesSinceLast += nframes;
        if (p.framesSinceLast >= p.tailFrames) {
            p.done.store(true, std::memory_order_release);
        }
        return 0;
    }
    jack_position_t pos;
    if (!p.armed.load(std::memory_order_acquire) || jack_transport_query(p.client, &pos) != JackTransportRolling) {
        return 0;
    }
    const std::int64_t first = pos.frame;
    const std::int64_t end = first + nframes;
    for (; p.next < p.cues.size() && p.cues[p.next].frame < end; ++p.next) {
        const Cue& cue = p.cues[p.next];
        std::int64_t offset = cue.frame - first;
        if (offset < 0) {
            ++p.late;
            offset = 0;
        }
        if (cue.kind == CueKind::TransportStop) {
            // Takes effect from the next cycle on.
            jack_transport_stop(p.client);
        } else if (jack_midi_event_write(buffer, static_cast<jack_nframes_t>(offset), cue.bytes.data(), cue.size) != 0) {
            ++p.refused;
        } else if (p.writtenCount < p.written.size()) {
            TimedMessage& m = p.written[p.writtenCount++];
            m.frame = first + offset;
            m.tick = cue.tick;
            m.size = cue.size;
            m.bytes = cue.bytes;
        }
        if (p.next + 1 == p.cues.size()) {
            p.framesSinceLast = nframes - offset;
        }
    }
    return 0;
}

// Keeps every message of every input with its transport frame; while the
// transport stands, the frame it stands at. Real-time thread.
int RecorderProcess(jack_nframes_t nframes, void* arg) {
    Recorder& r = *static_cast<Recorder*>(arg);
    if (!r.recording.load(std::memory_order_acquire)) {
        return 0;
    }
    jack_position_t pos;
    const bool rolling = jack_transport_query(r.client, &pos) == JackTransportRolling;
    for (std::size_t i = 0; i < r.inputs.size(); ++i) {
        void* buffer = jack_port_get_buffer(r.inputs[i], nframes);
        const jack_nframes_t count = jack_midi_get_event_count(buffer);
        for (jack_nframes_t j = 0; j < count; ++j) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, j) != 0) {
                continue;
            }
            if (r.receivedCount == r.received.size()) {
                ++r.overflow;
                continue;
            }
            TimedMessage& m = r.received[r.receivedCount++];
            m.frame = static_cast<std::int64_t>(pos.frame) + (rolling ? event.time : 0);
            m.port = r.portNumbers[i];
            m.size = static_cast<std::uint8_t>(std::min<std::size_t>(event.size, 255));
            m.bytes = {};
            std::copy_n(event.buffer, std::min<std::size_t>(event.size, m.bytes.size()), m.bytes.begin());
        }
    }
    return 0;
}

int CountXrun(void* arg) {
    static_cast<std::atomic<int>*>(arg)->fetch_add(1, std::memory_order_relaxed);
    return 0;
}

void ServerGone(void* arg) { static_cast<std::atomic<bool>*>(arg)->store(true); }

}  // namespace

void InstallCallbacks(Player& player, Recorder& recorder, std::atomic<bool>& serverGone) {
    jack_set_process_callback(player.client, PlayerProcess, &player);
    jack_set_xrun_callback(player.client, CountXrun, &player.xruns);
    jack_on_shutdown(player.client, ServerGone, &serverGone);
    jack_set_process_callback(recorder.client, RecorderProcess, &recorder);
    jack_set_xrun_callback(recorder.client, CountXrun, &recorder.xruns);
    jack_on_shutdown(recorder.client, ServerGone, &serverGone);
}

int PortNumberOf(const std::string& portName, int fallback) {
    const auto at = portName.rfind("port-");
    if (at == std::string::npos || at + 5 == portName.size()) {
        return fallback;
    }
    char* end = nullptr;
    const long n = std::strtol(portName.c_str() + at + 5, &end, 10);
    return *end == '\0' && n >= 0 && n <= 255 ? static_cast<int>(n) : fallback;
}

}  // namespace velmora::live_test
