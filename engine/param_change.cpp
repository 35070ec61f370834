// Host automation of the parameters, turned into control changes.
#include "engine/param_change.h"

#include <cstdio>
#include <limits>

#include "core/plugin_info.h"
#include "engine/articulation_switch.h"
#include "engine/channel_state.h"
#include "engine/midi_out.h"

namespace velmora {

void Session_ParamChange(Instance& inst, int index, int value) {
    if (inst.paramknob == 0) {
        // Parameters are CC numbers. A restored offset can push the sum past
        // any int: no slot holds such a CC and nothing is sent for it.
        const long long wide = static_cast<long long>(index) + inst.oldparams;
        if (wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) {
            return;
        }
        const int c = static_cast<int>(wide);
        bool unchanged = false;
        bool hasSlot = false;
        bool sentAsProgram = false;
        if (c != 0) {
            const int key = inst.PortKeyOfInstance();
            for (int s = 0; s < kControllers; ++s) {
                if (inst.controllers.cc[s] != c) {
                    continue;
                }
                if (inst.controllers.cc[s] == kCCAsProgram) {
                    if (inst.controllers.lock[s] == 0) {
                        Session_SendProgram(inst, inst.port, inst.channel, value & 0xFF);
                        unchanged = true;
                        sentAsProgram = true;
                        break;
                    }
                    continue;
                }
                // A locked slot still owns its CC: the parameter does not
                // reach the sampler around it.
                hasSlot = true;
                if (inst.controllers.lock[s] != 0 || c < 0 || c >= kMidiCCs) {
                    continue;
                }
                const std::int32_t recorded = inst.Ports().ccValue[key][c];
                inst.Ports().ccValue[key][c] = value;
                inst.controllers.value[s] = value;
                if (recorded == value) {
                    unchanged = true;
                }
            }
        }
        // A program-change slot has answered the parameter; there is no CC 128 to send.
        if (sentAsProgram || (inst.optimiseauto != 0 && unchanged && inst.playing != 0) || index >= inst.articulationParamIndex) {
            return;
        }
        if (hasSlot) {
            Session_SendChannelState(inst, 5, c);
        } else if (c >= 0 && c < kMidiCCs) {  // `oldparams` from a damaged project may push c past the CCs
            Session_SendCC(inst, inst.port, inst.channel, c, value);
        }
        return;
    }

    // Parameters are the controller slots.
    if (index < 0 || index >= kControllers) {
        return;
    }
    if (inst.controllers.cc[index] == kUnassignedCC || inst.controllers.lock[index] != 0) {
        return;
    }
    inst.controllers.value[index] = value;
    if (inst.controllers.cc[index] >= kCCAsProgram) {
        Session_SendProgram(inst, inst.port, inst.channel, value);
    } else {
        Session_SendCC(inst, inst.port, inst.channel, inst.controllers.cc[index], value);
    }
}

int ProcessParam(Instance& inst, int index, int value, int flags) {
    if ((flags & plug::REC_FromMIDI) != 0) {
        value = static_cast<int>(static_cast<float>(value) * 0.0019378662109375f);
    }
    if (index >= PluginInfo().NumParams) {
        return value;
    }
    if ((flags & plug::REC_UpdateValue) != 0) {
        Session_ParamChange(inst, index, value);
        if (index == inst.articulationParamIndex) {
            inst.articulationParam = ArticulationFromParam(value);
            if (inst.articulationParam != 0 && Session_CheckArticulation(inst, inst.articulationParam - 1) != 0) {
                inst.currentArticulation = inst.articulationParam - 1;
            }
        }
        if ((flags & plug::REC_ShowHint) != 0) {
            char hint[32];
            std::snprintf(hint, sizeof(hint), "%lld", static_cast<long long>(value) * 100 / 127);
            inst.Host().hint(hint);
        }
    }
    if ((flags & plug::REC_UpdateControl) != 0 && inst.tab == 1) {
        if (index >= inst.articulationParamIndex) {
            inst.RepaintEditor(Repaint::GridOnly);
        } else {
            const long long c = static_cast<long long>(index) + inst.oldparams;
            for (int k = 0; k < kControllersPerPage; ++k) {
                const int slot = inst.controllerstart + k;
                if (slot < 0 || slot >= kControllers) {
                    continue;
                }
                if ((inst.paramknob == 1 && slot == c) || (inst.paramknob == 0 && inst.controllers.cc[slot] == c)) {
                    inst.RepaintEditor(Repaint::Whole);
                    break;
                }
            }
        }
    }
    if ((flags & plug::REC_GetValue) != 0) {
        const long long c = static_cast<long long>(index) + inst.oldparams;
        for (int s = 0; s < kControllers; ++s) {
            if (inst.controllers.cc[s] == c) {
                return inst.controllers.value[s];
            }
        }
    }
    return value;
}

}  // namespace velmora
