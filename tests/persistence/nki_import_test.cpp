// The plugin's side of an import: loading the library for the one call, the
// first slot, the copy, the messages and what a failed import leaves alone.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "persistence/nki_import.h"
#include "persistence/articulation_records.h"
#include "tests/support/import_fixture.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

namespace pw = patch_writer;

class PluginImport : public testing::Test {
protected:
    explicit PluginImport(std::string root = VELMORA_TEST_ROOT_DIR)
        : platform_(std::move(root), folder_.file("settings.txt")) {}

    void SetUp() override {
        plug_ = MakeInstance(host_, 1, platform_);
        host_.clearRecords();
    }

    std::string Instrument(const pw::InstrumentSpec& instrument, const std::string& name = "Strings.nki") {
        const std::string path = folder_.file(name);
        WriteBytes(path, InstrumentFile(instrument));
        return path;
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& c : host_.callsWithId(plug::FHD_MessageBox)) {
            texts.push_back(c.text);
            EXPECT_EQ(c.value, plug::kMsgError);
        }
        return texts;
    }

    // Some user work in slots 5 and 40, key names included.
    void FillUserWork() {
        auto& t = plug_->articulations;
        t.set(5, Articulation{"Mine", 3, 24, 100, 2, 1, 11});
        t.name[40] = "Also mine";
        t.keyNames[40].path = "/keys/mine.txt";
    }
    void ExpectUserWorkKept() {
        const auto& t = plug_->articulations;
        EXPECT_EQ(t.name[5], "Mine");
        EXPECT_EQ(t.note[5], 24);
        EXPECT_EQ(t.modc[5], 11);
        EXPECT_EQ(t.name[40], "Also mine");
        EXPECT_EQ(t.keyNames[40].path, "/keys/mine.txt");
    }

    ImportFolder folder_;
    ImportPlatform platform_;
    RecordingHost host_;
    PlugPtr plug_;
};

TEST_F(PluginImport, ReplaceClearsAllAndFillsFromTheFirstSlot) {
    FillUserWork();
    plug_->articbanks = 0;
    plug_->visible = 1;
    const int repaints = WholeRepaints(*plug_);
    ImportNki(*plug_, Instrument(NumberedInstrument(3)), NkiImportMode::Replace);

    const auto& t = plug_->articulations;
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(t.name[a], "A" + std::to_string(a));
        EXPECT_EQ(t.note[a], 0);
        EXPECT_EQ(t.notev[a], 10 + a);
        EXPECT_EQ(t.icon[a], 3 + a);
        EXPECT_EQ(t.prog[a], -1);
    }
    EXPECT_TRUE(t.isBlank(5));
    EXPECT_TRUE(t.isBlank(40)) << "key names cleared too";
    EXPECT_EQ(plug_->articbanks, 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Imported 3 articulations"}));

    // The message, then the state change.
    ASSERT_GE(host_.dispatches.size(), 2U);
    EXPECT_EQ(host_.dispatches[host_.dispatches.size() - 2].id, plug::FHD_MessageBox);
    EXPECT_EQ(host_.dispatches.back().id, plug::FHD_StateChanged);
    EXPECT_EQ(WholeRepaints(*plug_), repaints + 1);
}

TEST_F(PluginImport, AppendFillsAfterTheLastUsedSlotAndDropsTheSurplus) {
    for (int a = 0; a < 49; ++a) {
        plug_->articulations.note[a] = a;
    }
    plug_->articulations.name[49] = "only a name";  // counts as used
    plug_->articbanks = 0;
    ImportNki(*plug_, Instrument(NumberedInstrument(20)), NkiImportMode::Append);

    const auto& t = plug_->articulations;
    EXPECT_EQ(t.name[49], "only a name");
    EXPECT_EQ(t.note[48], 48);
    EXPECT_EQ(t.name[50], "A0");
    EXPECT_EQ(t.name[63], "A13");
    EXPECT_EQ(plug_->articbanks, 1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Imported 20 articulations"})) << "the full count";
}

TEST_F(PluginImport, AppendCountsKeyNamesAsUse) {
    plug_->articulations.keyNames[7].missing = 1;
    ImportNki(*plug_, Instrument(NumberedInstrument(2)), NkiImportMode::Append);
    EXPECT_EQ(plug_->articulations.name[8], "A0");
    EXPECT_EQ(plug_->articbanks, 0) << "slots below 16 leave the banks option alone";
}

TEST_F(PluginImport, ControlHeldAsksForKeyswitchNumbering) {
    pw::InstrumentSpec instrument = NumberedInstrument(3);
    pw::ScriptSpec script;
    script.variableLines = {std::string("$3nvk5 24")};
    instrument.scripts = {script};
    platform_.keyboard.control = true;
    ImportNki(*plug_, Instrument(instrument), NkiImportMode::Replace);
    const auto& t = plug_->articulations;
    EXPECT_EQ((std::vector<int>{t.note[0], t.note[1], t.note[2]}), (std::vector<int>{24, 25, 26}));
    EXPECT_EQ((std::vector<int>{t.notev[0], t.notev[1], t.notev[2]}), (std::vector<int>{127, 127, 127}));
}

TEST_F(PluginImport, AFailedImportLeavesEverythingAsItWas) {
    FillUserWork();
    const std::string notAPatch = folder_.file("notes.nki");
    WriteBytes(notAPatch, std::vector<std::uint8_t>(400, 'x'));
    pw::InstrumentSpec noGroups = NumberedInstrument(0);

    for (const std::string& path : {notAPatch, folder_.file("absent.nki"), Instrument(noGroups)}) {
        for (NkiImportMode mode : {NkiImportMode::Replace, NkiImportMode::Append}) {
            host_.clearRecords();
            ImportNki(*plug_, path, mode);
            ExpectUserWorkKept();
            EXPECT_EQ(Messages(), (std::vector<std::string>{kNkiInvalidMessage})) << path;
            EXPECT_EQ(host_.callsWithId(plug::FHD_StateChanged).size(), 1U);
        }
    }
}

TEST_F(PluginImport, TheLibraryIsUnloadedAfterTheImport) {
    ImportNki(*plug_, Instrument(NumberedInstrument(1)), NkiImportMode::Replace);
    ASSERT_EQ(plug_->articulations.name[0], "A0");
    void* still = ::dlopen(ArticulationImporterPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(still, nullptr);
    if (still != nullptr) {
        ::dlclose(still);
    }
}

// Installations whose importer library is missing or lacks its exports.
class MissingImporter : public PluginImport {
protected:
    MissingImporter() : PluginImport("/nonexistent/velmora-install") {}
};

class BrokenImporter : public PluginImport {
protected:
    BrokenImporter() : PluginImport(VELMORA_BROKEN_IMPORTER_ROOT) {}
};

TEST_F(MissingImporter, SaysItCouldNotLoadAndKeepsTheArticulations) {
    FillUserWork();
    ImportNki(*plug_, Instrument(NumberedInstrument(3)), NkiImportMode::Replace);
    ExpectUserWorkKept();
    EXPECT_EQ(Messages(), (std::vector<std::string>{kNkiNotLoadedMessage}));
    EXPECT_EQ(host_.callsWithId(plug::FHD_StateChanged).size(), 1U);
}

TEST_F(BrokenImporter, IsNotCalledWithoutItsExports) {
    FillUserWork();
    ImportNki(*plug_, Instrument(NumberedInstrument(3)), NkiImportMode::Replace);
    ExpectUserWorkKept();
    EXPECT_EQ(Messages(), (std::vector<std::string>{kNkiImporterIncompleteMessage}));
}

}  // namespace
}  // namespace velmora::test
