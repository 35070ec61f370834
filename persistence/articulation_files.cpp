#include "persistence/articulation_files.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "core/instance.h"
#include "persistence/articulation_json.h"
#include "persistence/articulation_records.h"
#include "persistence/whole_file.h"

namespace velmora {

std::string UsedArticulationsText(const ArticulationTable& table) {
    const int count = UsedArticulationCount(table);
    std::vector<Articulation> used;
    used.reserve(static_cast<std::size_t>(count));
    for (int a = 0; a < count; ++a) {
        used.push_back(table.get(a));
    }
    return ArticulationSetText(used);
}

bool ApplyArticulationSet(ArticulationTable& table, const ParsedSet& set, ImportMode mode) {
    if (set.result != SetParseResult::Ok) {
        return false;
    }
    int start = 0;
    if (mode == ImportMode::Replace) {
        for (int a = 0; a < kArticulations; ++a) {
            MakeBlank(table, a);
        }
    } else if (mode == ImportMode::Append) {
        start = UsedArticulationCount(table);
    }
    for (std::size_t i = 0; i < set.elements.size(); ++i) {
        const std::size_t target = static_cast<std::size_t>(start) + i;
        if (target >= static_cast<std::size_t>(kArticulations)) {
            break;
        }
        StoreMembers(table, static_cast<int>(target), set.elements[i]);
    }
    return true;
}

bool ExportArticulations(Instance& plug, const std::string& path) {
    const int count = UsedArticulationCount(plug.articulations);
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out) {
        plug.Host().messageBox(kExportFailedMessage, plug::kMsgError);
        return false;
    }
    out << UsedArticulationsText(plug.articulations);
    out.close();
    if (!out) {
        // Created but not fully written (a full disk): the file is not usable.
        plug.Host().messageBox(kExportFailedMessage, plug::kMsgError);
        return true;
    }
    char message[64];
    std::snprintf(message, sizeof(message), "%i articulations exported!", count);
    plug.Host().messageBox(message, plug::kMsgPlain);
    return true;
}

void ImportArticulations(Instance& plug, const std::string& path, ImportMode mode) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return;
    }
    const ParsedSet set = ParseArticulationSet(*text);
    if (set.result == SetParseResult::ParseError) {
        plug.Host().messageBox(kImportInvalidMessage, plug::kMsgError);
    } else {
        ApplyArticulationSet(plug.articulations, set, mode);
    }
    plug.Host().stateChanged();
    plug.RepaintEditor(Repaint::Whole);
}

}  // namespace velmora
