#pragma once
#include "sdk/plug_constants.h"
#include "sdk/plug_info.h"

namespace velmora {

inline constexpr std::int32_t kPluginFlags = plug::FPF_WantNewTick | plug::FPF_NoProcess |
                                             plug::FPF_EditorInHostWindow | plug::FPF_MIDIOut |
                                             plug::FPF_NewVoiceParams;
static_assert(kPluginFlags == 0x00204460);

// The one description record shared by every instance.
TFruityPlugInfo& PluginInfo();

}  // namespace velmora
