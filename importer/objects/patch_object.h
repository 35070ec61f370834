#pragma once
// The patch objects of an instrument's preset data as read into memory: the
// program and everything below it, with the few public records the
// extraction reads parsed and every other record kept as bytes. Bytes and
// byte strings are views into the preset data, not copies: the tree that
// loading makes holds that data alive (ObjectTree::storage).
#include "importer/items/shared_bytes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velmora::objects {

// How an object's body is laid out, chosen by its id.
enum class ObjectKind : std::uint8_t {
    Structured,          // every id without a kind of its own
    PublicNotChunked,    // 5, 15
    Public,              // 6, 43, 63, 65
    VoiceGroups,         // 50
    GroupList,           // 51
    ZoneList,            // 52
    PrivateRaw,          // 53, 72, 73, 78
    ProgramList,         // 54
    SlotList,            // 55
    StartCritList,       // 56
    LoopArray,           // 57
    BParamArray,         // 58, 59, 60 (8, 16, 32 entries)
    FileNameListPreK51,  // 61
    FileNameList,        // 75
};

ObjectKind kindOf(std::uint16_t id);

// The public-data class for an (id, version); None means the bytes are kept.
enum class PublicClass : std::uint8_t {
    None,
    Bank,
    Group,
    Loop,
    Script,
    Envelope,
    StartCriteria,
    Program,
    ProgramContainer,
    VoiceLimit,
    Zone,
    EnvelopeAHDSR,
    EnvelopeDBD,
};

PublicClass publicClassOf(std::uint16_t id, std::uint16_t version);

// A string field: absent when its stored length is negative.
using Text = std::optional<std::string_view>;

struct GroupRecord {
    std::u16string name;  // parameter 0, "name"
    float volume = 0;
    float pan = 0;
    float tune = 0;
    std::uint8_t keyTracking = 0;
    std::uint8_t reverse = 0;
    std::uint8_t releaseTrigger = 0;
    std::uint8_t releaseTriggerNoteMonophonic = 0;
    std::int32_t rlsTrigCounter = 0;
    std::int16_t midiChannel = 0;
    std::int32_t voiceGroupIdx = 0;
    std::int32_t fxIdxAmpSplitPoint = 0;
    std::uint8_t muted = 0;
    std::uint8_t soloed = 0;
    std::int32_t interpQuality = 0;
};

struct ScriptRecord {
    Text sourceText;
    std::uint8_t sourceEditorOpen = 0;
    std::uint8_t touchedButNotApplied = 0;
    std::uint8_t bypass = 0;
    Text unused;
    Text description;
    Text textFileName;
    std::vector<Text> variableLines;
};

struct StartCriteriaRecord {
    std::int32_t mode = 0;
    std::int32_t nextCriteria = 0;
    std::int16_t keyMin = 0;
    std::int16_t keyMax = 0;
    std::int16_t controller = 0;
    std::int16_t ccMin = 0;
    std::int16_t ccMax = 0;
    std::int32_t cycleClass = 0;
    std::int32_t sliceZoneIdx = 0;
    std::int32_t sliceZoneSliceIdx = 0;
    std::uint8_t sequencerOnly = 0;
};

using PublicRecord = std::variant<GroupRecord, ScriptRecord, StartCriteriaRecord>;

struct PatchObject {
    std::uint16_t id = 0;
    std::int32_t length = 0;  // body length from the header; 0 for list members
    std::uint16_t version = 0;
    std::uint8_t structured = 0;
    ObjectKind kind = ObjectKind::Structured;
    // The group index of a zone-list member, the program index of a
    // program-list member; -1 elsewhere.
    std::int32_t memberIndex = -1;
    std::span<const std::uint8_t> privateData;
    std::span<const std::uint8_t> publicData;    // public bytes no record was parsed from
    std::unique_ptr<PublicRecord> publicRecord;  // the parsed record, when its class is read
    std::vector<PatchObject> children;
};

// What loading makes of the preset data: the program, and the file name
// list that ends the reading.
struct ObjectTree {
    PatchObject root;
    PatchObject fileNameList;
    items::SharedBytes storage;  // the preset data the objects' views point into
};

}  // namespace velmora::objects
