// Restoring a state: the version decides the layout; every restore starts
// from the defaults and ends with a repaint.
//
// A stream that ends before its layout does keeps every field read so far;
// every field it did not reach keeps the value Session_SetDefaults gave it,
// and so do held values (port, channel, panel, "preserve", MIDI Extend) it
// never reached. The closing steps of the version still run. A stream too
// short for its version number reads nothing at all.
#include <string>

#include "core/instance.h"
#include "persistence/project_state.h"
#include "persistence/state_restore_context.h"

namespace velmora {

namespace {

constexpr std::uint32_t kFirstKeyedVersion = 9;  // MIDI Out states are only looked for below it

bool IsMidiOutModule(const Instance& plug) {
    return plug.platform.moduleFileName(plug.moduleHandle).find("MIDI Out") != std::string::npos;
}

}  // namespace

void RestoreProjectState(Instance& plug, IStream& stream) {
    const std::int32_t tabBefore = plug.tab;
    const std::int32_t midiextendBefore = plug.midiextend;
    plug.Session_SetDefaults();
    state::StreamReader in(stream);
    std::uint32_t version = 0;
    if (in.u32(version)) {
        plug.stateVersion = static_cast<std::int32_t>(version);
        state::RestoreContext ctx{plug, in, version, {}, tabBefore, midiextendBefore};
        if (version < kFirstKeyedVersion && IsMidiOutModule(plug)) {
            state::ReadMidiOutState(ctx);
        } else if (version >= 1 && version <= 7) {
            state::ReadEarlyState(ctx);
        } else if (version >= 8 && version <= kStateVersion) {
            state::ReadRecentState(ctx);
        }
    }
    // Also after layouts that do not store `altmiddlec`: the table must follow
    // the value the restore left.
    plug.BuildNoteNames();
    plug.RepaintEditor(Repaint::Whole);
    plug.fresh = 0;
}

}  // namespace velmora
