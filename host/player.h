#pragma once
// Plays a session through the plugin tick by tick.
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

// Plays every event; idle calls every quarter beat; runs one beat past the
// last event so delayed notes and held keyswitches finish. With a folder,
// each instance's state is saved there afterwards as instance-N.state.
std::optional<PlayOutcome> Play(const Session& session, const std::string& pluginPath, std::string& error,
                                bool verbose = false, const std::string& saveStatesFolder = {});

}  // namespace velmora::host
