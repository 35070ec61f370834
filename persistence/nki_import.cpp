#include "persistence/nki_import.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/instance.h"
#include "persistence/articulation_records.h"
#include "platform/dynamic_library.h"
#include "shared/imported_articulations.h"

namespace velmora {

namespace {

// Copies the record's entries from slot `first` on; entries past the last
// slot are dropped. Answers the message to show.
std::string CopyEntries(Instance& plug, const ImportedArticulations& record, int first, NkiImportMode mode) {
    if (record.count < 1) {
        return kNkiInvalidMessage;
    }
    ArticulationTable& table = plug.articulations;
    if (mode == NkiImportMode::Replace) {
        for (int a = 0; a < kArticulations; ++a) {
            MakeBlank(table, a);
        }
    }
    // A count beyond the record's capacity is not believed past it.
    const int entries = std::min(record.count, kImportedArticulationsMax);
    for (int i = 0; i < entries && first + i < kArticulations; ++i) {
        const int slot = first + i;
        table.name[slot] = record.names[i] != nullptr ? record.names[i] : "";
        table.icon[slot] = record.icon[i];
        table.note[slot] = record.note[i];
        table.notev[slot] = record.notev[i];
        table.prog[slot] = record.prog[i];
        table.modw[slot] = record.modw[i];
        table.modc[slot] = record.modc[i];
        if (slot >= kBankSize) {
            plug.articbanks = 1;
        }
    }
    char message[64];
    std::snprintf(message, sizeof message, kNkiImportedFormat, record.count);
    return message;
}

std::string RunImporter(Instance& plug, const std::string& path, int first, NkiImportMode mode, int keyswitchMode,
                        int& delivered) {
    platform::DynamicLibrary library(ArticulationImporterPath());
    if (!library.isLoaded()) {
        return kNkiNotLoadedMessage;
    }
    // A library without both exports is not called: without Free its record
    // could not be given back.
    const auto get = reinterpret_cast<GetArticulationsFunction>(library.symbol(kGetArticulationsSymbol));
    const auto release = reinterpret_cast<FreeFunction>(library.symbol(kFreeSymbol));
    if (get == nullptr || release == nullptr) {
        return kNkiImporterIncompleteMessage;
    }
    // The record goes back to the library however the copy ends, an
    // allocation failing in it included.
    const std::unique_ptr<ImportedArticulations, FreeFunction> record(get(path.c_str(), keyswitchMode), release);
    if (record == nullptr) {
        return kNkiInvalidMessage;
    }
    delivered = std::max(record->count, 0);
    return CopyEntries(plug, *record, first, mode);
}

}  // namespace

std::string ArticulationImporterPath() { return Process().installFolder + kImporterRelativePath; }

int ImportNki(Instance& plug, const std::string& path, NkiImportMode mode, std::optional<int> keyswitchMode) {
    const int first = mode == NkiImportMode::Replace ? 0 : UsedArticulationCount(plug.articulations);
    const int numbering = keyswitchMode.value_or(plug.platform.keyboardState().controlHeld() ? 1 : 0);
    int delivered = 0;
    const std::string message = RunImporter(plug, path, first, mode, numbering, delivered);
    plug.Host().messageBox(message.c_str(), plug::kMsgError);
    plug.Host().stateChanged();
    plug.RepaintEditor(Repaint::Whole);
    return delivered;
}

}  // namespace velmora
