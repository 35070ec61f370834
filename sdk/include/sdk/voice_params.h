#pragma once
// Per-voice levels the host passes to TriggerVoice.
#include <cstddef>

struct TLevelParams {
    float Pan;
    float Vol;
    float Pitch;  // cents
    float FCut;   // the piano roll's MOD X, -1..1
    float FRes;   // the piano roll's MOD Y, -1..1
};

struct TVoiceParams {
    TLevelParams InitLevels;
    TLevelParams FinalLevels;
};
using PVoiceParams = TVoiceParams*;

static_assert(sizeof(TLevelParams) == 20);
static_assert(offsetof(TLevelParams, Vol) == 4);
static_assert(offsetof(TLevelParams, Pitch) == 8);
static_assert(offsetof(TLevelParams, FCut) == 12);
static_assert(offsetof(TLevelParams, FRes) == 16);
static_assert(sizeof(TVoiceParams) == 40);
static_assert(offsetof(TVoiceParams, FinalLevels) == 20);
