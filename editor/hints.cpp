// The hint regions, tested in a fixed order: the first that holds the mouse
// gives the hint.
#include "editor/hints.h"

#include <cstdio>

#include "core/instance.h"
#include "editor/layout.h"

namespace velmora::editor {

namespace {

constexpr std::int32_t kHostVersionSingleEditor = 12000000;

// Identities: grid cells 100 + c, controller slots 300 + k (0 the first),
// tab buttons 400 + k; every other region its own number below.
enum HintId : int {
    kPanHint = 1, kMidiExtendHint, kGhostTransportHint, kTimingFixHint, kPreserveHint, kCc17Hint, kUaccHint,
    kParamsHint, kOverlapHint, kMiddleCHint, kOptimiseHint, kSingleEditorHint, kPagesHint, kKeyNamesHint,
    kRemoveKeyNamesHint, kMuteHint, kIconHint, kKeyswitchHint, kSecondKeyswitchHint, kVelocityHint, kSetCcHint,
    kProgramHint, kPortHint, kChannelHint, kNameHint, kResetStateHint, kHttpHint, kSustainHint, kOmniHint,
    kGridHint = 100, kControllerHint = 300, kTabHint = 400,
};

struct GeneralHint {
    int page;
    Rect area;  // bounds inclusive
    int identity;
    const char* text;
};

// General-panel regions that come before the controller panel's in the order.
constexpr GeneralHint kEarlyGeneralHints[] = {
    {kAutomationPage, {120, 122, 226, 132}, kPanHint, "Toggle whether pan, volume and pitch are sent over this channel"},
    {kAdvancedPage, {28, 136, 110, 146}, kMidiExtendHint, "Utilise MIDI Extend to use up to 64 MIDI channels through one port"},
    {kAdvancedPage, {120, 136, 226, 146}, kGhostTransportHint, "Only perform CC ghosting on transport (play, pause, stop)"},
    {kAutomationPage, {120, 136, 226, 146}, kTimingFixHint, "Make sure Velmora CCs are sent a few ticks before notes (Kontakt workaround)"},
    {kGeneralPage, {10, 122, 110, 132}, kPreserveHint, "Preserve port and channel when switching between presets"},
    {kAutomationPage, {120, 150, 226, 160}, kCc17Hint, "Set CC17 to match release velocity (Spitfire Audio support)"},
    {kAutomationPage, {10, 136, 110, 146}, kUaccHint, "Show articulation names on CC32 (Spitfire Audio UACC support)"},
    {kAutomationPage, {10, 122, 110, 132}, kParamsHint, "Toggle whether Velmora controllers use custom parameters or map to CC1-127"},
    {kGeneralPage, {10, 136, 110, 146}, kOverlapHint, "Prevent overlapping notes from cutting each other off. Allows overlaying chords"},
    {kGeneralPage, {10, 150, 110, 160}, kMiddleCHint, "Toggle whether middle C is determined as be C3 or C4"},
    {kAutomationPage, {10, 150, 110, 160}, kOptimiseHint, "Optimise automation when utilising multiple Velmoras on the same MIDI port/channel"},
};

// And those at the end of the order.
constexpr GeneralHint kLateGeneralHints[] = {
    {kAdvancedPage, {120, 122, 226, 132}, kResetStateHint, "Make sure that keyswitches, CCs and control changes are always made when switching articulation"},
    {kAdvancedPage, {10, 122, 110, 132}, kHttpHint, nullptr},  // text with the API's address
    {kAutomationPage, {10, 164, 110, 174}, kSustainHint, "Release any sustain peddle controllers held down when the transport stops"},
    {kAutomationPage, {120, 164, 226, 174}, kOmniHint, "When channel is set per-color (omni) send controller CCS to all 16 channels"},
};

constexpr const char* kTabHints[] = {
    "Switch to the articulation configuration panel",
    "Switch to the controller configuration panel",
    "Switch to the general configuration panel",
};

bool In(int x, int y, const Rect& r) { return Inside(x, y, r.left, r.top, r.right, r.bottom); }

Hint Plain(int identity, const char* text) { return {identity, text, false}; }

Hint ControllerHint(const Instance& plug, int slot, int identity) {
    const auto s = static_cast<std::size_t>(slot);
    const auto& c = plug.controllers;
    if (c.cc[s] == kUnassignedCC) {
        return {identity, "A parameter controller. Right click to configure", true};
    }
    char text[512];
    std::snprintf(text, sizeof(text), "%s (CC %i @ %i) - A parameter controller. Right click to configure", c.name[s].c_str(),
                  c.cc[s], c.value[s]);
    return {identity, text, true};
}

Hint GeneralRegionHint(const Instance& plug, const GeneralHint& h) {
    if (h.text != nullptr) {
        return Plain(h.identity, h.text);
    }
    const std::string port = plug.platform.settings().readString(platform::kVelmoraKey, "HTTP Port").value_or("8000");
    return Plain(h.identity, ("Enable the HTTP based API (http://localhost:" + port + "/api)").c_str());
}

}  // namespace

Hint HintAt(const Instance& plug, int x, int y) {
    const int tab = plug.tab;
    const int page = plug.processState->generalPage;
    const bool grid = tab == kArticulationPanel || tab == kControllerPanel;
    const bool articulation = tab == kArticulationPanel;

    if (grid) {
        const int c = GridCellAt(x, y);
        if (c >= 0) {
            const int a = plug.bankstart + c;
            char text[512];
            if (a >= 0 && a < kArticulations && !plug.articulations.name[static_cast<std::size_t>(a)].empty()) {
                std::snprintf(text, sizeof(text), "%s - An articulation. Edit the properties below or right click for more",
                              plug.articulations.name[static_cast<std::size_t>(a)].c_str());
            } else {
                std::snprintf(text, sizeof(text), "Articulation %i. Edit the properties below or right click for more", a + 1);
            }
            return Plain(kGridHint + c, text);
        }
    }
    if (tab == kGeneralPanel) {
        for (const GeneralHint& h : kEarlyGeneralHints) {
            if (h.page == page && In(x, y, h.area)) {
                return GeneralRegionHint(plug, h);
            }
        }
        if (page == kGeneralPage && plug.Host().hostVersion() >= kHostVersionSingleEditor && In(x, y, {120, 136, 226, 146})) {
            return Plain(kSingleEditorHint, "Only ever show a single Velmora editor in FL Studio to reduce clutter");
        }
    }
    if (tab == kControllerPanel) {
        if (In(x, y, {6, 102, 103, 115})) {
            return Plain(kPagesHint, "Change between the various controller pages to configure more controls. Right click to rename");
        }
        const int first = plug.controllerstart;
        if (first >= 0 && first + kControllersPerPage <= kControllers) {
            if (In(x, y, {174, 105, 230, 125})) {
                return ControllerHint(plug, first, kControllerHint);
            }
            for (int k = 0; k < 5; ++k) {
                if (In(x, y, {12 + 45 * k, 127, 46 + 45 * k, 161})) {
                    return ControllerHint(plug, first + 1 + k, kControllerHint + 1 + k);
                }
            }
        }
    }
    const bool editable = articulation && plug.editing >= 0 && plug.editing < kArticulations;
    const auto a = static_cast<std::size_t>(editable ? plug.editing : 0);
    const bool hasTable = editable && plug.articulations.keyNames[a].names != nullptr;
    if (editable) {
        if (In(x, y, {113, 106, hasTable ? 215 : 230, 119})) {
            return Plain(kKeyNamesHint, "Create, load or save custom keyboard naming schemes. Right click to configure");
        }
        if (hasTable && In(x, y, {215, 106, 230, 119})) {
            return Plain(kRemoveKeyNamesHint, "Remove a custom or loaded keyboard naming scheme map");
        }
    }
    if (In(x, y, {156, 217, 229, 228})) {
        return Plain(kMuteHint, "Click to toggle if this ZOLT Velmora instance is muted. Hold CTRL and click to toggle solo");
    }
    for (int k = 0; k < 3; ++k) {
        if (InTabButton(k, x, y)) {
            return Plain(kTabHint + k, kTabHints[k]);
        }
    }
    if (editable) {
        const int modc = plug.articulations.modc[a];
        if (In(x, y, {15, 130, 45, 160})) {
            return Plain(kIconHint, "Configure the icon for this articulation. Left-click drag to change, right click for manual entry");
        }
        if (In(x, y, {60, 130, 102, 160})) {
            return Plain(kKeyswitchHint,
                         "Configure the keyswitch. Left-click drag to change, right click for manual entry. Alt-click for keyswitch velocity");
        }
        if (modc == -2 && In(x, y, {128, 130, 166, 160})) {
            return Plain(kSecondKeyswitchHint,
                         "Configure the secondary keyswitch. Left-click drag to change, right click for manual entry");
        }
        if (modc == -3 && In(x, y, {128, 130, 166, 160})) {
            return Plain(kVelocityHint,
                         "Configure the velocity used for notes of this articulation. Left-click drag to change, right click for manual entry");
        }
        if (modc >= -1 && (In(x, y, {149, 130, 180, 160}) || In(x, y, {116, 130, 146, 160}))) {
            return Plain(kSetCcHint,
                         "Set a CC when playing notes of this articulation. Left-click drag to change, right click for manual entry");
        }
        if (In(x, y, {194, 130, 226, 160})) {
            return Plain(kProgramHint,
                         "Send a program change command when playing notes of this articulation. Left-click drag to change, right click for manual entry");
        }
    }
    if (In(x, y, {156, 190, 190, 215})) {
        return Plain(kPortHint, "Set the port for this instance of ZOLT Velmora. Left-click drag to change, right click for manual entry");
    }
    if (In(x, y, {198, 190, 224, 215})) {
        return Plain(kChannelHint,
                     "Set the channel for this instance of ZOLT Velmora. Left-click drag to change, right click for manual entry");
    }
    if (editable && In(x, y, {6, 102, 103, 124})) {
        return Plain(kNameHint, "Configure the name of this articulation. Right click to change");
    }
    if (tab == kGeneralPanel) {
        for (const GeneralHint& h : kLateGeneralHints) {
            if (h.page == page && In(x, y, h.area)) {
                return GeneralRegionHint(plug, h);
            }
        }
    }
    return {};
}

void UpdateHint(Instance& plug, int x, int y) {
    Hint hint = HintAt(plug, x, y);
    if (hint.identity == plug.lastHint && !hint.resend) {
        return;
    }
    plug.lastHint = hint.identity;
    plug.Host().hint(hint.text.data());
}

}  // namespace velmora::editor
