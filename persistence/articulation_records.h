#pragma once
// Whole-articulation moves: the record fields together with their key names,
// as the file imports and the single-articulation commands need them.
#include "core/articulation.h"

namespace velmora {

// Default fields, no name and no key names.
void MakeBlank(ArticulationTable& table, int a);
// Articulation `to` takes every field of `from`; the key names move rather
// than being copied, so `from` is left without them.
void MoveArticulation(ArticulationTable& table, int from, int to);
// A separate copy of the key names (the table of names included, when present).
KeyNameMap CopyKeyNames(const KeyNameMap& source);
// Index of the last articulation that is not blank, plus one; 0 when all are blank.
int UsedArticulationCount(const ArticulationTable& table);

}  // namespace velmora
