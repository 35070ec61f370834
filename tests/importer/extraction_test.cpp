// From instrument files to record entries: which groups qualify, their
// names and numbers in both modes, the keyswitch variable and the failures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "importer/api/articulations_api.h"
#include "importer/container/patch_handles.h"
#include "importer/extract/keyswitch_line.h"
#include "importer/extract/micro_units.h"
#include "tests/support/import_fixture.h"

namespace velmora::test {
namespace {

namespace pw = patch_writer;

struct Entry {
    std::string name;
    int icon, note, notev, prog, modw, modc;
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << "{" << e.name << " icon " << e.icon << " note " << e.note << " notev " << e.notev << " prog "
              << e.prog << " modw " << e.modw << " modc " << e.modc << "}";
}

std::vector<Entry> Import(const std::vector<std::uint8_t>& file, std::int32_t mode = 0) {
    ImportedArticulations* r = api::getArticulationsFromBytes(file, "test.nki", mode);
    EXPECT_NE(r, nullptr);
    std::vector<Entry> out;
    for (int i = 0; i < r->count; ++i) {
        out.push_back({r->names[i], r->icon[i], r->note[i], r->notev[i], r->prog[i], r->modw[i], r->modc[i]});
    }
    api::freeArticulations(r);
    EXPECT_EQ(container::openHandleCount(), 0U) << "every import closes its patch";
    return out;
}

std::vector<std::string> Names(const std::vector<Entry>& entries) {
    std::vector<std::string> names;
    for (const Entry& e : entries) {
        names.push_back(e.name);
    }
    return names;
}

std::vector<int> Notes(const std::vector<Entry>& entries) {
    std::vector<int> notes;
    for (const Entry& e : entries) {
        notes.push_back(e.note);
    }
    return notes;
}

TEST(MicroUnits, ReadsTheStoredFraction) {
    EXPECT_EQ(extract::microUnits(0.000042f), 42);
    EXPECT_EQ(extract::microUnits(0.5f), 500000);
    EXPECT_EQ(extract::microUnits(0.500001f), 500001);
    EXPECT_EQ(extract::microUnits(-0.000003f), -3);
    EXPECT_EQ(extract::microUnits(0.0f), 0);
    constexpr auto kIndefinite = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(extract::microUnits(std::nanf("")), kIndefinite);
    EXPECT_EQ(extract::microUnits(1e30f), kIndefinite);
    EXPECT_EQ(extract::microUnits(std::numeric_limits<float>::infinity()), kIndefinite);
}

TEST(KeyswitchLine, NameValueSplitAndDecimal) {
    struct Case {
        const char* line;
        std::optional<std::int32_t> base;
    };
    const Case cases[] = {
        {"$3nvk5 24", 24},
        {"$3NVK5 24", 24},
        {"   $3nVk5 -12xyz", -12},
        {"$3nvk5 \n\n 36\n40", 36},
        {"$3nvk5  +7", 7},
        {"$3nvk5 abc", 0},
        {"$3nvk5 99999999999", std::numeric_limits<std::int32_t>::max()},
        {"$3nvk5", std::nullopt},
        {"$3nvk5 ", std::nullopt},
        {"$3nvk5 \n", std::nullopt},
        {"$3nvk50 1", std::nullopt},
        {"$3nvk 1", std::nullopt},
        {"   ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(extract::keyswitchBaseOf(c.line), c.base) << '"' << c.line << '"';
    }
}

TEST(Extraction, VelocityModeEntries) {
    pw::InstrumentSpec instrument;
    instrument.groups = {pw::articulationGroup(u"Legato", 60, 12, 7), pw::articulationGroup(u"Spiccato \u00e0", 61, 200, 300),
                   pw::articulationGroup(u"Pizz", 62, 0, 255)};
    const std::vector<Entry> expected = {
        {"Legato", 7, 0, 12, -1, -1, -1},
        {"Spiccato \xC3\xA0", 300 & 0xFF, 0, 200 & 0x7F, -1, -1, -1},
        {"Pizz", 255, 0, 0, -1, -1, -1},
    };
    // Only a plain patch file with a byte-reversed header has a big-endian stream.
    struct Form {
        FileForm form;
        bool big;
    };
    for (const Form f : {Form{FileForm::Plain, false}, Form{FileForm::Plain, true}, Form{FileForm::Container, false}}) {
        instrument.bigEndian = f.big;
        EXPECT_EQ(Import(InstrumentFile(instrument, f.form)), expected)
            << "container " << (f.form == FileForm::Container) << " big-endian " << f.big;
    }
}

TEST(Extraction, KeyswitchModeCountsFromTheScriptVariable) {
    pw::InstrumentSpec instrument = NumberedInstrument(3);
    pw::ScriptSpec script;
    script.variableLines = {std::string("$3NVK5 24")};
    instrument.scripts = {script};
    const auto entries = Import(InstrumentFile(instrument), 1);
    EXPECT_EQ(Notes(entries), (std::vector<int>{24, 25, 26}));
    for (const Entry& e : entries) {
        EXPECT_EQ(e.notev, 127);
    }
    // Only the low 8 bits of the mode count.
    EXPECT_EQ(Notes(Import(InstrumentFile(instrument), 0x100)), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Notes(Import(InstrumentFile(instrument), 0x101)), (std::vector<int>{24, 25, 26}));

    instrument.scripts.clear();
    EXPECT_EQ(Notes(Import(InstrumentFile(instrument), 1)), (std::vector<int>{0, 1, 2})) << "no variable: base 0";
}

TEST(Extraction, KeyswitchVariableAcrossScripts) {
    pw::InstrumentSpec instrument = NumberedInstrument(2);
    pw::ScriptSpec first;
    first.variableLines = {std::string("$3nvk5 10"), std::string("$other 5"), std::string("$3nvk5")};
    pw::ScriptSpec third;
    third.variableLines = {std::nullopt, std::string("$3nvk5 48")};
    pw::ScriptSpec sixth;  // only five script slots are looked at
    sixth.variableLines = {std::string("$3nvk5 90")};
    instrument.scripts = {first, pw::ScriptSpec{}, third, pw::ScriptSpec{}, pw::ScriptSpec{}, sixth};
    EXPECT_EQ(Notes(Import(InstrumentFile(instrument), 1)), (std::vector<int>{48, 49})) << "the last line examined wins";
}

TEST(Extraction, OldProgramLayoutUpToVersion0x80) {
    pw::InstrumentSpec instrument = NumberedInstrument(2);
    instrument.oldLayoutScripts = {{"$3nvk5 36"}, {}, {}, {}, {"x 1", "$3nvk5 40"}};
    pw::ScriptSpec script;
    script.variableLines = {std::string("$3nvk5 72")};
    instrument.scripts = {script};
    struct Case {
        std::uint16_t version;
        int base;
    };
    for (const Case c : {Case{0x80, 40}, Case{0x60, 40}, Case{0x81, 72}, Case{0xA5, 72}}) {
        instrument.programVersion = c.version;
        EXPECT_EQ(Notes(Import(InstrumentFile(instrument), 1)), (std::vector<int>{c.base, c.base + 1}))
            << std::hex << c.version;
    }
}

TEST(Extraction, WhichSlotRecordCounts) {
    using G = pw::GroupSpec;
    const auto withSlots = [](std::u16string name, std::initializer_list<std::pair<int, pw::SlotValues>> slots) {
        G g;
        g.name = std::move(name);
        for (const auto& [j, v] : slots) {
            g.slots[static_cast<std::size_t>(j)].present = true;
            g.slots[static_cast<std::size_t>(j)].values = v;
        }
        return g;
    };
    const auto values = [](double key, double articulation) {
        pw::SlotValues v;
        v.key = key;
        v.articulation = articulation;
        return v;
    };
    pw::SlotValues failing = values(70, 1);
    failing.nineteen = 18;
    pw::SlotValues shifted = values(71, 33);
    shifted.shiftedBlock = true;
    pw::SlotValues edge = values(72, 44);
    edge.range = 500000;
    pw::SlotValues over = values(73, 45);
    over.range = 500001;
    pw::SlotValues notSeven = values(74, 46);
    notSeven.seven = 8;

    pw::InstrumentSpec instrument;
    instrument.groups = {
        withSlots(u"highest wins", {{2, values(60, 2)}, {6, values(61, 6)}}),
        withSlots(u"failing slot skipped", {{3, values(62, 3)}, {7, failing}}),
        withSlots(u"key 0", {{1, values(63, 1)}, {5, values(0, 5)}}),
        withSlots(u"key 19999", {{0, values(64, 1)}, {4, values(19999, 5)}}),
        withSlots(u"same key as the first", {{7, values(61, 9)}}),
        withSlots(u"shifted block", {{7, shifted}}),
        withSlots(u"range 0.5", {{7, edge}}),
        withSlots(u"range 0.500001", {{7, over}}),
        withSlots(u"seven is 8", {{7, notSeven}}),
        withSlots(u"no slot", {}),
    };
    const auto entries = Import(InstrumentFile(instrument));
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{"highest wins", "failing slot skipped", "shifted block", "range 0.5"}));
    ASSERT_EQ(entries.size(), 4U);
    EXPECT_EQ(entries[0].notev, 6);
    EXPECT_EQ(entries[1].notev, 3);
    EXPECT_EQ(entries[2].notev, 33) << "0x92 moves the value block to 54";
}

TEST(Extraction, AtMost128EntriesInGroupOrder) {
    const auto entries = Import(InstrumentFile(NumberedInstrument(200)));
    ASSERT_EQ(entries.size(), 128U);
    EXPECT_EQ(entries.front().name, "A0");
    EXPECT_EQ(entries.back().name, "A127");
}

TEST(Extraction, GroupsWithoutARecordOrSlotDataThatFits) {
    pw::InstrumentSpec instrument;
    pw::GroupSpec unnamed = pw::articulationGroup(u"ignored", 60, 1, 1);
    unnamed.version = 0x8F;
    pw::GroupSpec shortBody = pw::articulationGroup(u"short", 61, 1, 1);
    shortBody.slots[7].body = pw::slotRecordBody(shortBody.slots[7].values);
    shortBody.slots[7].body->resize(100);  // the icon at 98 no longer fits
    instrument.groups = {unnamed, shortBody, pw::articulationGroup(u"fine", 62, 1, 1)};
    EXPECT_EQ(Names(Import(InstrumentFile(instrument))), (std::vector<std::string>{"", "fine"}));
}

TEST(Extraction, FilesThatYieldNothing) {
    pw::InstrumentSpec noList = NumberedInstrument(3);
    noList.hasGroupList = false;
    pw::InstrumentSpec futureNames = NumberedInstrument(3);
    futureNames.fileNameListVersion = 3;
    pw::InstrumentSpec oldNames = NumberedInstrument(3);
    oldNames.fileNameListId = 61;
    auto corrupt = InstrumentFile(NumberedInstrument(3));
    corrupt[300] ^= 0x01;

    EXPECT_TRUE(Import(InstrumentFile(noList)).empty());
    EXPECT_TRUE(Import(InstrumentFile(futureNames)).empty());
    EXPECT_EQ(Import(InstrumentFile(oldNames)).size(), 3U) << "the older name list ends the reading too";
    EXPECT_TRUE(Import({}).empty());
    EXPECT_TRUE(Import(std::vector<std::uint8_t>(5000, 0x41)).empty());
    EXPECT_TRUE(Import(corrupt).empty());
}

TEST(Extraction, OnlyAnInvalidPatchWritesTheDiagnosticLine) {
    auto corrupt = InstrumentFile(NumberedInstrument(3));
    corrupt[300] ^= 0x01;  // fails the checksum: result 2
    testing::internal::CaptureStdout();
    Import(corrupt);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Could not open \"test.nki\" - Not a valid patch\n");

    pw::InstrumentSpec futureNames = NumberedInstrument(3);
    futureNames.fileNameListVersion = 3;  // result 12
    testing::internal::CaptureStdout();
    Import(InstrumentFile(futureNames));
    Import(std::vector<std::uint8_t>(300, 0));  // not a patch: open fails
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(Extraction, MissingFileGivesAnEmptyRecord) {
    ImportedArticulations* r = api::getArticulations("/nonexistent/velmora/none.nki", 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->count, 0);
    api::freeArticulations(r);
    r = api::getArticulations(nullptr, 0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->count, 0);
    api::freeArticulations(r);
}

}  // namespace
}  // namespace velmora::test
