#pragma once
// The articulation set and instrument files of the Articulation tab's menu,
// each chosen in the platform's file dialog; a cancelled dialog does nothing.
// Interface thread.
#include "persistence/articulation_files.h"
#include "persistence/nki_import.h"

namespace velmora::editor {

inline constexpr const char* kNkiDialogTitle = "Importing articulations from A Spitfire NKI";
inline constexpr const char* kNkiDialogFilter = "Spitfire Kontakt Instrument|*.nki|All files|*.*";

void ExportArticulationsToChosenFile(Instance& plug);
void ImportArticulationsFromChosenFile(Instance& plug, ImportMode mode);
void ImportNkiFromChosenFile(Instance& plug, NkiImportMode mode);

}  // namespace velmora::editor
