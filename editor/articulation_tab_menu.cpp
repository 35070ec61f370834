// The menu of the Articulation tab button: UACC conversions and the
// articulation set and instrument files.
#include <vector>

#include "core/instance.h"
#include "editor/articulation_set_dialogs.h"
#include "editor/command_hooks.h"
#include "editor/layout.h"
#include "editor/uacc_conversion.h"

namespace velmora::editor {

namespace {

enum TabMenuId {
    kConvertKsToCc = 10000,
    kConvertCcToKs = 10001,
    kExportSet = 10002,
    kImportSet = 10003,
    kAppendSet = 10004,
    kImportNki = 10005,
    kAppendNki = 10006,
};

std::vector<platform::MenuEntry> Entries(const Instance& plug) {
    std::vector<platform::MenuEntry> entries{
        {kConvertKsToCc, "Convert from UACC KS to UACC CC"},
        {kConvertCcToKs, "Convert from UACC CC to UACC KS"},
        {kExportSet, "Export articulations"},
        {kImportSet, "Import articulations"},
        {kAppendSet, "Append articulations"},
    };
    // Without the importer library the instrument imports could only fail.
    if (plug.platform.fileDialogs().fileExists(ArticulationImporterPath())) {
        entries.push_back({kImportNki, "Import from Spitfire NKI"});
        entries.push_back({kAppendNki, "Append from Spitfire NKI"});
    }
    return entries;
}

}  // namespace

bool ArticulationTabMenu(Instance& plug, int x, int y) {
    if (!InTabButton(kArticulationPanel, x, y)) {
        return false;
    }
    switch (plug.platform.popupMenus().track(Entries(plug))) {
        case kConvertKsToCc: ConvertUaccKsToCc(plug); break;
        case kConvertCcToKs: ConvertUaccCcToKs(plug); break;
        case kExportSet: ExportArticulationsToChosenFile(plug); break;
        case kImportSet: ImportArticulationsFromChosenFile(plug, ImportMode::Replace); break;
        case kAppendSet: ImportArticulationsFromChosenFile(plug, ImportMode::Append); break;
        case kImportNki: ImportNkiFromChosenFile(plug, NkiImportMode::Replace); break;
        case kAppendNki: ImportNkiFromChosenFile(plug, NkiImportMode::Append); break;
        default: break;  // dismissed
    }
    return true;
}

}  // namespace velmora::editor
