#include "editor/sent_state.h"

#include "core/instance.h"

namespace velmora::editor {

void ForgetSentState(Instance& plug) {
    plug.currentArticulation = 0;
    plug.currentBank = 0;
    plug.lastKs1Note = plug.lastKs1Velocity = plug.lastProgram = plug.lastModifier = kNothingSent;
}

}  // namespace velmora::editor
