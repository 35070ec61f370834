// Files dropped on an instance: how the path is split, and which importer
// takes the file with what mode.
#include <gtest/gtest.h>

#include <fstream>

#include "persistence/dropped_files.h"
#include "persistence/nki_import.h"
#include "tests/support/import_fixture.h"
#include "tests/support/instance_fixture.h"
#include "tests/support/plugin_fixture.h"

namespace velmora::test {
namespace {

TEST(DroppedFiles, PathSplitting) {
    struct Case {
        const char* path;
        DroppedKind kind;
        const char* fileName;
    };
    const Case cases[] = {
        {"C:\\Lib\\Violins.nki", DroppedKind::Instrument, "Violins"},
        {"C:\\Lib.old\\Violins.nki", DroppedKind::Ignored, "Lib"},  // extension "old\Violins"
        {"D:\\Sets\\Strings.ZOLTARTIC", DroppedKind::ArticulationSet, "Strings"},
        {"C:\\Notes\\keys.txt", DroppedKind::ArticulationSet, "keys"},
        {"/home/me/Cellos..NkI", DroppedKind::Instrument, "Cellos"},  // a run of dots is one separator
        {"/home/me/Cellos.nki.bak", DroppedKind::Instrument, "Cellos"},
        {"relative.zoltartic", DroppedKind::ArticulationSet, "relative"},
        {"C:\\Lib\\Violins.nkix", DroppedKind::Ignored, "Violins"},
        {"C:\\Lib\\Violins.", DroppedKind::Ignored, "Violins"},
        {"C:\\Lib\\Violins", DroppedKind::Ignored, ""},
    };
    for (const Case& c : cases) {
        const DroppedFile f = RecogniseDroppedFile(c.path);
        EXPECT_EQ(f.kind, c.kind) << c.path;
        if (c.kind != DroppedKind::Ignored) {
            EXPECT_EQ(f.fileName, c.fileName) << c.path;
        }
    }
}

class DroppedFileImport : public testing::Test {
protected:
    DroppedFileImport() : platform_(VELMORA_TEST_ROOT_DIR, folder_.file("settings.txt")) {}
    void SetUp() override {
        plug_ = MakePlugin(host_, 1, platform_);
        plug_->articulations.set(20, Articulation{"Kept", 4, 30, 90, -1, -1, -1});
        host_.clearRecords();
    }

    std::intptr_t Drop(const std::string& path) {
        return plug_->Dispatcher(plug::FPD_DroppedFile, 0, reinterpret_cast<std::intptr_t>(path.c_str()));
    }
    std::vector<std::string> Texts(std::intptr_t id) const {
        std::vector<std::string> texts;
        for (const auto& c : host_.callsWithId(id)) {
            texts.push_back(c.text);
        }
        return texts;
    }
    std::string Instrument(const std::string& name) {
        patch_writer::InstrumentSpec instrument = NumberedInstrument(3);
        patch_writer::ScriptSpec script;
        script.variableLines = {std::string("$3nvk5 36")};
        instrument.scripts = {script};
        const std::string path = folder_.file(name);
        WriteBytes(path, InstrumentFile(instrument));
        return path;
    }
    std::string ArticulationSet(const std::string& name) {
        const std::string path = folder_.file(name);
        std::ofstream(path) << R"([{"name": "Dropped", "icon": 2, "note": 24, "notevel": 100, "prog": -1,)"
                            << R"( "modw": -1, "modc": -1}])";
        return path;
    }

    ImportFolder folder_;
    ImportPlatform platform_;
    RecordingHost host_;
    PluginPtr plug_;
};

TEST_F(DroppedFileImport, InstrumentWithControlHeldImportsInKeyswitchMode) {
    platform_.keyboard.control = true;
    EXPECT_EQ(Drop(Instrument("Violins.nki")), 0);
    EXPECT_EQ(Texts(plug::FHD_SetInstanceName), (std::vector<std::string>{"Violins"}));
    const auto& t = plug_->articulations;
    EXPECT_EQ((std::vector<int>{t.note[0], t.note[1], t.note[2]}), (std::vector<int>{36, 37, 38}));
    EXPECT_EQ(t.notev[0], 127);
    EXPECT_TRUE(t.isBlank(20)) << "replace mode clears the rest";
    EXPECT_EQ(Texts(plug::FHD_MessageBox), (std::vector<std::string>{"Imported 3 articulations"}));
}

TEST_F(DroppedFileImport, InstrumentWithoutControlImportsInVelocityMode) {
    Drop(Instrument("Violins.NKI"));
    const auto& t = plug_->articulations;
    EXPECT_EQ((std::vector<int>{t.note[0], t.notev[0], t.note[2], t.notev[2]}), (std::vector<int>{0, 10, 0, 12}));
}

TEST_F(DroppedFileImport, AnNkiThatIsNotAPatchLeavesTheArticulations) {
    const std::string path = folder_.file("Violins.nki");
    std::ofstream(path) << "just some text";
    EXPECT_EQ(Drop(path), 0);
    EXPECT_EQ(plug_->articulations.name[20], "Kept");
    EXPECT_EQ(plug_->articulations.note[20], 30);
    EXPECT_EQ(Texts(plug::FHD_MessageBox), (std::vector<std::string>{kNkiInvalidMessage}));
}

TEST_F(DroppedFileImport, ArticulationFilesImportInDropMode) {
    for (const char* name : {"Strings.ZOLTARTIC", "keys.txt"}) {
        host_.clearRecords();
        plug_->articulations.reset(0);
        EXPECT_EQ(Drop(ArticulationSet(name)), 0);
        EXPECT_EQ(plug_->articulations.name[0], "Dropped") << name;
        EXPECT_EQ(plug_->articulations.name[20], "Kept") << "drop mode resets nothing: " << name;
        ASSERT_EQ(Texts(plug::FHD_SetInstanceName).size(), 1U);
    }
}

TEST_F(DroppedFileImport, OtherFilesAreIgnored) {
    const std::string inDottedFolder = folder_.path() + "/Lib.old/Violins.nki";
    std::filesystem::create_directories(folder_.path() + "/Lib.old");
    WriteBytes(inDottedFolder, InstrumentFile(NumberedInstrument(3)));
    for (const std::string& path : {inDottedFolder, folder_.file("NoDot"), folder_.file("song.mid")}) {
        EXPECT_EQ(Drop(path), 0);
    }
    EXPECT_TRUE(host_.dispatches.empty());
    EXPECT_EQ(plug_->articulations.name[20], "Kept");
    EXPECT_TRUE(plug_->articulations.isBlank(0));
}

}  // namespace
}  // namespace velmora::test
