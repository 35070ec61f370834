// The General panel's switches.
#include "editor/general_options.h"

#include <array>

#include "core/instance.h"

namespace velmora::editor {

namespace {

using S = GeneralOption::Shared;

constexpr std::array kOptions{
    GeneralOption{kGeneralPage, 26, 122, "Preserve Port/Channel", {10, 122, 110, 132}, &Options::preserveport, S::None, false},
    GeneralOption{kGeneralPage, 136, 122, "Multiple artic. banks", {120, 122, 226, 132}, &Options::articbanks, S::None, false},
    GeneralOption{kGeneralPage, 26, 136, "Allow overlapping notes", {10, 136, 110, 146}, &Options::allowoverlap, S::None, false},
    GeneralOption{kGeneralPage, 136, 136, "Show single editor", {120, 136, 226, 146}, nullptr, S::SingleEditor, false},
    GeneralOption{kGeneralPage, 26, 150, "Alternative Middle C", {10, 150, 110, 160}, &Options::altmiddlec, S::None, false},
    GeneralOption{kAutomationPage, 26, 122, "Parameters control CC", {10, 122, 110, 132}, &Options::paramknob, S::None, true},
    GeneralOption{kAutomationPage, 136, 122, "CC Ghosting", {120, 122, 226, 132}, &Options::ccghosting, S::None, false},
    GeneralOption{kAutomationPage, 26, 136, "Show UACC on CC32", {10, 136, 110, 146}, &Options::showuacc, S::None, false},
    GeneralOption{kAutomationPage, 136, 136, "Kontakt CC timing fix", {120, 136, 226, 146}, &Options::cctimingfix, S::None, false},
    GeneralOption{kAutomationPage, 26, 150, "Optimise automation", {10, 150, 110, 160}, &Options::optimiseauto, S::None, false},
    GeneralOption{kAutomationPage, 136, 150, "Rls. velocity to CC17", {120, 150, 226, 160}, &Options::releasetocc117, S::None, false},
    GeneralOption{kAutomationPage, 26, 164, "Release CC64 on stop", {10, 164, 110, 174}, &Options::cc64release, S::None, false},
    GeneralOption{kAutomationPage, 136, 164, "All channel CC in omni", {120, 164, 226, 174}, &Options::allchannelomni, S::None, false},
    GeneralOption{kAdvancedPage, 26, 122, "Enable HTTP API", {5, 122, 110, 132}, nullptr, S::HttpApi, false},
    GeneralOption{kAdvancedPage, 136, 122, "Reset state on switch", {120, 122, 226, 132}, &Options::resetstate, S::None, false},
    GeneralOption{kAdvancedPage, 26, 136, "MIDI Extend", {5, 136, 110, 146}, &Options::midiextend, S::None, false},
    GeneralOption{kAdvancedPage, 136, 136, "Only Ghost transport", {120, 136, 226, 146}, &Options::ccghostontransport, S::None, false},
    GeneralOption{kAdvancedPage, 26, 150, "Hold KS momentarily", {5, 150, 110, 160}, &Options::holdkeyswitch, S::None, false},
};

constexpr std::int32_t kHostVersionSingleEditor = 12000000;

}  // namespace

std::span<const GeneralOption> GeneralOptions() { return kOptions; }

int OptionTicked(const GeneralOption& option, const Instance& plug) {
    switch (option.shared) {
        case S::HttpApi:
            return plug.processState->httpApiEnabled != 0 ? 1 : 0;
        case S::SingleEditor:
            // Older hosts always get a single editor.
            return plug.Host().hostVersion() < kHostVersionSingleEditor || plug.processState->showsingle != 0 ? 1 : 0;
        case S::None:
            break;
    }
    const bool on = plug.*option.field != 0;
    return on != option.inverted ? 1 : 0;
}

}  // namespace velmora::editor
