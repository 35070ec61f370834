#include "host/midi_file.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "shared/byte_reader.h"

namespace velmora::host {

namespace {

bool ReadVarLen(ByteReader& r, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint8_t b = 0;
        if (!r.u8(b)) {
            return false;
        }
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0) {
            return true;
        }
    }
    return false;  // longer than four bytes: not a MIDI file
}

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[5];
    int n = 0;
    bytes[n++] = value & 0x7F;
    while ((value >>= 7) != 0) {
        bytes[n++] = static_cast<std::uint8_t>((value & 0x7F) | 0x80);
    }
    while (n > 0) {
        out.push_back(bytes[--n]);
    }
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> s));
    }
}

// What a track read keeps between events: notes waiting for their note off
// and the running status.
struct TrackState {
    std::map<std::pair<int, int>, std::vector<std::size_t>> open;  // (channel, key) -> started notes
    std::int64_t tick = 0;
    std::uint8_t running = 0;
};

enum class Step { Next, EndOfTrack, Failed };

// A meta event after its 0xFF: the first tempo before any note sets the bpm;
// end of track ends the read.
Step ReadMetaEvent(ByteReader& r, Session& s, std::string& error) {
    std::uint8_t type = 0;
    std::uint32_t len = 0;
    if (!r.u8(type) || !ReadVarLen(r, len) || len > r.remaining()) {
        error = "bad meta event";
        return Step::Failed;
    }
    if (type == 0x51 && len == 3) {
        std::uint8_t t[3] = {};
        r.bytes(t, 3);
        const double micros = (t[0] << 16) | (t[1] << 8) | t[2];
        if (micros > 0 && s.events.empty()) {
            s.bpm = 60000000.0 / micros;
        }
    } else {
        r.skip(len);
    }
    return type == 0x2F ? Step::EndOfTrack : Step::Next;
}

// A system exclusive event after its 0xF0 or 0xF7: skipped.
Step SkipSysEx(ByteReader& r, std::string& error) {
    std::uint32_t len = 0;
    if (!ReadVarLen(r, len) || !r.skip(len)) {
        error = "bad system exclusive event";
        return Step::Failed;
    }
    return Step::Next;
}

// A note on starts a note of the track's score, coloured by its channel; a
// note off (or note on at velocity 0) ends the earliest open one of its key.
void ApplyNoteMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2, TrackState& track, Session& s) {
    const int kind = status & 0xF0;
    const int ch = status & 0x0F;
    const bool on = kind == 0x90 && data2 > 0;
    const bool off = kind == 0x80 || (kind == 0x90 && data2 == 0);
    if (on) {
        ScoreEvent e;
        e.kind = EventKind::Note;
        e.tick = track.tick;
        e.key = data1;
        e.level = LevelForVelocity(data2);
        e.colour = ch;
        e.length = 1;
        track.open[{ch, data1}].push_back(s.events.size());
        s.events.push_back(e);
    } else if (off) {
        auto& started = track.open[{ch, data1}];
        if (!started.empty()) {
            ScoreEvent& e = s.events[started.front()];
            e.length = std::max<std::int64_t>(1, track.tick - e.tick);
            e.release = ReleaseForVelocity(kind == 0x80 ? data2 : 0);
            started.erase(started.begin());
        }
    }
}

// A channel message from its first byte, which is its status or, under
// running status, its first data byte. Only notes reach the score.
Step ReadChannelMessage(ByteReader& r, std::uint8_t first, TrackState& track, Session& s, std::string& error) {
    std::uint8_t status = first;
    std::uint8_t data1 = 0;
    if ((first & 0x80) == 0) {
        if (track.running == 0) {
            error = "data byte without a status";
            return Step::Failed;
        }
        data1 = first;
        status = track.running;
    } else {
        track.running = status;
        if (!r.u8(data1)) {
            error = "event cut off";
            return Step::Failed;
        }
    }
    const int kind = status & 0xF0;
    std::uint8_t data2 = 0;
    if (kind != 0xC0 && kind != 0xD0 && !r.u8(data2)) {
        error = "event cut off";
        return Step::Failed;
    }
    ApplyNoteMessage(status, data1, data2, track, s);
    return Step::Next;
}

// One event with its delta time. A track that ends right after a delta time
// ends there.
Step ReadEvent(ByteReader& r, TrackState& track, Session& s, std::string& error) {
    std::uint32_t delta = 0;
    if (!ReadVarLen(r, delta)) {
        error = "bad delta time";
        return Step::Failed;
    }
    track.tick += delta;
    std::uint8_t status = 0;
    if (!r.u8(status)) {
        return Step::EndOfTrack;
    }
    if (status == 0xFF) {
        return ReadMetaEvent(r, s, error);
    }
    if (status == 0xF0 || status == 0xF7) {
        return SkipSysEx(r, error);
    }
    return ReadChannelMessage(r, status, track, s, error);
}

bool ReadTrack(ByteReader& r, Session& s, std::string& error) {
    TrackState track;
    while (r.remaining() > 0) {
        switch (ReadEvent(r, track, s, error)) {
            case Step::Next: break;
            case Step::EndOfTrack: return true;
            case Step::Failed: return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Session> ReadMidiScore(const std::vector<std::uint8_t>& bytes, std::string& error) {
    ByteReader r(bytes.data(), bytes.size(), ByteOrder::Big);
    char id[4];
    std::uint32_t len = 0;
    std::uint16_t format = 0, tracks = 0, division = 0;
    if (!r.bytes(id, 4) || std::string(id, 4) != "MThd" || !r.u32(len) || len < 6 || !r.u16(format) ||
        !r.u16(tracks) || !r.u16(division) || !r.skip(len - 6)) {
        error = "not a Standard MIDI File";
        return std::nullopt;
    }
    if ((division & 0x8000) != 0 || division == 0) {
        error = "only files timed in ticks per quarter note are supported";
        return std::nullopt;
    }
    Session s;
    s.ppq = division;
    s.instances.emplace_back();
    for (int t = 0; t < tracks && r.remaining() > 0; ++t) {
        std::uint32_t size = 0;
        if (!r.bytes(id, 4) || !r.u32(size) || size > r.remaining()) {
            error = "track cut off";
            return std::nullopt;
        }
        if (std::string(id, 4) != "MTrk") {
            r.skip(size);
            continue;
        }
        ByteReader track(bytes.data() + r.position(), size, ByteOrder::Big);
        if (!ReadTrack(track, s, error)) {
            return std::nullopt;
        }
        r.skip(size);
    }
    std::stable_sort(s.events.begin(), s.events.end(),
                     [](const ScoreEvent& a, const ScoreEvent& b) { return a.tick < b.tick; });
    return s;
}

std::vector<std::uint8_t> WriteMidiFile(const std::vector<SentMessage>& messages, int ppq, double bpm) {
    std::map<int, std::vector<const SentMessage*>> byPort;
    for (const SentMessage& m : messages) {
        byPort[static_cast<int>(m.word >> 24)].push_back(&m);
    }
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    const auto trackCount = static_cast<std::uint16_t>(std::max<std::size_t>(1, byPort.size()));
    out.push_back(static_cast<std::uint8_t>(trackCount >> 8));
    out.push_back(static_cast<std::uint8_t>(trackCount));
    out.push_back(static_cast<std::uint8_t>(ppq >> 8));
    out.push_back(static_cast<std::uint8_t>(ppq));
    if (byPort.empty()) {
        byPort[0];
    }
    bool first = true;
    for (const auto& [port, list] : byPort) {
        std::vector<std::uint8_t> track;
        if (first) {
            const auto micros = static_cast<std::uint32_t>(std::lround(60000000.0 / bpm));
            track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micros >> 16),
                                       static_cast<std::uint8_t>(micros >> 8), static_cast<std::uint8_t>(micros)});
            first = false;
        }
        // Name the track after its port so a sequencer shows where it went.
        const std::string name = "Port " + std::to_string(port);
        track.insert(track.end(), {0x00, 0xFF, 0x03, static_cast<std::uint8_t>(name.size())});
        track.insert(track.end(), name.begin(), name.end());
        std::int64_t last = 0;
        for (const SentMessage* m : list) {
            PutVarLen(track, static_cast<std::uint32_t>(m->tick - last));
            last = m->tick;
            const auto status = static_cast<std::uint8_t>(m->word);
            track.push_back(status);
            // Data bytes keep seven bits: MIDI Extend's channel bits have no place in a file.
            track.push_back(static_cast<std::uint8_t>((m->word >> 8) & 0x7F));
            const int kind = status & 0xF0;
            if (kind != 0xC0 && kind != 0xD0) {
                track.push_back(static_cast<std::uint8_t>((m->word >> 16) & 0x7F));
            }
        }
        track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        Put32(out, static_cast<std::uint32_t>(track.size()));
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

}  // namespace velmora::host
