#include "persistence/articulation_records.h"

#include <utility>

namespace velmora {

void MakeBlank(ArticulationTable& table, int a) {
    table.reset(a);
    table.keyNames[a].clear();
}

void MoveArticulation(ArticulationTable& table, int from, int to) {
    table.set(to, table.get(from));
    table.keyNames[to] = std::move(table.keyNames[from]);
    table.keyNames[from].clear();
}

KeyNameMap CopyKeyNames(const KeyNameMap& source) {
    KeyNameMap copy;
    if (source.names) {
        copy.names = std::make_unique<KeyNames>(*source.names);
    }
    copy.path = source.path;
    copy.title = source.title;
    copy.missing = source.missing;
    return copy;
}

int UsedArticulationCount(const ArticulationTable& table) {
    int count = 0;
    for (int a = 0; a < kArticulations; ++a) {
        if (!table.isBlank(a)) {
            count = a + 1;
        }
    }
    return count;
}

}  // namespace velmora
