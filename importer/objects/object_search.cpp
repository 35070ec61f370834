#include "importer/objects/object_search.h"

namespace velmora::objects {

namespace {

constexpr std::uint16_t kScriptId = 6;

// The walk is as deep as the tree, which the reader bounds.
const PatchObject* walk(const PatchObject& node, std::uint16_t id, std::size_t& skip) {
    if (node.id == id) {
        if (skip == 0) {
            return &node;
        }
        --skip;
    }
    for (const PatchObject& child : node.children) {
        if (const PatchObject* found = walk(child, id, skip)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

int objectId(const PatchObject* object) { return object == nullptr ? -1 : object->id; }
int objectVersion(const PatchObject* object) { return object == nullptr ? -1 : object->version; }

std::size_t childCount(const PatchObject* object) { return object == nullptr ? 0 : object->children.size(); }

const PatchObject* childAt(const PatchObject* object, std::size_t index) {
    if (object == nullptr || index >= object->children.size()) {
        return nullptr;
    }
    return &object->children[index];
}

const PatchObject* findObject(const PatchObject* node, std::uint16_t id) { return nthObject(node, id, 0); }

const PatchObject* nthObject(const PatchObject* node, std::uint16_t id, std::size_t index) {
    if (node == nullptr) {
        return nullptr;
    }
    return walk(*node, id, index);
}

const GroupRecord* groupRecordOf(const PatchObject* object) {
    if (object == nullptr || !object->publicRecord) {
        return nullptr;
    }
    return std::get_if<GroupRecord>(object->publicRecord.get());
}

const std::vector<Text>* variableLinesOf(const PatchObject* object) {
    if (object == nullptr || object->id != kScriptId || !object->publicRecord) {
        return nullptr;
    }
    const auto* script = std::get_if<ScriptRecord>(object->publicRecord.get());
    return script == nullptr ? nullptr : &script->variableLines;
}

}  // namespace velmora::objects
