#include "http/api_options.h"

#include "core/plugin_instance.h"

namespace velmora {

namespace {

#define VELMORA_FIELD_OPTION(name)                                                     \
    ApiOption {                                                                       \
        #name, [](const ZOLTVSTExprPlug& p) { return p.name != 0; },                  \
            [](ZOLTVSTExprPlug& p, bool on) { p.name = on ? 1 : 0; }                  \
    }

constexpr ApiOption kOptions[] = {
    VELMORA_FIELD_OPTION(midiextend),
    VELMORA_FIELD_OPTION(ccghosting),
    VELMORA_FIELD_OPTION(ccghostontransport),
    VELMORA_FIELD_OPTION(holdkeyswitch),
    VELMORA_FIELD_OPTION(cctimingfix),
    VELMORA_FIELD_OPTION(cc64release),
    VELMORA_FIELD_OPTION(allchannelomni),
    VELMORA_FIELD_OPTION(preserveport),
    VELMORA_FIELD_OPTION(releasetocc117),
    VELMORA_FIELD_OPTION(resetstate),
    VELMORA_FIELD_OPTION(showuacc),
    // Shows and takes the inverse: true means parameters stand for CC numbers.
    ApiOption{"parameterccs", [](const ZOLTVSTExprPlug& p) { return p.paramknob == 0; },
              [](ZOLTVSTExprPlug& p, bool on) { p.paramknob = on ? 0 : 1; }},
    VELMORA_FIELD_OPTION(allowoverlap),
    VELMORA_FIELD_OPTION(altmiddlec),
    VELMORA_FIELD_OPTION(optimiseauto),
    // Process-wide: reached through the instance's own process state.
    ApiOption{"showsingle", [](const ZOLTVSTExprPlug& p) { return p.processState->showsingle != 0; },
              [](ZOLTVSTExprPlug& p, bool on) { p.processState->showsingle = on ? 1 : 0; }},
    VELMORA_FIELD_OPTION(articbanks),
};

#undef VELMORA_FIELD_OPTION

}  // namespace

std::span<const ApiOption> ApiOptions() { return kOptions; }

const ApiOption* FindApiOption(std::string_view key) {
    for (const ApiOption& o : kOptions) {
        if (key == o.key) {
            return &o;
        }
    }
    return nullptr;
}

}  // namespace velmora
