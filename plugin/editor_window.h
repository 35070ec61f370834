#pragma once
// The one place an editor window becomes the instance's: at construction and
// when a desktop replaces a hidden headless window. Interface thread.
class ZOLTVSTExprPlug;

namespace velmora {

// The instance's current editor window hands its messages to the editor inside
// the exception boundary, and the host knows it by its handle.
void AttachEditorWindow(ZOLTVSTExprPlug& plug);

}  // namespace velmora
