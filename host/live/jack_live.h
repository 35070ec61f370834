#pragma once
// `velmora-host live`: a session's instances between JACK MIDI ports.
#include <optional>
#include <string>

#include "host/live/live_engine.h"
#include "host/session.h"

namespace velmora::host::live {

struct LiveRun {
    Session session;
    std::string plugin;
    LiveConfig config;               // instance, banks and bank CC; rate and tempo are filled in
    std::optional<double> bpm;       // else the session's
    std::optional<int> ppq;          // else the session's
    // The host channel's volume and pan each instance gets at start, as a
    // DAW's channel hands them over: a fresh instance holds 0 for both, which
    // a sampler takes as silence, hard left.
    int volume = 100;
    int pan = 64;
    std::string httpPort;            // empty: the HTTP API stays off
    bool verbose = false;
};

// Runs until SIGINT or SIGTERM (exit code 0) or until the JACK server goes
// away (1); 1 with a message when the server cannot be reached.
int RunLive(const LiveRun& run);

}  // namespace velmora::host::live
