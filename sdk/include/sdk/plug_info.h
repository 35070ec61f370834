#pragma once
// The static description record a plugin publishes through TFruityPlug::Info.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct TFruityPlugInfo {
    std::int32_t SDKVersion;
    char* LongName;
    char* ShortName;
    std::int32_t Flags;
    std::int32_t NumParams;
    std::int32_t DefPoly;
    std::int32_t NumOutCtrls;
    std::int32_t NumOutVoices;
    std::int32_t Reserved[30];
};
#pragma pack(pop)
using PFruityPlugInfo = TFruityPlugInfo*;

static_assert(sizeof(void*) == 8, "the host contract is 64-bit only");
static_assert(offsetof(TFruityPlugInfo, SDKVersion) == 0);
static_assert(offsetof(TFruityPlugInfo, LongName) == 4);
static_assert(offsetof(TFruityPlugInfo, ShortName) == 12);
static_assert(offsetof(TFruityPlugInfo, Flags) == 20);
static_assert(offsetof(TFruityPlugInfo, NumParams) == 24);
static_assert(offsetof(TFruityPlugInfo, DefPoly) == 28);
static_assert(offsetof(TFruityPlugInfo, NumOutCtrls) == 32);
static_assert(offsetof(TFruityPlugInfo, NumOutVoices) == 36);
static_assert(offsetof(TFruityPlugInfo, Reserved) == 40);
static_assert(sizeof(TFruityPlugInfo) == 160);
