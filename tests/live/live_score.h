#pragma once
// What velmora-jack-midi plays into a live host: MIDI messages due at JACK
// transport frames, taken from one instance's part of a session's score or
// generated for a load test. Built before any JACK client runs, so the
// process callback only walks a finished array.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/session.h"

namespace velmora::live_test {

enum class CueKind : std::uint8_t { Midi, TransportStop };

struct Cue {
    std::int64_t frame = 0;  // the transport frame it is due at
    std::int64_t tick = -1;  // the score's tick; -1 for generated notes
    CueKind kind = CueKind::Midi;
    std::uint8_t size = 0;  // bytes of the message
    std::array<std::uint8_t, 3> bytes{};
};

// The velocity the plugin hears in a note's volume level, and the release
// velocity byte of a release level: what a live note must carry to be the
// session's note.
int VelocityOfLevel(float level);
int ReleaseVelocityOf(float release);
// A pitch in cents as a 14-bit bend, 8192 the centre, 8192 steps per 1200 cents.
int BendForCents(int cents);

// The score's events of `instance` (0-based) and the transport's stop as cues
// in send order: per tick the notes ending there are released first (in the
// order they started), then the tick's events in file order, as the reference
// host plays them. A note of colour c goes to MIDI channel c + 1; pitch,
// volume, pan and parameters to channel 1. The transport is started at frame
// 0 before anything is sent, so a start may stand only at tick 0, and nothing
// may come after a stop: the transport frame is the clock, and it does not
// move while the transport is stopped. A score live MIDI cannot carry is
// refused, saying why in error.
std::optional<std::vector<Cue>> CuesFromSession(const host::Session& session, int instance, std::string& error);

// `count` notes at `perSecond`: channels 1..16 in turn, keys cycling 36..96,
// 50 ms each, velocities and release velocities 1..127 varying (a release of
// 0 would read as a switch's note-off); each note-off before the note-ons of
// its frame. With `hold`, that many notes come first and are never released:
// channel 1, keys outside 36..96 (several voices per key), one every 8
// frames; the timed notes follow them.
std::vector<Cue> GeneratedNotes(int count, double perSecond, double sampleRate, int hold = 0);

}  // namespace velmora::live_test
