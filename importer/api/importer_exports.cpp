// The importer library's exports: C linkage, no decoration, nothing else
// visible (see exports.map).
#include "importer/api/articulations_api.h"

#include <type_traits>

extern "C" {

__attribute__((visibility("default"))) velmora::ImportedArticulations* GetArticulations(const char* path,
                                                                                        std::int32_t keyswitchMode) {
    return velmora::api::getArticulations(path, keyswitchMode);
}

__attribute__((visibility("default"))) void Free(velmora::ImportedArticulations* record) {
    velmora::api::freeArticulations(record);
}

}  // extern "C"

// The exports must keep the signatures the plugin looks them up with.
static_assert(std::is_same_v<decltype(&GetArticulations), velmora::GetArticulationsFunction>);
static_assert(std::is_same_v<decltype(&Free), velmora::FreeFunction>);
