// Scale steps and outside resizes.
#include "editor/scale.h"

#include <algorithm>
#include <cstdio>

#include "core/instance.h"

namespace velmora::editor {

namespace {

void WriteUiScale(const Instance& plug) {
    char text[64];
    std::snprintf(text, sizeof(text), "%f", static_cast<double>(plug.uiscale));
    // A failed write leaves the next editor at its old scale; nothing to tell.
    (void)plug.platform.settings().writeString(platform::kVelmoraKey, "UI Scale", text);
}

}  // namespace

void ResizeEditor(Instance& plug) {
    const int height = kEditorHeight - (kEditorHeight - kEditorMinimisedHeight) * (plug.minimised != 0 ? 1 : 0);
    plug.editorWindow->setSize(ScaledPixels(kEditorWidth, plug.scaleFactor), ScaledPixels(height, plug.scaleFactor));
    plug.Host().dispatcher(plug::FHD_EditorResized);
}

void StepScale(Instance& plug, bool up) {
    float s = plug.uiscale;
    if (up) {
        s = s <= 0.001f ? 1.5f : s + 0.5f;
        if (s >= 4.0001f) {
            s = 0.0f;
        }
    } else {
        s = s <= 0.001f ? 4.0f : s - 0.5f;
        if (s <= 1.0001f) {
            s = 0.0f;
        }
    }
    plug.uiscale = s;
    plug.scaleFactor = s == 0.0f ? 1.0f : s;
    WriteUiScale(plug);
    ResizeEditor(plug);
}

void FollowOutsideSize(Instance& plug, int width, int height) {
    plug.scaleFactor = std::max(static_cast<float>(width) / static_cast<float>(kEditorWidth),
                                static_cast<float>(height) / static_cast<float>(kEditorHeight));
    plug.uiscale = plug.scaleFactor <= 1.0f ? 0.0f : plug.scaleFactor;
    WriteUiScale(plug);
}

}  // namespace velmora::editor
