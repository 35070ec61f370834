// The operations the host calls: messages, names and parameters. Notes and
// ticks are in engine/voices.cpp.
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/dropped_files.h"
#include "core/plugin_instance.h"
#include "core/uacc_names.h"
#include "http/server_control.h"
#include "persistence/project_state.h"

using namespace velmora;

namespace {

constexpr int kUaccCC = 32;
constexpr std::int32_t kHostVersionNoteNamesByColour = 12000000;
constexpr std::int32_t kHostVersionNoteNamesFixed = 12003000;
constexpr int kKeyNameTop = 131;  // piano-roll note n shows key-name entry 131 − n

// Articulation parameter value 0..127 → 0 ("By voice colour") or 1..64.
int ArticulationFromParam(int value) {
    const long long a = static_cast<long long>(value) * 64 / 127;
    if (a < 0) {
        return 0;
    }
    return a > kArticulations ? kArticulations : static_cast<int>(a);
}

void WriteName(char* buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
void WriteName(char* buffer, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, plug::kNameBufferSize, format, args);
    va_end(args);
}

}  // namespace

std::intptr_t ZOLTVSTExprPlug::Dispatcher(std::intptr_t id, std::intptr_t /*index*/, std::intptr_t value) {
    switch (id) {
        case plug::FPD_ShowEditor:
            // The editor window attaches and detaches here once it exists.
            visible = value != 0 ? 1 : 0;
            parentWindow = reinterpret_cast<HWND>(value);
            return 0;
        case plug::FPD_GetVoiceLevels: return articbanks != 0 ? plug::kVoiceLevelModX : 0;
        case plug::FPD_Transport: Session_Transport(value); return 0;
        case plug::FPD_DroppedFile:
            HandleDroppedFile(*this, reinterpret_cast<const char*>(value));
            return 0;
        case plug::FPD_SetSamplesPerTick:
            samplesPerTick = std::bit_cast<float>(static_cast<std::uint32_t>(value));
            return 0;
        default: return 0;
    }
}

void ZOLTVSTExprPlug::Idle_Public() { http::PollFromIdle(*this); }

void ZOLTVSTExprPlug::SaveRestoreState(IStream* stream, BOOL save) {
    if (stream == nullptr) {
        return;
    }
    if (save != 0) {
        SaveProjectState(*this, *stream);
    } else {
        RestoreProjectState(*this, *stream);
    }
}

void ZOLTVSTExprPlug::GetName(int section, int index, int value, char* name) {
    switch (section) {
        case plug::FPN_Param: {
            if (index == articulationParamIndex) {
                WriteName(name, "Articulation");
            } else if (paramknob == 1) {
                if (index < 0 || index >= kControllers) {
                    WriteName(name, "Unused controller");
                } else if (controllers.cc[index] == kUnassignedCC) {
                    WriteName(name, "Unused parameter %i", index + 1);
                } else if (controllers.name[index].empty()) {
                    WriteName(name, "Unnamed parameter %i", index + 1);
                } else {
                    WriteName(name, "%s", controllers.name[index].c_str());
                }
            } else {
                const int cc = index + oldparams;
                const std::string* found = nullptr;
                for (int c = 0; c < kControllers; ++c) {
                    if (controllers.cc[c] == cc && !controllers.name[c].empty()) {
                        found = &controllers.name[c];
                    }
                }
                if (found != nullptr) {
                    WriteName(name, "%s", found->c_str());
                } else {
                    WriteName(name, "CC %i", cc);
                }
            }
            return;
        }
        case plug::FPN_ParamValue: {
            const bool uacc = showuacc != 0 && ((paramknob == 0 && index == kUaccCC) ||
                                                (paramknob == 1 && index >= 0 && index < kControllers &&
                                                 controllers.cc[index] == kUaccCC));
            if (uacc) {
                WriteName(name, "%s", UaccName(value));
            } else if (index >= articulationParamIndex) {
                const int a = ArticulationFromParam(value);
                if (a == 0) {
                    WriteName(name, "By voice colour");
                } else if (articulations.name[a - 1].empty()) {
                    WriteName(name, "Articulation %i", a);
                } else {
                    WriteName(name, "%s", articulations.name[a - 1].c_str());
                }
            } else if (paramknob == 0) {
                WriteName(name, "CC %i: %i", index, value);
            } else {
                WriteName(name, "%i", value);
            }
            return;
        }
        case plug::FPN_Semitone: {
            int a = value + kBankSize * currentBank;
            if (a < 0 || a >= kArticulations) {
                a = 0;
            }
            const std::int32_t version = Host().hostVersion();
            if (version >= kHostVersionNoteNamesByColour && version < kHostVersionNoteNamesFixed) {
                a = currentArticulation >= 0 && currentArticulation < kArticulations ? currentArticulation : 0;
            }
            pendingArticulation = a;
            namesAsked = 1;
            const int entry = kKeyNameTop - index;
            const KeyNameMap& keys = articulations.keyNames[a];
            if (keys.names && entry >= 0 && entry < kKeyNameEntries) {
                WriteName(name, "%s", (*keys.names)[entry].c_str());
            }
            return;
        }
        case plug::FPN_VoiceLevel:
        case plug::FPN_VoiceLevelHint:
            if (articbanks != 0) {
                if (index == 0) {
                    WriteName(name, "Articulation Bank");
                } else if (index == 1) {
                    WriteName(name, "Unused parameter");
                }
            } else if (index == 0 || index == 1) {
                WriteName(name, "Unsupported parameter 1");
            }
            return;
        case plug::FPN_Color:
        case plug::FPN_ColorHint: {
            // Only the 64 articulations have names; a colour outside a bank names none.
            const int a = kBankSize * currentBank + index;
            if (index >= 0 && index < kBankSize && a >= 0 && a < kArticulations) {
                WriteName(name, "%s", articulations.name[a].c_str());
            }
            return;
        }
        default: return;
    }
}

int ZOLTVSTExprPlug::ProcessEvent(int eventId, int eventValue, int /*flags*/) {
    return Session_ChannelEvent(eventId, eventValue);
}

int ZOLTVSTExprPlug::ProcessParam(int index, int value, int flags) {
    if ((flags & plug::REC_FromMIDI) != 0) {
        value = static_cast<int>(static_cast<float>(value) * 0.0019378662109375f);
    }
    if (index >= Info->NumParams) {
        return value;
    }
    if ((flags & plug::REC_UpdateValue) != 0) {
        Session_ParamChange(index, value);
        if (index == articulationParamIndex) {
            articulationParam = ArticulationFromParam(value);
            if (articulationParam != 0 && Session_CheckArticulation(articulationParam - 1) != 0) {
                currentArticulation = articulationParam - 1;
            }
        }
        if ((flags & plug::REC_ShowHint) != 0) {
            char hint[32];
            std::snprintf(hint, sizeof(hint), "%d", value * 100 / 127);
            Host().hint(hint);
        }
    }
    if ((flags & plug::REC_UpdateControl) != 0 && tab == 1) {
        if (index >= articulationParamIndex) {
            RepaintEditor(Repaint::GridOnly);
        } else {
            const int c = index + oldparams;
            for (int k = 0; k < kControllersPerPage; ++k) {
                const int slot = controllerstart + k;
                if (slot < 0 || slot >= kControllers) {
                    continue;
                }
                if ((paramknob == 1 && slot == c) || (paramknob == 0 && controllers.cc[slot] == c)) {
                    RepaintEditor(Repaint::Whole);
                    break;
                }
            }
        }
    }
    if ((flags & plug::REC_GetValue) != 0) {
        const int c = index + oldparams;
        for (int s = 0; s < kControllers; ++s) {
            if (controllers.cc[s] == c) {
                return controllers.value[s];
            }
        }
    }
    return value;
}

void ZOLTVSTExprPlug::Eff_Render(PWAV32FS, PWAV32FS, int) {}
void ZOLTVSTExprPlug::Gen_Render(PWAV32FS, int&) {}
void ZOLTVSTExprPlug::MIDITick() {}
void ZOLTVSTExprPlug::MIDIIn(int&) {}
void ZOLTVSTExprPlug::MsgIn(std::intptr_t) {}
int ZOLTVSTExprPlug::OutputVoice_ProcessEvent(TOutVoiceHandle, int, int, int) { return 0; }
void ZOLTVSTExprPlug::OutputVoice_Kill(TVoiceHandle) {}
