#pragma once
// Converting the articulations between the two UACC conventions: a keyswitch
// note whose velocity names the articulation (KS), or controller 32 whose
// value names it (CC).
#include "core/articulation.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

inline constexpr std::int32_t kUaccController = 32;

// The table operations; each answers how many articulations it converted.
int UaccKeyswitchesToControllers(ArticulationTable& table);
int UaccControllersToKeyswitches(ArticulationTable& table);

// The menu commands: convert, tell the user and the host how many changed
// (nothing when none did) and repaint. Interface thread.
void ConvertUaccKsToCc(Instance& plug);
void ConvertUaccCcToKs(Instance& plug);

}  // namespace velmora::editor
