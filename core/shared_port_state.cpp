#include "core/shared_port_state.h"

namespace velmora {

SharedPortState::SharedPortState() {
    mute.fill(0);
    ksNote.fill(kNothingSent);
    ksVelocity.fill(kNothingSent);
    program.fill(kNothingSent);
    modifier.fill(kNothingSent);
    for (auto& row : ccValue) {
        row.fill(kNoCCValue);
    }
}

}  // namespace velmora
