#pragma once
// Plays a session through the plugin tick by tick.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/midi_file.h"
#include "host/plugin_library.h"
#include "host/reference_host.h"
#include "host/session.h"

namespace velmora::host {

// The instances of a session, created through the plugin library and set up
// from the session (state, articulation file, port, channel, options).
class SessionInstances {
public:
    SessionInstances(const PluginLibrary& library, const Session& session, ReferenceHost& host);
    ~SessionInstances();
    SessionInstances(const SessionInstances&) = delete;
    SessionInstances& operator=(const SessionInstances&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    std::vector<std::string> warnings;

private:
    ReferenceHost& host_;
    std::string error_;
};

// Far beyond any real score (hours at the usual resolutions): a longer one is
// a damaged file, and playing it would never end.
inline constexpr std::int64_t kMaxScoreTicks = 10'000'000;

struct PlayOutcome {
    std::vector<SentMessage> sent;
    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    std::vector<std::string> savedStates;  // files written after playing
};

// A session's score played through the host's instances a stretch of ticks at
// a time, so the caller sets the pace: all at once for `play`, against the
// clock for the desktop. Each tick: every instance's NewTick, then the notes
// ending there are released, then the tick's events apply in file order; idle
// calls every quarter beat. The score runs one beat past its last event or
// note end, so delayed notes and held keyswitches finish.
class ScorePlayer {
public:
    // nullopt and the reason for a score that would never end.
    static std::optional<ScorePlayer> Create(ReferenceHost& host, const Session& session, std::string& error);

    // Plays every tick from the next one up to `tick` (at most the last).
    void playThrough(std::int64_t tick);
    std::int64_t nextTick() const { return nextTick_; }
    std::int64_t lastTick() const { return lastTick_; }
    bool finished() const { return nextTick_ > lastTick_; }
    // Releases every note still held, as if its end had come: a stop, or a
    // loop going back to the start.
    void releaseHeldNotes();
    // Back to tick 0; the held notes are released first.
    void rewind();

private:
    ScorePlayer(ReferenceHost& host, std::vector<ScoreEvent> events) : host_(&host), events_(std::move(events)) {}
    void playTick(std::int64_t tick);
    void triggerNote(const ScoreEvent& e);
    void applyEvent(const ScoreEvent& e);

    ReferenceHost* host_;
    std::vector<ScoreEvent> events_;  // in tick order, ties in file order
    std::int64_t lastTick_ = 0;
    std::int64_t idleEvery_ = 1;
    std::int64_t nextTick_ = 0;
    std::size_t nextEvent_ = 0;
    std::multimap<std::int64_t, std::intptr_t> releases_;  // voice tags by the tick their note ends
};

// A note through the instance's voice calls, as the score's notes go: the
// host keeps the voice so the plugin can ask its colour and release velocity.
// Answers the voice's tag, or 0 when the plugin had no voice for it.
std::intptr_t StartNote(ReferenceHost& host, const ScoreEvent& note);
// Releases a note StartNote started, unless the plugin has killed it since.
void ReleaseNote(ReferenceHost& host, std::intptr_t tag);

// Plays every event; idle calls every quarter beat; runs one beat past the
// last event so delayed notes and held keyswitches finish. With a folder,
// each instance's state is saved there afterwards as instance-N.state.
std::optional<PlayOutcome> Play(const Session& session, const std::string& pluginPath, std::string& error,
                                bool verbose = false, const std::string& saveStatesFolder = {});

}  // namespace velmora::host
