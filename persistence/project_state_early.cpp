// Versions 1 to 7: fixed arrays of 16 articulations and positional options.
#include "persistence/state_records.h"
#include "persistence/state_restore_context.h"

namespace velmora::state {

namespace {

constexpr int kUaccCC = 32;
constexpr int kModWheelCC = 1;
constexpr std::size_t kEarlyArticulations = kBankSize;

template <class T, std::size_t N>
std::span<T> FirstBank(std::array<T, N>& field) {
    return std::span<T>(field).first(kEarlyArticulations);
}

// Versions 1 and 2: a keyswitch note per articulation, 0 for none.
void ReadKeyswitchNotes(StreamReader& in, ArticulationTable& art) {
    for (std::size_t a = 0; a < kEarlyArticulations; ++a) {
        std::int32_t note = 0;
        if (!in.word(note)) {
            return;
        }
        if (note == 0) {
            art.note[a] = -1;
        } else {
            art.note[a] = note;
            art.icon[a] = 1;
        }
    }
}

// Version 2 with its flag set stored UACC values (CC32) where the notes are.
void NotesToUacc(ArticulationTable& art) {
    for (std::size_t a = 0; a < kEarlyArticulations; ++a) {
        art.modw[a] = art.note[a];
        art.modc[a] = kUaccCC;
        art.note[a] = -1;
    }
}

// Versions 3 to 5 kept UACC values in `prog` and mod wheel values in `modw`.
void ConvertUaccAndModWheel(ArticulationTable& art) {
    for (std::size_t a = 0; a < kEarlyArticulations; ++a) {
        if (art.modw[a] != -1) {
            art.modc[a] = kModWheelCC;
        }
    }
    for (std::size_t a = 0; a < kEarlyArticulations; ++a) {
        if (art.prog[a] != -1 && art.modw[a] == -1) {
            art.modc[a] = kUaccCC;
            art.modw[a] = art.prog[a];
            art.prog[a] = -1;
        }
    }
    for (std::size_t a = 0; a < kEarlyArticulations; ++a) {
        art.prog[a] = -1;
    }
}

void ReadFlag(StreamReader& in, std::int32_t& field, bool lowestBit) {
    std::int32_t v = 0;
    if (in.word(v)) {
        field = lowestBit ? (v & 1) : v;
    }
}

// Versions 3 to 5: after the options, the articulations and controller values.
void ReadVersion3To5(RestoreContext& ctx, bool place, std::optional<std::int32_t>& heldTab) {
    Instance& plug = ctx.plug;
    StreamReader& in = ctx.in;
    const std::uint32_t v = ctx.version;
    ReadFlag(in, plug.ccghosting, v >= 4);
    if (v >= 4) {
        ReadFlag(in, plug.midiextend, true);
    }
    if (v == 5) {
        std::int32_t preserve = 0;
        if (in.word(preserve) && place) {
            plug.preserveport = preserve;
        }
    }
    ArticulationTable& art = plug.articulations;
    ReadWords(in, kEarlyArticulations, FirstBank(art.note));
    ReadWords(in, kEarlyArticulations, FirstBank(art.prog));  // UACC values, converted below
    ReadWords(in, kEarlyArticulations, FirstBank(art.modw));
    ReadWords(in, kEarlyArticulations, FirstBank(art.icon));
    ReadStrings(in, kEarlyArticulations, FirstBank(art.name));
    ConvertUaccAndModWheel(art);

    std::uint16_t count = 0;
    if (in.u16(count)) {
        ReadWords(in, count, plug.controllers.value);
    }
    std::int32_t tab = 0;
    if (in.word(tab)) {
        if (v == 5) {
            heldTab = tab;
        } else {
            plug.tab = tab;
        }
    }
    in.word(plug.editing);
}

void ReadVersion6To7(RestoreContext& ctx, bool place, std::optional<std::int32_t>& heldTab) {
    Instance& plug = ctx.plug;
    StreamReader& in = ctx.in;
    ReadFlag(in, plug.ccghosting, true);
    ReadFlag(in, plug.midiextend, true);
    if (ctx.version == 7) {
        ReadFlag(in, plug.cctimingfix, true);
    } else {
        plug.cctimingfix = 0;
    }
    std::int32_t preserve = 0;
    if (in.word(preserve) && place) {
        plug.preserveport = preserve;
    }
    ArticulationTable& art = plug.articulations;
    ReadWords(in, kEarlyArticulations, FirstBank(art.note));
    ReadWords(in, kEarlyArticulations, FirstBank(art.prog));
    ReadWords(in, kEarlyArticulations, FirstBank(art.modw));
    ReadWords(in, kEarlyArticulations, FirstBank(art.modc));
    ReadWords(in, kEarlyArticulations, FirstBank(art.icon));
    ReadStrings(in, kEarlyArticulations, FirstBank(art.name));
    ReadPageNames(in, plug.pageNames);
    const std::uint16_t count = ReadControllers(in, plug.controllers, false);
    in.word(plug.controllerstart);
    std::int32_t tab = 0;
    if (in.word(tab)) {
        heldTab = tab;
    }
    in.word(plug.editing);

    plug.cc64release = 1;
    plug.allchannelomni = 1;
    // These versions stored "no CC" as CC 0.
    for (int c = 0; c < kControllers && c < count; ++c) {
        if (plug.controllers.cc[c] == 0) {
            plug.controllers.cc[c] = kUnassignedCC;
        }
    }
}

}  // namespace

void ReadEarlyState(RestoreContext& ctx) {
    Instance& plug = ctx.plug;
    StreamReader& in = ctx.in;
    const std::uint32_t v = ctx.version;

    // Port and channel go in unless a running instance preserves its own;
    // the test sees "preserve" as it was before this state.
    const bool place = plug.fresh != 0 || plug.preserveport == 0;
    std::int32_t channel = 0;
    std::int32_t port = 0;
    if (in.word(channel) && place) {
        plug.channel = channel;
    }
    if (in.word(port) && place) {
        plug.port = port;
    }

    std::optional<std::int32_t> heldTab;
    switch (v) {
        case 1: ReadKeyswitchNotes(in, plug.articulations); break;
        case 2: {
            std::int32_t uacc = 0;
            const bool flagRead = in.word(uacc);
            in.word(plug.ccghosting);
            ReadKeyswitchNotes(in, plug.articulations);
            if (flagRead && uacc != 0) {
                NotesToUacc(plug.articulations);
            }
            break;
        }
        case 3:
        case 4:
        case 5: ReadVersion3To5(ctx, place, heldTab); break;
        default: ReadVersion6To7(ctx, place, heldTab); break;
    }

    // Versions 5 to 7 decide about the panel with "preserve" as it now stands.
    if (v >= 5) {
        if (plug.fresh != 0 || plug.preserveport == 0) {
            if (heldTab) {
                plug.tab = *heldTab;
            }
        } else {
            plug.tab = ctx.tabBefore;
        }
    }
    plug.oldparams = 1;  // parameter 0 meant CC 1 then
}

}  // namespace velmora::state
