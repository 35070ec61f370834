#pragma once
// The windows a host without a window system describes (main window, piano
// roll, colour pop-up, plugin forms): one tree for the process, which the
// platform hands to the piano-roll integration while it is set.
// Interface thread.
#include <string>

#include "platform/platform.h"

namespace velmora {

// Reads the tree from its JSON form and makes it the platform's host windows;
// null takes it back. False, with the reason, for a description that cannot
// be read; the tree set before then stays.
bool SetHostWindowTree(platform::Platform& platform, const char* json, std::string& error);

// What the plugin did to the tree since the last call, as a JSON array
// ("[]" without a tree); the log starts empty again.
std::string TakeHostWindowLog();

}  // namespace velmora
