// Reading serialised patch objects: the body forms of the object kinds, the
// public records, the private-data layouts and the format failures.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "importer/objects/object_error.h"
#include "importer/objects/object_reader.h"
#include "importer/objects/object_search.h"
#include "importer/objects/private_layouts.h"
#include "tests/importer/fixtures.h"
#include "tests/support/patch_object_writer.h"

namespace velmora::test {
namespace {

namespace pw = patch_writer;
using objects::PatchObject;

// An object's byte fields view the bytes it was read from: those are kept
// until the test program ends.
PatchObject Read(const pw::Bytes& bytes, bool big = false) {
    static std::deque<pw::Bytes> kept;
    const pw::Bytes& held = kept.emplace_back(bytes);
    auto read = objects::readObject(held, big ? ByteOrder::Big : ByteOrder::Little);
    EXPECT_TRUE(read.object.has_value()) << read.error;
    return read.object ? std::move(*read.object) : PatchObject{};
}

std::string ErrorOf(const pw::Bytes& bytes) { return objects::readObject(bytes, ByteOrder::Little).error; }

pw::Bytes Leaf(std::uint16_t id, std::uint16_t version = 1) {
    pw::StructuredSpec s;
    s.version = version;
    s.privateData = {1, 2, 3};
    return pw::fullObject(id, pw::structuredBody(s));
}

pw::Bytes WithChildren(std::vector<pw::Bytes> children, pw::Bytes tail = {}) {
    pw::StructuredSpec s;
    s.version = 7;
    s.children = std::move(children);
    s.childrenTail = std::move(tail);
    return pw::fullObject(100, pw::structuredBody(s));
}

TEST(ObjectTree, StructuredChildrenBlock) {
    EXPECT_TRUE(Read(WithChildren({})).children.empty()) << "children length 0";

    const PatchObject two = Read(WithChildren({Leaf(101), Leaf(102)}));
    ASSERT_EQ(two.children.size(), 2U);
    EXPECT_EQ(two.children[1].id, 102);
    EXPECT_EQ(bytesOf(two.children[1].privateData), (std::vector<std::uint8_t>{1, 2, 3}));

    // One spare byte after the last child is not the start of another.
    const PatchObject spare = Read(WithChildren({Leaf(101)}, {0xEE}));
    ASSERT_EQ(spare.children.size(), 1U);
    // Two spare bytes are: they begin a header that is cut off.
    EXPECT_EQ(ErrorOf(WithChildren({Leaf(101)}, {0xEE, 0xEE})), objects::kCutOffHeader);
}

TEST(ObjectTree, StructuredFlagZeroKeepsTheBodyAsPrivateData) {
    const PatchObject o = Read(pw::fullObject(100, pw::unstructuredBody({9, 8, 7})));
    EXPECT_EQ(o.structured, 0);
    EXPECT_EQ(bytesOf(o.privateData), (std::vector<std::uint8_t>{9, 8, 7}));
}

TEST(ObjectTree, SlotListReadsAnObjectPerSetBit) {
    const PatchObject list =
        Read(pw::fullObject(55, pw::slotList({0x05, 0, 0, 0, 0, 0, 0, 0}, {Leaf(200), Leaf(202)})));
    ASSERT_EQ(list.children.size(), 2U);
    EXPECT_EQ(list.children[0].id, 200);
    EXPECT_EQ(list.children[1].id, 202);

    // Bit 63 is the top bit of the last byte.
    const PatchObject last = Read(pw::fullObject(55, pw::slotList({0, 0, 0, 0, 0, 0, 0, 0x80}, {Leaf(263)})));
    ASSERT_EQ(last.children.size(), 1U);
    EXPECT_EQ(last.children[0].id, 263);
}

TEST(ObjectTree, ScriptTextsAbsentEmptyAndPresent) {
    pw::ScriptSpec script;
    script.sourceText = std::nullopt;
    script.description = std::string();
    script.textFileName = std::string("keys.txt");
    script.variableLines = {std::string("$3nvk5 24"), std::nullopt, std::string()};
    const PatchObject o = Read(pw::fullObject(6, pw::publicBody(0x60, pw::scriptRecord(script))));
    ASSERT_NE(o.publicRecord, nullptr);
    const auto& s = std::get<objects::ScriptRecord>(*o.publicRecord);
    EXPECT_FALSE(s.sourceText.has_value()) << "length -1 reads as absent";
    ASSERT_TRUE(s.description.has_value()) << "length 0 reads as empty";
    EXPECT_EQ(*s.description, "");
    EXPECT_EQ(s.textFileName, std::string("keys.txt"));
    ASSERT_NE(objects::variableLinesOf(&o), nullptr);
    EXPECT_EQ(*objects::variableLinesOf(&o), (std::vector<objects::Text>{"$3nvk5 24", std::nullopt, ""}));

    // A script of a version without a class keeps its bytes and has no lines.
    const PatchObject other = Read(pw::fullObject(6, pw::publicBody(0x61, pw::scriptRecord(script))));
    EXPECT_EQ(other.publicRecord, nullptr);
    EXPECT_FALSE(other.publicData.empty());
    EXPECT_EQ(objects::variableLinesOf(&other), nullptr);
}

TEST(ObjectTree, GroupNamesInTheStreamsByteOrder) {
    const std::u16string name = u"Sp\u00e9cial \u266B \U0001D11E";
    for (bool big : {false, true}) {
        pw::GroupSpec g;
        g.name = name;
        const PatchObject list = Read(pw::fullObject(51, pw::groupList({pw::groupBody(g, big)}, big), big), big);
        ASSERT_EQ(list.children.size(), 1U) << big;
        const objects::GroupRecord* record = objects::groupRecordOf(&list.children[0]);
        ASSERT_NE(record, nullptr) << big;
        EXPECT_EQ(record->name, name) << big;
        EXPECT_EQ(record->interpQuality, 2) << big;
    }
}

TEST(ObjectTree, GroupRecordOnlyForItsVersions) {
    for (int v : {0x8F, 0x90, 0x95, 0x96}) {
        const auto version = static_cast<std::uint16_t>(v);
        pw::GroupSpec g;
        g.name = u"x";
        g.version = version;
        const PatchObject list = Read(pw::fullObject(51, pw::groupList({pw::groupBody(g)})));
        ASSERT_EQ(list.children.size(), 1U);
        EXPECT_EQ(objects::groupRecordOf(&list.children[0]) != nullptr, version >= 0x90 && version <= 0x95)
            << std::hex << version;
    }
}

TEST(ObjectTree, ListMembersCarryTheirIndexes) {
    pw::FieldWriter zones;
    zones.i32(2);
    for (int group : {4, 9}) {
        pw::StructuredSpec z;
        z.version = 0x95;
        z.publicData = {1, 2, 3, 4};
        zones.i32(group).raw(pw::structuredBody(z));
    }
    const PatchObject zoneList = Read(pw::fullObject(52, zones.bytes()));
    ASSERT_EQ(zoneList.children.size(), 2U);
    EXPECT_EQ(zoneList.children[0].id, 44);
    EXPECT_EQ(zoneList.children[1].memberIndex, 9);
    EXPECT_EQ(bytesOf(zoneList.children[1].publicData), (std::vector<std::uint8_t>{1, 2, 3, 4}));

    pw::FieldWriter programs;
    pw::StructuredSpec p;
    p.version = 0xA5;
    programs.u16(1).i16(-3).raw(pw::structuredBody(p));
    const PatchObject programList = Read(pw::fullObject(54, programs.bytes()));
    ASSERT_EQ(programList.children.size(), 1U);
    EXPECT_EQ(programList.children[0].id, 40);
    EXPECT_EQ(programList.children[0].memberIndex, -3);
}

TEST(ObjectTree, StartCriteriaAndParameterArrays) {
    pw::FieldWriter criteria;
    criteria.u8(0x09);  // entries 0 and 3
    for (std::int32_t mode : {1, 4}) {
        criteria.u8(1).u16(0x70).i32(mode).i32(-1).i16(36).i16(48).i16(1).i16(0).i16(127).i32(2).i32(0).i32(0).u8(1);
    }
    const PatchObject list = Read(pw::fullObject(56, criteria.bytes()));
    ASSERT_EQ(list.children.size(), 2U);
    ASSERT_NE(list.children[1].publicRecord, nullptr);
    const auto& c = std::get<objects::StartCriteriaRecord>(*list.children[1].publicRecord);
    EXPECT_EQ(c.mode, 4);
    EXPECT_EQ(c.keyMax, 48);
    EXPECT_EQ(c.ccMax, 127);
    EXPECT_EQ(c.sequencerOnly, 1);

    pw::FieldWriter params;
    params.u8(1).u16(0x10);
    for (int i = 0; i < 8; ++i) {
        if (i == 1 || i == 6) {
            params.u8(1).raw(Leaf(static_cast<std::uint16_t>(300 + i)));
        } else {
            params.u8(0);
        }
    }
    const PatchObject array = Read(pw::fullObject(58, params.bytes()));
    ASSERT_EQ(array.children.size(), 2U);
    EXPECT_EQ(array.children[1].id, 306);
}

TEST(ObjectTree, ListWhoseMembersCannotBeDelimitedKeepsItsBytes) {
    // A loop's record layout is not read, so its members cannot be told
    // apart; the list keeps them as bytes and its siblings still read.
    pw::FieldWriter loops;
    loops.u8(0x03).u8(1).u16(0x60).raw({1, 2, 3, 4, 5, 6, 7, 8});
    const pw::Bytes loopArray = pw::fullObject(57, loops.bytes());
    const PatchObject parent = Read(WithChildren({loopArray, Leaf(101)}));
    ASSERT_EQ(parent.children.size(), 2U);
    EXPECT_TRUE(parent.children[0].children.empty());
    EXPECT_EQ(parent.children[0].privateData.size(), 11U);
    EXPECT_EQ(parent.children[1].id, 101);
}

TEST(ObjectTree, FormatFailures) {
    pw::FieldWriter negative;
    negative.u16(100).i32(-1);
    pw::FieldWriter childTooLong;
    childTooLong.u8(1).u16(1).i32(0).i32(0).i32(12).u16(101).i32(50).raw({0, 0, 0, 0, 0, 0});
    pw::FieldWriter groupsCut;
    groupsCut.i32(3);
    struct Case {
        const char* what;
        pw::Bytes bytes;
        std::string error;
    };
    const Case cases[] = {
        {"negative header length", negative.bytes(), objects::kUnexpectedDataChunk},
        {"header cut off", {100, 0, 5}, objects::kCutOffHeader},
        {"body beyond the stream", {100, 0, 40, 0, 0, 0, 1}, objects::kUnexpectedDataChunk},
        {"child longer than its block", pw::fullObject(100, childTooLong.bytes()), objects::kUnexpectedDataChunk},
        {"group list shorter than its count", pw::fullObject(51, groupsCut.bytes()), objects::kUnexpectedDataChunk},
        {"file name list version 1", pw::fullObject(75, pw::fileNameList(1)), objects::kWrongValue},
        {"file name list version 3", pw::fullObject(75, pw::fileNameList(3)), objects::kFutureVersion},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorOf(c.bytes), c.error) << c.what;
    }
    EXPECT_EQ(ErrorOf(pw::fullObject(75, pw::fileNameList(2))), "");
}

TEST(ObjectTree, NestingDeeperThanAnyInstrumentIsRefused) {
    pw::Bytes o = Leaf(101);
    for (int i = 0; i < objects::kMaxObjectDepth + 4; ++i) {
        o = WithChildren({o});
    }
    EXPECT_EQ(ErrorOf(o), objects::kTooDeep);
}

TEST(ObjectTree, TreeEndsAtTheFileNameList) {
    const pw::Bytes root = WithChildren({Leaf(101)});
    const pw::Bytes skipped = pw::fullObject(5, pw::Bytes{1, 0x60, 0, 9, 9});  // a loop: skipped by its length
    const pw::Bytes names = pw::fullObject(61, pw::Bytes{4, 4, 4});
    const pw::Bytes after = pw::fullObject(75, pw::fileNameList(3));  // never read

    pw::Bytes stream = root;
    stream.insert(stream.end(), skipped.begin(), skipped.end());
    stream.insert(stream.end(), names.begin(), names.end());
    stream.insert(stream.end(), after.begin(), after.end());
    const auto read = objects::readObjectTree(items::SharedBytes::unowned(stream), ByteOrder::Little);
    ASSERT_TRUE(read.tree.has_value()) << read.error;
    EXPECT_EQ(read.tree->root.children.size(), 1U);
    EXPECT_EQ(read.tree->fileNameList.id, 61);
    EXPECT_EQ(bytesOf(read.tree->fileNameList.privateData), (std::vector<std::uint8_t>{4, 4, 4}));

    pw::Bytes unended = root;
    unended.insert(unended.end(), skipped.begin(), skipped.end());
    EXPECT_FALSE(objects::readObjectTree(items::SharedBytes::unowned(unended), ByteOrder::Little).tree.has_value());
}

TEST(ObjectSearch, PreOrderIncludingTheStart) {
    // 100 ( 6a ( 6b ) 51 ( 6c ) )
    const pw::Bytes inner = WithChildren({Leaf(6)});
    pw::StructuredSpec a;
    a.children = {Leaf(6)};
    const PatchObject root = Read(WithChildren({pw::fullObject(30, pw::structuredBody(a)), inner}));
    EXPECT_EQ(objects::findObject(&root, 100), &root);
    EXPECT_EQ(objects::nthObject(&root, 6, 0), &root.children[0].children[0]);
    EXPECT_EQ(objects::nthObject(&root, 6, 1), &root.children[1].children[0]);
    EXPECT_EQ(objects::nthObject(&root, 6, 2), nullptr);
    EXPECT_EQ(objects::findObject(nullptr, 6), nullptr);
    EXPECT_EQ(objects::objectId(nullptr), -1);
    EXPECT_EQ(objects::childAt(&root, 2), nullptr);
}

TEST(PrivateLayouts, GroupSlotRecords) {
    std::array<pw::SlotRecordSpec, 8> slots;
    slots[1].present = true;
    slots[1].body = pw::Bytes{1, 2, 3};
    slots[2].present = true;
    slots[2].body = pw::Bytes{};
    slots[7].present = true;
    slots[7].body = pw::Bytes{7, 7};
    const pw::Bytes data = pw::groupPrivateData(slots);
    const auto bodies = objects::groupSlotRecords(data);
    EXPECT_FALSE(bodies[0].has_value()) << "present flag 0: one byte";
    ASSERT_TRUE(bodies[1].has_value());
    EXPECT_EQ(std::vector<std::uint8_t>(bodies[1]->begin(), bodies[1]->end()), (std::vector<std::uint8_t>{1, 2, 3}));
    ASSERT_TRUE(bodies[2].has_value());
    EXPECT_TRUE(bodies[2]->empty());
    ASSERT_TRUE(bodies[7].has_value());
    EXPECT_EQ((*bodies[7])[0], 7);

    // Cut inside record 7's body: it and nothing after it is read.
    const pw::Bytes cut(data.begin(), data.end() - 1);
    const auto partial = objects::groupSlotRecords(cut);
    EXPECT_TRUE(partial[2].has_value());
    EXPECT_FALSE(partial[7].has_value());
    EXPECT_FALSE(objects::groupSlotRecords(pw::Bytes(1000, 1))[0].has_value());
}

TEST(PrivateLayouts, OldProgramInlineScripts) {
    const pw::Bytes data = pw::oldProgramPrivateData({{"a 1", "b 2"}, {}, {"c 3"}});
    const auto slots = objects::oldProgramScriptLines(data);
    ASSERT_EQ(slots.size(), 5U);
    EXPECT_EQ(slots[0], (std::vector<objects::Text>{"a 1", "b 2"}));
    EXPECT_TRUE(slots[1].empty());
    EXPECT_EQ(slots[2], (std::vector<objects::Text>{"c 3"}));

    // Cut inside the last slot: the four before it still count.
    const auto cut = objects::oldProgramScriptLines(pw::Bytes(data.begin(), data.end() - 2));
    EXPECT_EQ(cut.size(), 4U);
    EXPECT_TRUE(objects::oldProgramScriptLines(pw::Bytes(64, 0)).empty());
}

}  // namespace
}  // namespace velmora::test
