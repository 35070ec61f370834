// The file dialogs in front of the articulation set and instrument imports.
#include "editor/articulation_set_dialogs.h"

#include <optional>
#include <string>

#include "core/instance.h"

namespace velmora::editor {

void ExportArticulationsToChosenFile(Instance& plug) {
    const std::optional<std::string> path =
        plug.platform.fileDialogs().saveFile(kExportArticulationsTitle, kArticulationFileFilter, kArticulationFileExtension);
    if (path) {
        ExportArticulations(plug, *path);
    }
}

void ImportArticulationsFromChosenFile(Instance& plug, ImportMode mode) {
    const std::optional<std::string> path =
        plug.platform.fileDialogs().openFile(kImportArticulationsTitle, kArticulationFileFilter);
    if (path) {
        ImportArticulations(plug, *path, mode);
    }
}

void ImportNkiFromChosenFile(Instance& plug, NkiImportMode mode) {
    const std::optional<std::string> path = plug.platform.fileDialogs().openFile(kNkiDialogTitle, kNkiDialogFilter);
    if (path) {
        ImportNki(plug, *path, mode);
    }
}

}  // namespace velmora::editor
