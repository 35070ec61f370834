#pragma once
// Which modifier keys are held down at this moment. This platform has no
// keyboard of its own: the default answers "not held". Tests and the desktop
// host substitute their own.
namespace platform {

class KeyboardState {
public:
    virtual ~KeyboardState() = default;
    // Interface thread.
    virtual bool controlHeld() const;
};

}  // namespace platform
