#pragma once
// The host's periodic idle call. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// In this order: the focus click, the HTTP server's pending work, a key
// rename marked by a Shift-click, the host form's place, and, once the host
// has asked for note names, following a colour chosen in the colour pop-up
// before watching the pop-up (a colour chosen there makes the host ask for
// note names before the watch sees the pop-up close).
void IdlePublic(Instance& plug);

}  // namespace velmora::editor
