#pragma once
// Questions the extraction asks of the object tree. An absent object (null)
// is allowed everywhere and answers like an empty one.
#include "importer/objects/patch_object.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::objects {

// -1 for an absent object.
int objectId(const PatchObject* object);
int objectVersion(const PatchObject* object);
std::size_t childCount(const PatchObject* object);
// Nullptr for an absent object or an index outside 0..count-1.
const PatchObject* childAt(const PatchObject* object, std::size_t index);

// The first object with `id` in a depth-first pre-order walk that starts with
// `node` itself; nullptr when there is none.
const PatchObject* findObject(const PatchObject* node, std::uint16_t id);
// The index-th (from 0) object with `id` met in that same walk.
const PatchObject* nthObject(const PatchObject* node, std::uint16_t id, std::size_t index);

// The parsed public records, or nullptr.
const GroupRecord* groupRecordOf(const PatchObject* object);
// For an object with id 6 whose public record is a script: its lines.
const std::vector<Text>* variableLinesOf(const PatchObject* object);

}  // namespace velmora::objects
