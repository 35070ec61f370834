#pragma once
// Which groups of an instrument are articulations, and the record entries
// they give.
#include "importer/objects/patch_object.h"
#include "shared/imported_articulations.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::extract {

inline constexpr std::uint16_t kProgramId = 40;
inline constexpr std::uint16_t kGroupListId = 51;
inline constexpr std::uint16_t kScriptId = 6;
inline constexpr std::size_t kProgramScripts = 5;

// The value of the keyswitch variable in the instrument's scripts (the last
// matching line wins); 0 when there is none.
std::int32_t instrumentKeyswitchBase(const objects::PatchObject& root);

// Appends one entry per articulation group of the tree to `out` (which the
// caller made with newImportedArticulations), in group-list order, at most
// 128. Only the low 8 bits of keyswitchMode count.
void extractArticulations(const objects::ObjectTree& tree, std::int32_t keyswitchMode, ImportedArticulations& out);

// A record with count 0, and its release: the names of entries 0..count-1,
// then the record.
ImportedArticulations* newImportedArticulations();
void releaseImportedArticulations(ImportedArticulations* record);

// The whole import of one file's bytes: open, load, extract, close. `path`
// names the file in the diagnostic line printed for a patch that fails its
// integrity checks. Never fails: a file that yields nothing leaves count 0.
void importFromBytes(std::vector<std::uint8_t> file, const std::string& path, std::int32_t keyswitchMode,
                     ImportedArticulations& out);
void importFromFile(const std::string& path, std::int32_t keyswitchMode, ImportedArticulations& out);

}  // namespace velmora::extract
