// Versions 8 to 10: counted articulation and controller arrays and named options.
#include <cmath>
#include <limits>

#include "core/plugin_info.h"
#include "persistence/key_names.h"
#include "persistence/state_options.h"
#include "persistence/state_records.h"
#include "persistence/state_restore_context.h"

namespace velmora::state {

namespace {

constexpr std::int32_t kHostVersionScaling = 12000000;
constexpr float kSmallestScale = 0.0001f;
constexpr int kVersion9ArticulationParam = 60;
constexpr int kSlotLayoutParams = 97;

// One articulation's key-name block: its path, then the counted (index, text)
// entries. Entries for an articulation or index outside the tables are read
// past.
void ReadKeyNameBlock(StreamReader& in, KeyNameMap* map) {
    std::string path;
    if (!in.shortString(path)) {
        return;
    }
    if (map != nullptr) {
        map->path = std::move(path);
    }
    std::uint16_t entries = 0;
    if (!in.u16(entries)) {
        return;
    }
    std::string text;
    for (std::uint16_t e = 0; e < entries; ++e) {
        std::uint16_t index = 0;
        if (!in.u16(index) || !in.shortString(text)) {
            return;
        }
        // Only non-empty entries are stored, so an empty one changes nothing:
        // a table exists exactly when it has a name in it.
        if (map == nullptr || index >= kKeyNameEntries || text.empty()) {
            continue;
        }
        if (!map->names) {
            map->names = std::make_unique<KeyNames>();
        }
        (*map->names)[index] = std::move(text);
    }
}

void ReadArticulations(RestoreContext& ctx) {
    StreamReader& in = ctx.in;
    ArticulationTable& art = ctx.plug.articulations;
    std::uint16_t count = 0;
    if (!in.u16(count)) {
        return;
    }
    ReadWords(in, count, art.note);
    if (ctx.version >= 9) {
        ReadWords(in, count, art.notev);
    }
    ReadWords(in, count, art.prog);
    ReadWords(in, count, art.modw);
    ReadWords(in, count, art.modc);
    ReadWords(in, count, art.icon);
    ReadStrings(in, count, art.name);
    if (ctx.version < 9) {
        return;
    }
    for (std::uint16_t a = 0; a < count && !in.failed(); ++a) {
        ReadKeyNameBlock(in, a < kArticulations ? &art.keyNames[a] : nullptr);
    }
    // The files named in the state win over the stored copy while they still open.
    for (int a = 0; a < kArticulations && a < count; ++a) {
        KeyNameMap& map = art.keyNames[a];
        if (!map.path.empty()) {
            const std::string path = map.path;
            LoadKeyNames(ctx.plug, a, path);
        }
    }
}

// Without a CC modifier anywhere the CC timing fix has nothing to wait for.
void ApplyCCTimingRule(Instance& plug) {
    const ArticulationTable& art = plug.articulations;
    for (int a = 0; a < kArticulations; ++a) {
        if (art.modc[a] >= 0 || art.modw[a] != -1) {
            return;
        }
    }
    plug.cctimingfix = 0;
}

void ApplyParameterLayout(RestoreContext& ctx) {
    Instance& plug = ctx.plug;
    if (plug.paramknob != 0) {
        plug.Host().setNumParams(kSlotLayoutParams);
        switch (ctx.version) {
            case 10: plug.articulationParamIndex = ctx.controllerCount; break;
            case 9: plug.articulationParamIndex = kVersion9ArticulationParam; break;
            default: plug.articulationParamIndex = kArticulationParamSlots; break;
        }
    } else {
        plug.Host().setNumParams(PluginInfo().NumParams);
        plug.articulationParamIndex = kArticulationParamCC;
    }
}

void ApplyEditorSize(RestoreContext& ctx) {
    Instance& plug = ctx.plug;
    const int height = kEditorHeight - (kEditorHeight - kEditorMinimisedHeight) * (plug.minimised != 0 ? 1 : 0);
    bool resize = plug.editorWindow->height() != height;
    if (ctx.version == 10) {
        if (plug.Host().hostVersion() < kHostVersionScaling) {
            return;
        }
        const bool scaled = plug.uiscale >= kSmallestScale;
        if (scaled) {
            plug.scaleFactor = plug.uiscale;
        }
        resize = resize || scaled;
    }
    if (!resize) {
        return;
    }
    plug.editorWindow->setSize(ScaledPixels(kEditorWidth, plug.scaleFactor), ScaledPixels(height, plug.scaleFactor));
    plug.Host().dispatcher(plug::FHD_EditorResized);
}

// A fresh instance takes port, channel and panel from the state; a running one
// keeps them while its own "preserve" is on.
void ApplyPlacement(RestoreContext& ctx) {
    Instance& plug = ctx.plug;
    if (plug.fresh != 0 || plug.preserveport == 0) {
        ctx.applyHeld(ctx.held.preserve, plug.preserveport);
    }
    if (plug.fresh != 0 || plug.preserveport == 0) {
        ctx.applyHeld(ctx.held.channel, plug.channel);
        ctx.applyHeld(ctx.held.port, plug.port);
        ctx.applyHeld(ctx.held.tab, plug.tab);
        if (ctx.version >= 9) {
            ctx.applyHeld(ctx.held.midiextend, plug.midiextend);
        }
    } else {
        plug.tab = ctx.tabBefore;
        if (ctx.version >= 9) {
            plug.midiextend = ctx.midiextendBefore;
        }
    }
}

}  // namespace

void ReadRecentState(RestoreContext& ctx) {
    Instance& plug = ctx.plug;
    StreamReader& in = ctx.in;
    const bool keyed = ctx.version >= 9;  // versions with key names and the later rules

    if (keyed) {
        plug.resetstate = 0;  // a state without "changeanyrule" leaves it off
    }
    ReadArticulations(ctx);
    ReadPageNames(in, plug.pageNames);
    ctx.controllerCount = ReadControllers(in, plug.controllers, ctx.version >= 10);
    in.word(plug.controllerstart);
    ReadOptions(ctx);
    if (ctx.version == 10) {
        plug.bankstart = 0;
    }

    if (keyed) {
        ApplyCCTimingRule(plug);
    }
    ApplyParameterLayout(ctx);
    if (keyed) {
        ApplyEditorSize(ctx);
    }
    ApplyPlacement(ctx);
}

}  // namespace velmora::state
