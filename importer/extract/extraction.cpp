#include "importer/extract/extraction.h"

#include "importer/container/patch_handles.h"
#include "importer/container/patch_open.h"
#include "importer/extract/keyswitch_line.h"
#include "importer/extract/slot_record.h"
#include "importer/extract/utf8_name.h"
#include "importer/objects/object_search.h"
#include "importer/objects/patch_objects.h"
#include "importer/objects/private_layouts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace velmora::extract {

namespace {

using objects::PatchObject;

constexpr std::int32_t kUnusedKey = 0;
constexpr std::int32_t kPlaceholderKey = 19999;
constexpr std::int32_t kKeyswitchVelocity = 127;

void applyLines(const std::vector<objects::Text>& lines, std::int32_t& base) {
    for (const objects::Text& line : lines) {
        if (line) {
            if (const auto value = keyswitchBaseOf(*line)) {
                base = *value;
            }
        }
    }
}

// The highest slot record that passes the tests; lower ones are not tried
// once one has passed.
std::optional<SlotValues> chosenSlot(const PatchObject& group) {
    const objects::SlotRecordBodies bodies = objects::groupSlotRecords(group.privateData);
    for (std::size_t j = objects::kGroupSlotRecords; j-- > 0;) {
        if (bodies[j]) {
            if (const auto values = qualifyingSlotValues(*bodies[j])) {
                return values;
            }
        }
    }
    return std::nullopt;
}

char* newName(const std::string& text) {
    char* name = new char[text.size() + 1];
    std::memcpy(name, text.c_str(), text.size() + 1);
    return name;
}

void clearEntries(ImportedArticulations& out) {
    for (std::int32_t i = 0; i < std::min(out.count, kImportedArticulationsMax); ++i) {
        delete[] out.names[i];
        out.names[i] = nullptr;
    }
    out.count = 0;
}

void importOpened(container::OpenOutcome opened, const std::string& path, std::int32_t keyswitchMode,
                  ImportedArticulations& out) {
    if (opened.handle == nullptr) {
        return;
    }
    struct Closer {
        container::PatchHandle* handle;
        ~Closer() { container::closePatch(handle); }
    } closer{opened.handle};
    try {
        const objects::LoadedPatch loaded = objects::loadPatchObjects(opened.handle);
        if (loaded.code != container::PatchResult::Ok) {
            if (loaded.code == container::PatchResult::InvalidPatch) {
                std::printf("Could not open \"%s\" - Not a valid patch\n", path.c_str());
                std::fflush(stdout);
            }
            return;
        }
        extractArticulations(*loaded.tree, keyswitchMode, out);
    } catch (const std::bad_alloc&) {
        // Nothing half-made leaves the library: the record says "nothing".
        clearEntries(out);
    }
}

}  // namespace

std::int32_t instrumentKeyswitchBase(const PatchObject& root) {
    std::int32_t base = 0;
    if (root.version > objects::kOldProgramLayoutNewestVersion) {
        const PatchObject* program = objects::findObject(&root, kProgramId);
        for (std::size_t i = 0; i < kProgramScripts; ++i) {
            const PatchObject* script = objects::nthObject(program, kScriptId, i);
            if (const auto* lines = objects::variableLinesOf(script)) {
                applyLines(*lines, base);
            }
        }
    } else {
        for (const auto& slot : objects::oldProgramScriptLines(root.privateData)) {
            applyLines(slot, base);
        }
    }
    return base;
}

void extractArticulations(const objects::ObjectTree& tree, std::int32_t keyswitchMode, ImportedArticulations& out) {
    const PatchObject* groupList = objects::findObject(&tree.root, kGroupListId);
    if (groupList == nullptr) {
        return;
    }
    const std::int32_t base = instrumentKeyswitchBase(tree.root);
    const bool keyswitch = (keyswitchMode & 0xFF) != 0;
    std::vector<std::int32_t> seenKeys;
    for (const PatchObject& group : groupList->children) {
        if (out.count >= kImportedArticulationsMax) {
            break;
        }
        const auto slot = chosenSlot(group);
        if (!slot || slot->key == kUnusedKey || slot->key == kPlaceholderKey ||
            std::find(seenKeys.begin(), seenKeys.end(), slot->key) != seenKeys.end()) {
            continue;
        }
        const std::int32_t n = out.count;
        // A group without a group record has no name; its entry is unnamed.
        const objects::GroupRecord* record = objects::groupRecordOf(&group);
        out.names[n] = newName(record == nullptr ? std::string() : utf8FromUtf16(record->name));
        if (keyswitch) {
            // Consecutive notes from the base, unmasked, as the instrument numbers them.
            out.note[n] = static_cast<std::int32_t>(static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(n));
            out.notev[n] = kKeyswitchVelocity;
        } else {
            out.note[n] = 0;
            out.notev[n] = slot->articulation;
        }
        out.icon[n] = slot->icon;
        out.prog[n] = -1;
        out.modw[n] = -1;
        out.modc[n] = -1;
        out.count = n + 1;
        seenKeys.push_back(slot->key);
    }
}

ImportedArticulations* newImportedArticulations() { return new ImportedArticulations{}; }

void releaseImportedArticulations(ImportedArticulations* record) {
    if (record == nullptr) {
        return;
    }
    clearEntries(*record);
    delete record;
}

void importFromBytes(std::vector<std::uint8_t> file, const std::string& path, std::int32_t keyswitchMode,
                     ImportedArticulations& out) {
    importOpened(container::openPatchBytes(std::move(file)), path, keyswitchMode, out);
}

void importFromFile(const std::string& path, std::int32_t keyswitchMode, ImportedArticulations& out) {
    importOpened(container::openPatchFile(path), path, keyswitchMode, out);
}

}  // namespace velmora::extract
