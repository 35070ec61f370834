#pragma once
// Some hosts give a small plugin form the keyboard only after a click into
// it: a few idle calls after the editor shows, the editor clicks near its own
// bottom right corner and puts the pointer back. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// Counts `clickCountdown` down once per idle call and clicks when it runs out.
void FocusClickCountdown(Instance& plug);

}  // namespace velmora::editor
