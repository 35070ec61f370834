#pragma once
// Articulations, controller slots and key names: the instance keeps each
// field as a parallel array; the value records here carry one entry around
// (clipboards, files).
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/limits.h"

namespace velmora {

// `modc` values that are not CC numbers.
inline constexpr std::int32_t kModNoCC = -1;           // "Set CC to value" without a CC yet
inline constexpr std::int32_t kModSecondKeyswitch = -2;
inline constexpr std::int32_t kModPlayVelocity = -3;

inline constexpr std::int32_t kDefaultIcon = 55;
inline constexpr std::int32_t kUnassignedCC = 255;
inline constexpr std::int32_t kCCAsProgram = 128;

// Articulation parameter value 0..127 → 0 ("By voice colour") or 1..64.
constexpr int ArticulationFromParam(int value) {
    const long long a = static_cast<long long>(value) * 64 / 127;
    if (a < 0) {
        return 0;
    }
    return a > kArticulations ? kArticulations : static_cast<int>(a);
}

using KeyNames = std::array<std::string, kKeyNameEntries>;

struct KeyNameMap {
    std::unique_ptr<KeyNames> names;  // absent until a file was loaded
    std::string path;
    std::string title;
    std::uint8_t missing = 0;

    void clear() {
        names.reset();
        path.clear();
        title.clear();
        missing = 0;
    }
};

struct Articulation {
    std::string name;
    std::int32_t icon = kDefaultIcon;
    std::int32_t note = -1;
    std::int32_t notev = 127;
    std::int32_t prog = -1;
    std::int32_t modw = -1;
    std::int32_t modc = -1;
};

struct ArticulationTable {
    std::array<std::string, kArticulations> name;
    std::array<std::int32_t, kArticulations> icon;
    std::array<std::int32_t, kArticulations> note;
    std::array<std::int32_t, kArticulations> notev;
    std::array<std::int32_t, kArticulations> prog;
    std::array<std::int32_t, kArticulations> modw;
    std::array<std::int32_t, kArticulations> modc;
    std::array<KeyNameMap, kArticulations> keyNames;

    Articulation get(int a) const { return {name[a], icon[a], note[a], notev[a], prog[a], modw[a], modc[a]}; }
    void set(int a, const Articulation& v);
    void reset(int a) { set(a, Articulation{}); }
    // Every field but the name at its default.
    bool isEmpty(int a) const;
    // Empty, unnamed and without key names.
    bool isBlank(int a) const;
};

struct Controller {
    std::string name;
    std::int32_t type = 0;
    std::int32_t defaultValue = 127;
    std::int32_t cc = kUnassignedCC;
    std::int32_t on = 1;
    std::int32_t value = 127;
    std::int32_t lock = 0;
};

struct ControllerTable {
    std::array<std::string, kControllers> name;
    std::array<std::int32_t, kControllers> type;
    std::array<std::int32_t, kControllers> defaultValue;
    std::array<std::int32_t, kControllers> cc;
    std::array<std::int32_t, kControllers> on;
    std::array<std::int32_t, kControllers> value;
    std::array<std::int32_t, kControllers> lock;

    Controller get(int c) const { return {name[c], type[c], defaultValue[c], cc[c], on[c], value[c], lock[c]}; }
    void set(int c, const Controller& v);
    // All 96 slots at their defaults, the first six preset.
    void setDefaults();
};

}  // namespace velmora
