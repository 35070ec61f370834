#include "platform/keyboard_state.h"

namespace platform {

bool KeyboardState::keyHeld(int virtualKey) const {
    const velmora::HeadlessHost* host = host_ != nullptr ? *host_ : nullptr;
    return host != nullptr && host->keyHeld != nullptr && host->keyHeld(host->context, virtualKey) != 0;
}

bool KeyboardState::controlHeld() const {
    constexpr int kLeftControl = 0xA2, kRightControl = 0xA3;
    return keyHeld(kLeftControl) || keyHeld(kRightControl);
}

}  // namespace platform
