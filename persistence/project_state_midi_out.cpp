// The state the host's MIDI Out generator saves, read by a copy of this
// plugin installed under that generator's name.
#include <array>

#include "persistence/state_restore_context.h"

namespace velmora::state {

namespace {

constexpr int kKnobs = 72;
constexpr int kIgnoredTexts = 8;
constexpr int kSlotLayoutParams = 97;
constexpr std::uint32_t kVersionWithGhostBytes = 4;

// Every slot unassigned and off; slot 0 sends the patch as a program change.
void ResetControllers(ControllerTable& ctl) {
    for (int c = 0; c < kControllers; ++c) {
        ctl.type[c] = 0;
        ctl.cc[c] = kUnassignedCC;
        ctl.on[c] = 0;
    }
    ctl.name[0] = "General MIDI patch";
    ctl.cc[0] = kCCAsProgram;
}

// One knob entry after its index; knob k fills controller k + 1, an index
// past the knobs is read and dropped.
bool ReadKnobEntry(RestoreContext& ctx, int k, const std::array<std::int32_t, kKnobs>& knobValues) {
    StreamReader& in = ctx.in;
    ControllerTable& ctl = ctx.plug.controllers;
    const bool kept = k < kKnobs;
    const int slot = k + 1;
    if (kept) {
        ctl.value[slot] = knobValues[static_cast<std::size_t>(k)];
    }
    std::uint16_t cc = 0;
    if (!in.u16(cc) || !in.skip(2)) {
        return false;
    }
    if (kept) {
        ctl.cc[slot] = cc;
    }
    std::uint32_t off = 0;
    if (!in.u32(off)) {
        return false;
    }
    if (kept) {
        ctl.on[slot] = off == 0 ? 1 : 0;
    }
    if (!in.skip(ctx.version >= kVersionWithGhostBytes ? 12 : 8)) {
        return false;
    }
    std::string name;
    if (!in.byteString(name)) {
        return false;
    }
    if (kept) {
        ctl.name[slot] = std::move(name);
    }
    return in.skipByteString();
}

}  // namespace

void ReadMidiOutState(RestoreContext& ctx) {
    Instance& plug = ctx.plug;
    StreamReader& in = ctx.in;

    std::uint32_t channel = 0;
    if (in.u32(channel)) {
        // Channel 0 means "next free": each such state takes the next channel in turn.
        plug.channel = channel != 0 ? static_cast<std::int32_t>(channel) : ctx.process().midiOutChannelCounter++;
    }
    in.skip(16);
    in.word(plug.port);
    plug.ccghosting = 0;
    if (ctx.version >= kVersionWithGhostBytes) {
        std::uint8_t ghostOff = 0;
        if (in.u8(ghostOff)) {
            plug.ccghosting = ghostOff == 0 ? 1 : 0;
        }
        in.skip(1);
    }

    ControllerTable& ctl = plug.controllers;
    ResetControllers(ctl);
    in.word(ctl.value[0]);
    std::array<std::int32_t, kKnobs> knobValues{};
    for (std::int32_t& v : knobValues) {
        if (!in.word(v)) {
            break;
        }
    }
    for (;;) {
        std::int8_t k = -1;
        if (!in.i8(k) || k < 0 || !ReadKnobEntry(ctx, k, knobValues)) {
            break;
        }
    }
    for (int t = 0; t < kIgnoredTexts && in.skipByteString(); ++t) {
    }

    plug.paramknob = 1;
    plug.Host().setNumParams(kSlotLayoutParams);
    plug.articulationParamIndex = kArticulationParamSlots;
}

}  // namespace velmora::state
