// A click on an option of the General panel switches it, with what else
// the option's change needs.
#include "core/instance.h"
#include "core/plugin_info.h"
#include "editor/command_hooks.h"
#include "editor/general_options.h"
#include "http/server_control.h"

namespace velmora::editor {

namespace {

using Shared = GeneralOption::Shared;

constexpr std::int32_t kHostVersionSingleEditor = 12000000;
constexpr int kSlotLayoutParams = kArticulationParamSlots + 1;  // the slots and the articulation

bool Offered(const GeneralOption& option, const Instance& plug) {
    // Older hosts always get a single editor: nothing to switch.
    return option.shared != Shared::SingleEditor || plug.Host().hostVersion() >= kHostVersionSingleEditor;
}

bool InArea(const GeneralOption& option, int x, int y) {
    const Rect& r = option.clickArea;
    return Inside(x, y, r.left, r.top, r.right, r.bottom);
}

std::int32_t Flipped(std::int32_t value) { return value != 0 ? 0 : 1; }

// The server follows the switch, and the switch is kept for the next process.
void SwitchHttpApi(Instance& plug) {
    ProcessState& process = *plug.processState;
    const bool wasOn = process.httpApiEnabled != 0;
    process.httpApiEnabled = wasOn ? 0 : 1;
    if (wasOn) {
        http::StopServer(plug);
    } else {
        http::StartServer(plug);
    }
    plug.platform.settings().writeDword(platform::kVelmoraKey, "HTTP API",
                                        static_cast<std::uint32_t>(process.httpApiEnabled));
}

// What else changes with an option of the instance.
void AfterSwitch(Instance& plug, std::int32_t Options::*field) {
    if (field == &Options::articbanks) {
        if (plug.articbanks == 0) {
            plug.currentBank = 0;
            plug.bankstart = 0;
        }
        plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesVoiceLevels);
        plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesVoiceLevelHints);
    } else if (field == &Options::altmiddlec) {
        plug.BuildNoteNames();
    } else if (field == &Options::paramknob) {
        if (plug.paramknob == 0) {
            plug.Host().setNumParams(PluginInfo().NumParams);
            plug.articulationParamIndex = kArticulationParamCC;
        } else {
            plug.Host().setNumParams(kSlotLayoutParams);
            plug.articulationParamIndex = kArticulationParamSlots;
        }
        plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesParams);
    }
}

void Switch(Instance& plug, const GeneralOption& option) {
    switch (option.shared) {
        case Shared::HttpApi:
            // Kept in the user's settings, not in the project: the host has nothing to save.
            SwitchHttpApi(plug);
            return;
        case Shared::SingleEditor:
            plug.processState->showsingle = Flipped(plug.processState->showsingle);
            break;
        case Shared::None:
            plug.*option.field = Flipped(plug.*option.field);
            AfterSwitch(plug, option.field);
            break;
    }
    // Every other option is saved with the project.
    plug.Host().stateChanged();
}

}  // namespace

bool GeneralOptionClick(Instance& plug, int x, int y) {
    const int page = plug.processState->generalPage;
    for (const GeneralOption& option : GeneralOptions()) {
        if (option.page == page && InArea(option, x, y) && Offered(option, plug)) {
            Switch(plug, option);
            plug.RepaintEditor(Repaint::Whole);
            return true;
        }
    }
    return false;
}

}  // namespace velmora::editor
