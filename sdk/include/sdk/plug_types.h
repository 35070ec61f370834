#pragma once
// Basic types of the host plugin contract, as the host declares them.
#include <cstdint>

using BOOL = std::int32_t;
using HWND = void*;
using HINSTANCE = void*;
using TVoiceHandle = std::intptr_t;
using TOutVoiceHandle = std::intptr_t;
using TPluginTag = std::intptr_t;

// One stereo frame of the host's float buffers.
using TWAV32FS = float[2];
using PWAV32FS = TWAV32FS*;

// One entry of the host's parameter menu, as FHD_ParamMenuText answers it; the
// host keeps it alive until its next call. A Name starting with "-" is a separator.
struct TParamMenuEntry {
    char* Name;
    std::int32_t Flags;  // plug::kParamMenuGreyed, plug::kParamMenuTicked
};
using PParamMenuEntry = TParamMenuEntry*;
