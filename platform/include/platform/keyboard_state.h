#pragma once
// Which keys are held down at this moment. This platform has no keyboard of
// its own: a host without a window system answers through its table, and
// without one every key is up. Tests and the desktop substitute their own.
#include "shared/headless_editor.h"

namespace platform {

class KeyboardState {
public:
    KeyboardState() = default;
    explicit KeyboardState(const velmora::HeadlessHost* const* host) : host_(host) {}
    virtual ~KeyboardState() = default;
    // By virtual key code. Interface thread.
    virtual bool keyHeld(int virtualKey) const;
    // Either Control key.
    virtual bool controlHeld() const;

private:
    const velmora::HeadlessHost* const* host_ = nullptr;
};

}  // namespace platform
