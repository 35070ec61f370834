#pragma once
// The record the importer library hands to the plugin. Both libraries compile
// against this exact layout, so it is pinned by the asserts below.
#include <cstddef>
#include <cstdint>

namespace velmora {

inline constexpr int kImportedArticulationsMax = 128;

struct ImportedArticulations {
    std::int32_t count;  // entries filled, 0..128; the others are never read
    // Entry i's name: UTF-8, NUL-terminated, allocated by the library with new[].
    char* names[kImportedArticulationsMax];
    std::int32_t icon[kImportedArticulationsMax];
    std::int32_t note[kImportedArticulationsMax];
    std::int32_t notev[kImportedArticulationsMax];
    std::int32_t prog[kImportedArticulationsMax];
    std::int32_t modw[kImportedArticulationsMax];
    std::int32_t modc[kImportedArticulationsMax];
};

static_assert(sizeof(void*) == 8, "the record is laid out for 64-bit pointers");
static_assert(sizeof(ImportedArticulations) == 4104);
static_assert(offsetof(ImportedArticulations, count) == 0);
static_assert(offsetof(ImportedArticulations, names) == 8);
static_assert(offsetof(ImportedArticulations, icon) == 1032);
static_assert(offsetof(ImportedArticulations, note) == 1544);
static_assert(offsetof(ImportedArticulations, notev) == 2056);
static_assert(offsetof(ImportedArticulations, prog) == 2568);
static_assert(offsetof(ImportedArticulations, modw) == 3080);
static_assert(offsetof(ImportedArticulations, modc) == 3592);

// The library's two exports, looked up by these names.
inline constexpr const char* kGetArticulationsSymbol = "GetArticulations";
inline constexpr const char* kFreeSymbol = "Free";
// path: 8-bit, NUL-terminated; only the low 8 bits of keyswitchMode count.
// Never returns null.
using GetArticulationsFunction = ImportedArticulations* (*)(const char* path, std::int32_t keyswitchMode);
// Releases the names of entries 0..count-1, then the record.
using FreeFunction = void (*)(ImportedArticulations* record);

}  // namespace velmora
