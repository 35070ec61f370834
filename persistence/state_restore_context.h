#pragma once
// What one restore carries from the reading of a layout to its closing steps.
#include <cstdint>
#include <optional>

#include "core/instance.h"
#include "persistence/state_stream.h"

namespace velmora::state {

// Values the placement rules decide about at the end of the restore.
struct HeldValues {
    std::optional<std::int32_t> port;
    std::optional<std::int32_t> channel;
    std::optional<std::int32_t> preserve;
    std::optional<std::int32_t> tab;
    std::optional<std::int32_t> midiextend;
};

struct RestoreContext {
    Instance& plug;
    StreamReader& in;
    std::uint32_t version;
    HeldValues held;
    // What the placement rules keep when they do not place: the values from
    // before the restore (Session_SetDefaults has reset them since).
    std::int32_t tabBefore = 1;
    std::int32_t midiextendBefore = 0;
    std::uint16_t controllerCount = 0;  // as stored

    ProcessState& process() const { return plug.processState != nullptr ? *plug.processState : Process(); }
    // A held value the stream never reached is not applied; one whose key a
    // complete stream lacks counts as 0.
    void applyHeld(const std::optional<std::int32_t>& value, std::int32_t& field) const {
        if (value) {
            field = *value;
        } else if (!in.failed()) {
            field = 0;
        }
    }
};

// Layout readers, one per family of versions.
void ReadEarlyState(RestoreContext& ctx);   // versions 1 to 7
void ReadRecentState(RestoreContext& ctx);  // versions 8 to 10, with their closing steps
void ReadMidiOutState(RestoreContext& ctx);

}  // namespace velmora::state
