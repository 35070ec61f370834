// Host automation of the parameters, turned into control changes.
#include "core/plugin_instance.h"

using namespace velmora;

void ZOLTVSTExprPlug::Session_ParamChange(int index, int value) {
    if (paramknob == 0) {
        // Parameters are CC numbers.
        const int c = index + oldparams;
        bool unchanged = false;
        bool hasSlot = false;
        bool sentAsProgram = false;
        if (c != 0) {
            const int key = PortKeyOfInstance();
            for (int s = 0; s < kControllers; ++s) {
                if (controllers.cc[s] != c) {
                    continue;
                }
                if (controllers.cc[s] == kCCAsProgram) {
                    if (controllers.lock[s] == 0) {
                        Session_SendProgram(port, channel, value & 0xFF);
                        unchanged = true;
                        sentAsProgram = true;
                        break;
                    }
                    continue;
                }
                // A locked slot still owns its CC: the parameter does not
                // reach the sampler around it.
                hasSlot = true;
                if (controllers.lock[s] != 0 || c < 0 || c >= kMidiCCs) {
                    continue;
                }
                const std::int32_t recorded = Ports().ccValue[key][c];
                Ports().ccValue[key][c] = value;
                controllers.value[s] = value;
                if (recorded == value) {
                    unchanged = true;
                }
            }
        }
        // A program-change slot has answered the parameter; there is no CC 128 to send.
        if (sentAsProgram || (optimiseauto != 0 && unchanged && playing != 0) || index >= articulationParamIndex) {
            return;
        }
        if (hasSlot) {
            Session_SendChannelState(5, c);
        } else if (c >= 0 && c < kMidiCCs) {  // `oldparams` from a damaged project may push c past the CCs
            Session_SendCC(port, channel, c, value);
        }
        return;
    }

    // Parameters are the controller slots.
    if (index < 0 || index >= kControllers) {
        return;
    }
    if (controllers.cc[index] == kUnassignedCC || controllers.lock[index] != 0) {
        return;
    }
    controllers.value[index] = value;
    if (controllers.cc[index] >= kCCAsProgram) {
        Session_SendProgram(port, channel, value);
    } else {
        Session_SendCC(port, channel, controllers.cc[index], value);
    }
}
