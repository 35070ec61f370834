// Key names in the piano roll: answering the host and renaming a key.
#include "editor/piano_roll_names.h"

#include <memory>

#include "core/instance.h"
#include "editor/piano_roll.h"
#include "editor/typed_entry.h"

namespace velmora::editor {

namespace {

constexpr int kKeyNameTop = 131;  // piano-roll note n shows key-name entry 131 − n

// The entry of note n, or -1 when the table has none for it.
int EntryOfNote(long long note) {
    const long long entry = kKeyNameTop - note;
    return entry >= 0 && entry < kKeyNameEntries ? static_cast<int>(entry) : -1;
}

}  // namespace

const std::string* PianoRollKeyName(Instance& plug, int note, int colour) {
    const long long wide = static_cast<long long>(colour) + static_cast<long long>(kBankSize) * plug.currentBank;
    int a = wide < 0 || wide >= kArticulations ? 0 : static_cast<int>(wide);
    if (NamesWithoutColour(plug.Host().hostVersion())) {
        a = plug.currentArticulation >= 0 && plug.currentArticulation < kArticulations ? plug.currentArticulation : 0;
    }
    plug.pendingArticulation = a;
    plug.namesAsked = 1;
    const KeyNameMap& keys = plug.articulations.keyNames[a];
    const int entry = EntryOfNote(note);
    return keys.names && entry >= 0 ? &(*keys.names)[entry] : nullptr;
}

void RenameClickedKey(Instance& plug) {
    const int n = plug.clickedNote;
    if (NamesWithoutColour(plug.Host().hostVersion())) {
        plug.clickedColour = 0;
    }
    const int a = plug.clickedColour;
    if (a >= 0 && a < kArticulations) {
        KeyNameMap& keys = plug.articulations.keyNames[a];
        const int entry = EntryOfNote(n);
        std::string text = keys.names && entry >= 0 ? (*keys.names)[entry] : std::string();
        std::string caption = "Rename note ";
        if (const std::string& name = plug.articulations.name[a]; !name.empty()) {
            caption += name + " ";
        }
        if (n >= 0 && n < kMidiNotes) {
            caption += plug.noteNames[n].data();
        }
        if (PromptEdit(plug, caption.c_str(), text)) {
            // The names now come from the project, no longer from a file.
            keys.title.clear();
            if (!keys.names) {
                keys.names = std::make_unique<KeyNames>();
            }
            if (entry >= 0) {
                (*keys.names)[entry] = text;
            }
            // Key names are saved with the project.
            plug.Host().stateChanged();
        }
    }
    plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesPianoRoll);
    plug.clickedNote = -1;
}

}  // namespace velmora::editor
