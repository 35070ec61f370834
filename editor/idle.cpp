// What the host's idle call runs, in order.
#include "editor/idle.h"

#include "core/instance.h"
#include "editor/colour_popup.h"
#include "editor/focus_click.h"
#include "editor/form_position.h"
#include "editor/piano_roll_names.h"
#include "http/server_control.h"

namespace velmora::editor {

void IdlePublic(Instance& plug) {
    FocusClickCountdown(plug);
    http::PollFromIdle(plug);
    if (plug.clickedNote >= 0) {
        RenameClickedKey(plug);
    }
    if (plug.restoreFormPos != 0) {
        RestoreFormPositions(plug);
        plug.restoreFormPos = 0;
    }
    if (plug.namesAsked != 0) {
        if (plug.pendingArticulation >= 0) {
            FollowPianoRollColour(plug);
        }
        WatchColourPopup(plug);
    }
}

}  // namespace velmora::editor
