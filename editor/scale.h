#pragma once
// The editor's scale: stepped by the user, or following the window when the
// host resizes it. Every instance shares the last scale chosen.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// One step up (1.5, 2.0 ... 4.0, then none) or down (4.0 from none ... 1.5,
// then none); the window follows and the host hears of it.
void StepScale(Instance& plug, bool up);

// The host resized the window to width x height pixels.
void FollowOutsideSize(Instance& plug, int width, int height);

// Sizes the window to the editor at the scale in force (minimised or not) and
// tells the host.
void ResizeEditor(Instance& plug);

}  // namespace velmora::editor
