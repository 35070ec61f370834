// Writing the version 10 layout.
#include <cstdio>

#include "core/instance.h"
#include "persistence/project_state.h"
#include "persistence/state_options.h"
#include "persistence/state_stream.h"

namespace velmora {

namespace {

// One past the last articulation that is not blank; the first bank is always stored.
int StoredArticulationCount(const ArticulationTable& table) {
    int count = kBankSize;
    for (int a = 0; a < kArticulations; ++a) {
        if (!table.isBlank(a)) {
            count = a + 1;
        }
    }
    return count;
}

template <std::size_t N>
void WriteWords(state::ByteSink& out, const std::array<std::int32_t, N>& field, int count) {
    for (int i = 0; i < count; ++i) {
        out.word(field[i]);
    }
}

template <std::size_t N>
void WriteStrings(state::ByteSink& out, const std::array<std::string, N>& field, int count) {
    for (int i = 0; i < count; ++i) {
        out.shortString(field[i]);
    }
}

// The path, then the non-empty entries with their indices, in ascending order.
void WriteKeyNameBlock(state::ByteSink& out, const KeyNameMap& map) {
    out.shortString(map.path);
    if (!map.names) {
        out.u16(0);
        return;
    }
    std::uint16_t entries = 0;
    for (const std::string& name : *map.names) {
        entries = static_cast<std::uint16_t>(entries + (name.empty() ? 0 : 1));
    }
    out.u16(entries);
    for (std::size_t i = 0; i < map.names->size(); ++i) {
        if (!(*map.names)[i].empty()) {
            out.u16(static_cast<std::uint16_t>(i));
            out.shortString((*map.names)[i]);
        }
    }
}

}  // namespace

bool SaveProjectState(const Instance& plug, IStream& stream) {
    state::ByteSink out;
    out.u32(kStateVersion);

    const ArticulationTable& art = plug.articulations;
    const int a = StoredArticulationCount(art);
    out.u16(static_cast<std::uint16_t>(a));
    WriteWords(out, art.note, a);
    WriteWords(out, art.notev, a);
    WriteWords(out, art.prog, a);
    WriteWords(out, art.modw, a);
    WriteWords(out, art.modc, a);
    WriteWords(out, art.icon, a);
    WriteStrings(out, art.name, a);
    for (int i = 0; i < a; ++i) {
        WriteKeyNameBlock(out, art.keyNames[i]);
    }

    out.u16(static_cast<std::uint16_t>(kPages));
    WriteStrings(out, plug.pageNames, kPages);

    const ControllerTable& ctl = plug.controllers;
    out.u16(static_cast<std::uint16_t>(kControllers));
    WriteWords(out, ctl.value, kControllers);
    WriteWords(out, ctl.cc, kControllers);
    WriteWords(out, ctl.type, kControllers);
    WriteWords(out, ctl.defaultValue, kControllers);
    WriteWords(out, ctl.on, kControllers);
    WriteWords(out, ctl.lock, kControllers);
    WriteStrings(out, ctl.name, kControllers);
    out.word(plug.controllerstart);

    state::WriteOptions(plug, plug.processState != nullptr ? *plug.processState : Process(), out);
    const std::size_t taken = out.writeTo(stream);
    if (taken == out.bytes().size()) {
        return true;
    }
    // A lost save must not pass for a good one: the host's log says so whether
    // or not the instance logs.
    char line[160];
    std::snprintf(line, sizeof(line), "ZOLT Velmora [%p] : state not saved: the host's stream took %zu of %zu bytes",
                  plug.logIdentity, taken, out.bytes().size());
    plug.Host().debugLine(line);
    return false;
}

}  // namespace velmora
