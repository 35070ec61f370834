#include "persistence/single_articulation.h"

#include <fstream>
#include <optional>
#include <string>

#include "core/instance.h"
#include "core/process_state.h"
#include "persistence/articulation_files.h"
#include "persistence/articulation_json.h"
#include "persistence/articulation_records.h"
#include "persistence/whole_file.h"

namespace velmora {

namespace {

constexpr int kLast = kArticulations - 1;

void ExportOne(Instance& plug, int index) {
    const std::optional<std::string> path =
        plug.platform.fileDialogs().saveFile(kExportArticulationTitle, kArticulationFileFilter, kArticulationFileExtension);
    if (!path) {
        return;
    }
    std::ofstream out(*path, std::ios::out | std::ios::trunc);
    if (!out) {
        plug.Host().messageBox(kExportFailedMessage, plug::kMsgError);
        return;
    }
    const Articulation one = plug.articulations.get(index);
    out << ArticulationSetText({&one, 1});
    out.close();
    if (!out) {
        plug.Host().messageBox(kExportFailedMessage, plug::kMsgError);
        return;
    }
    plug.Host().messageBox(kArticulationExportedMessage, plug::kMsgPlain);
}

// Returns whether a file was opened (the host is then told, whatever it held).
bool ImportOne(Instance& plug, int index) {
    const std::optional<std::string> path =
        plug.platform.fileDialogs().openFile(kImportArticulationTitle, kArticulationFileFilter);
    if (!path) {
        return false;
    }
    const std::optional<std::string> text = ReadWholeFile(*path);
    if (!text) {
        return false;
    }
    const ParsedSet set = ParseArticulationSet(*text);
    if (set.result == SetParseResult::ParseError) {
        plug.Host().messageBox(kImportInvalidMessage, plug::kMsgError);
    } else if (set.result == SetParseResult::Ok && !set.elements.empty()) {
        StoreMembers(plug.articulations, index, set.elements.front());
    }
    return true;
}

}  // namespace

void ClearArticulation(ArticulationTable& table, int index) { MakeBlank(table, index); }

void InsertArticulation(ArticulationTable& table, int index) {
    for (int j = kLast - 1; j >= index; --j) {
        MoveArticulation(table, j, j + 1);
    }
    MakeBlank(table, index);
}

void DeleteArticulation(ArticulationTable& table, int index) {
    table.keyNames[index].clear();
    for (int j = index; j < kLast; ++j) {
        MoveArticulation(table, j + 1, j);
    }
    MakeBlank(table, kLast);
}

void CopyToClipboard(const ArticulationTable& table, int index) {
    ArticulationClipboard& clip = Process().articulationClipboard;
    clip.articulation = table.get(index);
    clip.keyNames = CopyKeyNames(table.keyNames[index]);
    clip.full = true;
}

bool PasteFromClipboard(ArticulationTable& table, int index) {
    const ArticulationClipboard& clip = Process().articulationClipboard;
    if (!clip.full) {
        return false;
    }
    table.set(index, clip.articulation);
    table.keyNames[index] = CopyKeyNames(clip.keyNames);
    return true;
}

std::vector<ArticulationMenuItem> ArticulationMenu(const Instance& plug, int index) {
    const bool used = index >= 0 && index < kArticulations && !plug.articulations.isBlank(index);
    std::vector<ArticulationMenuItem> menu{
        {kArticulationClear, "Clear"}, {kArticulationInsert, "Insert"}, {kArticulationDelete, "Delete"}};
    if (used) {
        menu.push_back({kArticulationSeparator, nullptr});
        menu.push_back({kArticulationCut, "Cut"});
        menu.push_back({kArticulationCopy, "Copy"});
    }
    if (Process().articulationClipboard.full) {
        menu.push_back({kArticulationPaste, "Paste"});
    }
    if (used) {
        menu.push_back({kArticulationExport, "Export"});
    }
    menu.push_back({kArticulationImport, "Import"});
    return menu;
}

void ArticulationCommand(Instance& plug, int index, int command) {
    if (index < 0 || index >= kArticulations) {
        return;
    }
    ArticulationTable& table = plug.articulations;
    if (command == kArticulationShowMenu) {
        std::vector<platform::MenuEntry> entries;
        for (const ArticulationMenuItem& item : ArticulationMenu(plug, index)) {
            entries.push_back({item.id, item.text != nullptr ? item.text : "", item.text == nullptr});
        }
        const int chosen = plug.platform.popupMenus().track(entries);
        if (chosen != kArticulationShowMenu) {
            ArticulationCommand(plug, index, chosen);
        }
        return;
    }
    const bool blank = table.isBlank(index);
    if (blank && (command == kArticulationCut || command == kArticulationCopy || command == kArticulationExport)) {
        return;
    }
    bool changed = false;
    switch (command) {
        case kArticulationClear:
            ClearArticulation(table, index);
            changed = true;
            break;
        case kArticulationInsert:
            InsertArticulation(table, index);
            changed = true;
            break;
        case kArticulationDelete:
            DeleteArticulation(table, index);
            changed = true;
            break;
        case kArticulationCut:
            CopyToClipboard(table, index);
            DeleteArticulation(table, index);
            changed = true;
            break;
        case kArticulationCopy: CopyToClipboard(table, index); break;
        // Paste changes the saved state like every other command, so the host hears of it.
        case kArticulationPaste: changed = PasteFromClipboard(table, index); break;
        case kArticulationExport: ExportOne(plug, index); break;
        case kArticulationImport: changed = ImportOne(plug, index); break;
        default: break;
    }
    if (changed) {
        plug.Host().stateChanged();
    }
    plug.RepaintEditor(Repaint::Whole);
}

}  // namespace velmora
