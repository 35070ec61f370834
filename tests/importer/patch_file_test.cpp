// Patches opened from a path: what the loader reports for each kind of file,
// and that the preset data it hands on lives as long as what views it.
#include "importer/container/patch_handles.h"
#include "importer/container/patch_load.h"
#include "importer/container/patch_open.h"
#include "importer/extract/extraction.h"
#include "importer/objects/object_search.h"
#include "importer/objects/patch_objects.h"
#include "tests/importer/fixtures.h"
#include "tests/importer/patch_test_support.h"
#include "tests/support/import_fixture.h"
#include "tests/support/nki_writer.h"
#include "tests/support/patch_object_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora::container {
namespace {

namespace w = nki_writer;
namespace pw = patch_writer;

// Opens the path and loads it: the open failure's code, or the load result.
PatchResult openAndLoad(const std::string& path) {
    const OpenOutcome opened = openPatchFile(path);
    if (opened.handle == nullptr) {
        return opened.code;
    }
    const PatchResult loaded = loadPatch(opened.handle);
    closePatch(opened.handle);
    return loaded;
}

TEST(PatchFile, WhatEachKindOfFileReports) {
    test::ImportFolder folder;
    test::WriteBytes(folder.file("empty.nki"), {});
    test::WriteBytes(folder.file("short.nki"), w::Bytes(100, 0x11));
    test::WriteBytes(folder.file("good.nki"), w::plainPatchFile(test::SamplePlainPatch()));
    std::filesystem::create_directory(folder.file("folder.nki"));
    struct Case {
        const char* name;
        std::string path;
        PatchResult expected;
    };
    const std::vector<Case> cases = {
        {"missing file", folder.file("absent.nki"), PatchResult::CannotOpen},
        {"empty file", folder.file("empty.nki"), PatchResult::ReadFailure},
        {"shorter than a header", folder.file("short.nki"), PatchResult::ReadFailure},
        {"a folder", folder.file("folder.nki"), PatchResult::ReadFailure},
        {"a patch", folder.file("good.nki"), PatchResult::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(openAndLoad(c.path), c.expected);
    }
    EXPECT_EQ(openHandleCount(), 0u);
}

TEST(PatchFile, AFileThatGrowsAfterOpeningLoadsAsItWasWhenOpened) {
    // A trailer appended once the patch is open is not seen: the loader
    // reads the length the file had when it was opened.
    test::ImportFolder folder;
    const std::string path = folder.file("growing.nki");
    w::PlainPatch patch = test::SamplePlainPatch();
    test::WriteBytes(path, w::plainPatchFile(patch));
    patch.trailer = w::TrailerKind::Little;
    patch.trailerData = {1, 2, 3};
    const w::Bytes withTrailer = w::plainPatchFile(patch);

    const OpenOutcome opened = openPatchFile(path);
    ASSERT_NE(opened.handle, nullptr);
    test::WriteBytes(path, withTrailer);
    ASSERT_EQ(loadPatch(opened.handle), PatchResult::Ok);
    EXPECT_EQ(opened.handle->trailerData, (w::Bytes{0})) << "no trailer";
    EXPECT_EQ(test::bytesOf(opened.handle->presetStream.span()), patch.preset);
    closePatch(opened.handle);
}

pw::InstrumentSpec ScriptedInstrument() {
    pw::InstrumentSpec instrument = test::NumberedInstrument(2);
    pw::ScriptSpec script;
    script.variableLines = {std::string("$3nvk5 24")};
    instrument.scripts = {script};
    return instrument;
}

TEST(PatchFile, TheObjectTreeOutlivesItsHandleAndItsFile) {
    // The tree's fields view the preset data where it lies: the decoded
    // buffer of a plain patch or a packed subtree, or the mapped file itself.
    const w::Bytes stream = pw::presetStream(ScriptedInstrument());
    struct Case {
        const char* name;
        w::Bytes file;
    };
    std::vector<Case> cases;
    {
        w::PlainPatch p;
        p.preset = stream;
        p.header.version = 0x100;
        cases.push_back({"plain patch", w::plainPatchFile(p)});
    }
    for (const auto& [name, layout] : {std::pair{"packed subtree", w::PresetLayout::PackedSubtree},
                                       std::pair{"inline subtree", w::PresetLayout::InlineSubtree},
                                       std::pair{"direct child", w::PresetLayout::DirectChild}}) {
        w::ContainerPatch c;
        c.preset = stream;
        c.layout = layout;
        cases.push_back({name, w::containerFile(c)});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ImportFolder folder;
        const std::string path = folder.file("instrument.nki");
        test::WriteBytes(path, c.file);
        PatchHandle* handle = openPatch(path);
        ASSERT_NE(handle, nullptr);
        objects::LoadedPatch loaded = objects::loadPatchObjects(handle);
        closePatch(handle);
        std::filesystem::remove(path);
        ASSERT_EQ(loaded.code, PatchResult::Ok) << loaded.error;

        const objects::ObjectTree& tree = *loaded.tree;
        ASSERT_EQ(tree.root.privateData.size(), 96u);
        for (std::size_t i = 0; i < 96; ++i) {
            ASSERT_EQ(tree.root.privateData[i], static_cast<std::uint8_t>(0x33 + i * 7)) << i;  // the writer's filler
        }
        EXPECT_EQ(extract::instrumentKeyswitchBase(tree.root), 24) << "the script's line, viewed";
        const objects::PatchObject* groups = objects::findObject(&tree.root, extract::kGroupListId);
        ASSERT_EQ(objects::childCount(groups), 2u);
        ASSERT_NE(objects::groupRecordOf(objects::childAt(groups, 1)), nullptr);
        EXPECT_EQ(objects::groupRecordOf(objects::childAt(groups, 1))->name, u"A1");
    }
}

}  // namespace
}  // namespace velmora::container
