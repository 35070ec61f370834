#include "core/articulation.h"

namespace velmora {

void ArticulationTable::set(int a, const Articulation& v) {
    name[a] = v.name;
    icon[a] = v.icon;
    note[a] = v.note;
    notev[a] = v.notev;
    prog[a] = v.prog;
    modw[a] = v.modw;
    modc[a] = v.modc;
}

bool ArticulationTable::isEmpty(int a) const {
    const Articulation d;
    return icon[a] == d.icon && note[a] == d.note && notev[a] == d.notev && prog[a] == d.prog && modw[a] == d.modw &&
           modc[a] == d.modc;
}

bool ArticulationTable::isBlank(int a) const {
    const KeyNameMap& k = keyNames[a];
    return isEmpty(a) && name[a].empty() && !k.names && k.path.empty() && k.title.empty() && k.missing == 0;
}

void ControllerTable::set(int c, const Controller& v) {
    name[c] = v.name;
    type[c] = v.type;
    defaultValue[c] = v.defaultValue;
    cc[c] = v.cc;
    on[c] = v.on;
    value[c] = v.value;
    lock[c] = v.lock;
}

void ControllerTable::setDefaults() {
    struct Preset {
        const char* name;
        std::int32_t cc;
        std::int32_t type;
        std::int32_t value;  // also the default
    };
    static constexpr Preset kPresets[] = {
        {"Dynamics", 1, 0, 127}, {"Breath", 2, 0, 127}, {"Expression", 11, 0, 127},
        {"Speed", 16, 0, 127},   {"Vibrato", 21, 0, 127}, {"Hold", 64, 1, 0},
    };
    for (int c = 0; c < kControllers; ++c) {
        set(c, Controller{});
    }
    int c = 0;
    for (const Preset& p : kPresets) {
        Controller slot;
        slot.name = p.name;
        slot.cc = p.cc;
        slot.type = p.type;
        slot.defaultValue = p.value;
        slot.value = p.value;
        set(c++, slot);
    }
}

}  // namespace velmora
