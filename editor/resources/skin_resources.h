#pragma once
// The editor's skin bitmaps, compiled into the plugin as PNG bytes.
#include <cstddef>

namespace velmora::editor {

struct SkinResource {
    int id;
    const unsigned char* png;
    std::size_t size;
    int width;
    int height;
    bool alpha;
};

// The compiled-in resource with this number, nullptr when there is none.
const SkinResource* FindSkinResource(int id);

}  // namespace velmora::editor
