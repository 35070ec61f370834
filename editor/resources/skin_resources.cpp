#include "editor/resources/skin_resources.h"

#include <vector>

#include "editor/resources/skin_blobs.h"
#include "editor/resources/skin_images.h"

namespace velmora::editor {

const SkinResource* FindSkinResource(int id) {
    static const std::vector<SkinResource> resources = [] {
        std::vector<SkinResource> list;
        for (const skin::SkinBlob& blob : skin::CompiledSkinBlobs()) {
            for (const skin::ImageFormat& format : skin::kImages) {
                if (format.id == blob.id) {
                    list.push_back({blob.id, blob.begin, static_cast<std::size_t>(blob.end - blob.begin),
                                    format.width, format.height, format.alpha});
                }
            }
        }
        return list;
    }();
    for (const SkinResource& r : resources) {
        if (r.id == id) {
            return &r;
        }
    }
    return nullptr;
}

}  // namespace velmora::editor
