#pragma once
// What the editor does when the user moves an instance to another port or
// channel. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// Forgets what was sent, so the next note sends its articulation again on the
// new port or channel.
void ForgetSentState(Instance& plug);

}  // namespace velmora::editor
