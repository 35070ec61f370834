// The names the host asks for: parameters and their values, the piano-roll
// key names, the voice levels and the note colours.
#include <cstdarg>
#include <cstdio>

#include "core/uacc_names.h"
#include "editor/piano_roll_names.h"
#include "plugin/boundary.h"
#include "plugin/plugin.h"

using namespace velmora;

namespace {

constexpr int kUaccCC = 32;

void WriteName(char* buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));
void WriteName(char* buffer, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, plug::kNameBufferSize, format, args);
    va_end(args);
}

void ParameterName(const Instance& p, int index, char* name) {
    if (index == p.articulationParamIndex) {
        WriteName(name, "Articulation");
    } else if (p.paramknob == 1) {
        if (index < 0 || index >= kControllers) {
            WriteName(name, "Unused controller");
        } else if (p.controllers.cc[index] == kUnassignedCC) {
            WriteName(name, "Unused parameter %i", index + 1);
        } else if (p.controllers.name[index].empty()) {
            WriteName(name, "Unnamed parameter %i", index + 1);
        } else {
            WriteName(name, "%s", p.controllers.name[index].c_str());
        }
    } else {
        // Host indexes and a restored offset can be anything: add them wide.
        const long long cc = static_cast<long long>(index) + p.oldparams;
        const std::string* found = nullptr;
        for (int c = 0; c < kControllers; ++c) {
            if (p.controllers.cc[c] == cc && !p.controllers.name[c].empty()) {
                found = &p.controllers.name[c];
            }
        }
        if (found != nullptr) {
            WriteName(name, "%s", found->c_str());
        } else {
            WriteName(name, "CC %lld", cc);
        }
    }
}

void ParameterValueName(const Instance& p, int index, int value, char* name) {
    const bool uacc = p.showuacc != 0 && ((p.paramknob == 0 && index == kUaccCC) ||
                                          (p.paramknob == 1 && index >= 0 && index < kControllers &&
                                           p.controllers.cc[index] == kUaccCC));
    if (uacc) {
        WriteName(name, "%s", UaccName(value));
    } else if (index >= p.articulationParamIndex) {
        const int a = ArticulationFromParam(value);
        if (a == 0) {
            WriteName(name, "By voice colour");
        } else if (p.articulations.name[a - 1].empty()) {
            WriteName(name, "Articulation %i", a);
        } else {
            WriteName(name, "%s", p.articulations.name[a - 1].c_str());
        }
    } else if (p.paramknob == 0) {
        WriteName(name, "CC %i: %i", index, value);
    } else {
        WriteName(name, "%i", value);
    }
}

// The key name of piano-roll note `index` for the articulation of colour `value`.
void KeyName(Instance& p, int index, int value, char* name) {
    if (const std::string* key = editor::PianoRollKeyName(p, index, value)) {
        WriteName(name, "%s", key->c_str());
    }
}

void VoiceLevelName(const Instance& p, int index, char* name) {
    if (p.articbanks != 0) {
        if (index == 0) {
            WriteName(name, "Articulation Bank");
        } else if (index == 1) {
            WriteName(name, "Unused parameter");
        }
    } else if (index == 0 || index == 1) {
        WriteName(name, "Unsupported parameter 1");
    }
}

void ColourName(const Instance& p, int index, char* name) {
    // Only the 64 articulations have names; a colour outside a bank names none.
    const long long a = static_cast<long long>(kBankSize) * p.currentBank + index;
    if (index >= 0 && index < kBankSize && a >= 0 && a < kArticulations) {
        WriteName(name, "%s", p.articulations.name[a].c_str());
    }
}

}  // namespace

void ZOLTVSTExprPlug::GetName(int section, int index, int value, char* name) {
    Guarded(Host(), logIdentity, "GetName", [&] {
        switch (section) {
            case plug::FPN_Param: ParameterName(*this, index, name); return;
            case plug::FPN_ParamValue: ParameterValueName(*this, index, value, name); return;
            case plug::FPN_Semitone: KeyName(*this, index, value, name); return;
            case plug::FPN_VoiceLevel:
            case plug::FPN_VoiceLevelHint: VoiceLevelName(*this, index, name); return;
            case plug::FPN_Color:
            case plug::FPN_ColorHint: ColourName(*this, index, name); return;
            default: return;
        }
    });
}
