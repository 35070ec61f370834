// The "Port" and "Channel" labels mute this instance's port and channel, or
// with Control solo it, over the mute table every instance of the process shares.
#include <algorithm>
#include <cstdio>

#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/layout.h"
#include "editor/modifiers.h"

namespace velmora::editor {

namespace {

constexpr Rect kPortChannelLabels{156, 217, 229, 228};

void Mute(Instance& plug) {
    std::uint8_t& entry = plug.Ports().mute[static_cast<std::size_t>(plug.PortKeyOfInstance())];
    entry = entry != 0 ? 0 : 1;
    char text[64];
    std::snprintf(text, sizeof text, entry != 0 ? "Port %i, Channel %i muted" : "Port %i, Channel %i unmuted", plug.port,
                  plug.channel + 1);
    plug.Host().statusText(text);
}

// Mutes every other key; when nothing else was left unmuted, unmutes them all.
void Solo(Instance& plug) {
    auto& mute = plug.Ports().mute;
    const auto own = static_cast<std::size_t>(plug.PortKeyOfInstance());
    std::size_t othersUnmuted = 0;
    for (std::size_t key = 0; key < mute.size(); ++key) {
        othersUnmuted += key != own && mute[key] == 0 ? 1 : 0;
    }
    std::fill(mute.begin(), mute.end(), othersUnmuted > 0 ? 1 : 0);
    mute[own] = 0;
    if (othersUnmuted > 0) {
        char text[64];
        std::snprintf(text, sizeof text, "Port %i, Channel %i is now solo", plug.port, plug.channel + 1);
        plug.Host().statusText(text);
    } else {
        plug.Host().statusText("All ports/channels unmuted");
    }
}

}  // namespace

bool MuteSoloClick(Instance& plug, int x, int y) {
    if (!Inside(x, y, kPortChannelLabels.left, kPortChannelLabels.top, kPortChannelLabels.right,
                kPortChannelLabels.bottom)) {
        return false;
    }
    // Ignored during playback: a note sounding when its key became muted
    // would never get its note-off.
    if (plug.playing != 0) {
        return true;
    }
    if (ControlDown(plug)) {
        Solo(plug);
    } else {
        Mute(plug);
    }
    plug.RepaintEditor(Repaint::Whole);
    return true;
}

}  // namespace velmora::editor
