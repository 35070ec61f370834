#pragma once
// A session written back as a file: the session's own JSON, and a session
// saved with its instances, each instance's state in a file beside it.
#include <string>
#include <vector>

#include "host/session.h"
#include "sdk/fruity_plug.h"

namespace velmora::host {

// The session as LoadSession reads it back: rate, tempo and resolution, the
// instances' setups, the score in file order. File names are written as held.
std::string SessionJson(const Session& session);

// The file an instance's state is saved to: "<session stem>.instance-N.state"
// beside the session (N from 1).
std::string StateFileName(const std::string& sessionPath, std::size_t instance);

// Saves each instance's state beside `path` and then the session there,
// naming each state file in its instance's "state" field. The state holds
// the articulations, port, channel and options, so those fields are left out:
// loading the file again restores every instance as it is now. Each file is
// written beside its final name first and then renamed over it, so a failed
// save leaves the old files whole. False with a one-line reason on failure.
bool SaveSessionWithStates(const Session& session, const std::vector<TFruityPlug*>& instances, const std::string& path,
                           std::string& error);

}  // namespace velmora::host
