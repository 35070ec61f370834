#include "importer/container/patch_handles.h"

#include <algorithm>
#include <vector>

namespace velmora::container {

namespace {

std::vector<std::unique_ptr<PatchHandle>>& openHandles() {
    static std::vector<std::unique_ptr<PatchHandle>> handles;
    return handles;
}

}  // namespace

PatchHandle* addOpenHandle(std::unique_ptr<PatchHandle> handle) {
    openHandles().push_back(std::move(handle));
    return openHandles().back().get();
}

PatchHandle* findOpenHandle(const PatchHandle* handle) {
    for (const auto& h : openHandles()) {
        if (h.get() == handle && handle != nullptr) {
            return h.get();
        }
    }
    return nullptr;
}

bool closePatch(PatchHandle* handle) {
    auto& handles = openHandles();
    const auto it = std::find_if(handles.begin(), handles.end(),
                                 [&](const auto& h) { return h.get() == handle && handle != nullptr; });
    if (it == handles.end()) {
        return false;
    }
    handles.erase(it);
    return true;
}

std::size_t openHandleCount() { return openHandles().size(); }

}  // namespace velmora::container
