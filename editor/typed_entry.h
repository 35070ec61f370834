#pragma once
// Typing a value: a right click on a field asks the host for its text.
// Interface thread.
#include <string>

namespace velmora {
class Instance;
}

namespace velmora::editor {

// The host's text prompt: `text` pre-fills it (cut to 255 bytes) and takes
// what was typed. False when the user cancelled; `text` is then unchanged.
bool PromptEdit(const Instance& plug, const char* caption, std::string& text);

// A right click at (x, y), editor units: when it is on a field of the panel
// shown, prompts for the field's value, stores an accepted entry (telling the
// host) and repaints, cancelled or not. Answers whether (x, y) was a field.
bool FieldRightClick(Instance& plug, int x, int y);

}  // namespace velmora::editor
