#pragma once
// The nine commands of an articulation's context menu: clear, insert, delete,
// cut, copy, paste through the process-wide clipboard, and export to or
// import from a single-articulation file. Interface thread.
#include <vector>

#include "core/articulation.h"

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

// Menu identifiers; also the commands run directly (keyboard shortcuts).
inline constexpr int kArticulationShowMenu = 0;
inline constexpr int kArticulationClear = 1;
inline constexpr int kArticulationInsert = 2;
inline constexpr int kArticulationDelete = 3;
inline constexpr int kArticulationSeparator = 4;
inline constexpr int kArticulationCut = 5;
inline constexpr int kArticulationCopy = 6;
inline constexpr int kArticulationPaste = 7;
inline constexpr int kArticulationExport = 8;
inline constexpr int kArticulationImport = 9;

inline constexpr const char* kExportArticulationTitle = "Exporting articulation to file";
inline constexpr const char* kImportArticulationTitle = "Importing articulation from file";
inline constexpr const char* kArticulationExportedMessage = "Articulation exported!";

struct ArticulationMenuItem {
    int id = 0;
    const char* text = nullptr;  // nullptr for the separator
};

// The entries offered for articulation index, in menu order.
std::vector<ArticulationMenuItem> ArticulationMenu(const Instance& plug, int index);

// Runs command on articulation index (0 to 63): 0 shows the menu through the
// platform's pop-up menu service and runs the choice; 1 to 3 and 5 to 9 run
// at once; anything else only repaints. Every change to the articulations is
// announced to the host.
void ArticulationCommand(Instance& plug, int index, int command);

// --- The table operations behind the commands (no host calls) ---
// Articulation index becomes blank, its key names freed.
void ClearArticulation(ArticulationTable& table, int index);
// Articulations index..62 move one place up (63 is discarded); index becomes blank.
void InsertArticulation(ArticulationTable& table, int index);
// Articulations index+1..63 move one place down; 63 becomes blank.
void DeleteArticulation(ArticulationTable& table, int index);
// The process-wide clipboard takes a copy of articulation index, key names included.
void CopyToClipboard(const ArticulationTable& table, int index);
// Articulation index takes its own copy of the clipboard; false when the clipboard is empty.
bool PasteFromClipboard(ArticulationTable& table, int index);

}  // namespace velmora
