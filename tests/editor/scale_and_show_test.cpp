// The editor's scale and its showing and hiding.
#include "editor/message_handler.h"
#include "editor/scale.h"
#include "editor/window_lifecycle.h"
#include "tests/editor/editor_fixture.h"

namespace velmora::test {
namespace {

std::string StoredScale() {
    return platform::SettingsStore::currentUser().readString(platform::kVelmoraKey, "UI Scale").value_or("");
}

TEST_F(EditorTest, ScaleStepsCycleBothWays) {
    struct { bool up; std::vector<float> cycle; } directions[] = {
        {true, {1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f, 0.0f, 1.5f}},
        {false, {4.0f, 3.5f, 3.0f, 2.5f, 2.0f, 1.5f, 0.0f, 4.0f}},
    };
    for (const auto& d : directions) {
        plug->uiscale = 0.0f;
        host.clearRecords();
        for (const float expected : d.cycle) {
            editor::StepScale(*plug, d.up);
            EXPECT_FLOAT_EQ(plug->uiscale, expected);
            const float factor = expected == 0.0f ? 1.0f : expected;
            EXPECT_FLOAT_EQ(plug->scaleFactor, factor);
            EXPECT_EQ(plug->editorWindow->width(), static_cast<int>(240 * factor));
            EXPECT_EQ(plug->editorWindow->height(), static_cast<int>(237 * factor));
            char text[32];
            std::snprintf(text, sizeof(text), "%f", static_cast<double>(expected));
            EXPECT_EQ(StoredScale(), text);
        }
        EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), d.cycle.size());
    }
}

TEST_F(EditorTest, MinimisedEditorAtScaleTwo) {
    plug->minimised = 1;
    plug->uiscale = 1.5f;
    editor::StepScale(*plug, true);
    EXPECT_EQ(plug->editorWindow->width(), 480);
    EXPECT_EQ(plug->editorWindow->height(), 200);
    EXPECT_EQ(host.callsWithId(plug::FHD_EditorResized).size(), 1U);
}

TEST_F(EditorTest, OutsideResizeTakesTheLargerRatio) {
    struct { int w, h; float scale, uiscale; const char* stored; } cases[] = {
        {480, 300, 2.0f, 2.0f, "2.000000"},
        {240, 474, 2.0f, 2.0f, "2.000000"},
        {240, 237, 1.0f, 0.0f, "0.000000"},
        {120, 100, 0.5f, 0.0f, "0.000000"},
    };
    for (const auto& c : cases) {
        platform::ui::WindowEvent size;
        size.kind = platform::ui::WindowEvent::Kind::Size;
        size.width = c.w;
        size.height = c.h;
        EXPECT_TRUE(editor::HandleEditorMessage(*plug, size));
        EXPECT_FLOAT_EQ(plug->scaleFactor, c.scale) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(plug->uiscale, c.uiscale);
        EXPECT_EQ(StoredScale(), c.stored);
    }
}

TEST_F(EditorTest, MousePositionIsInEditorUnits) {
    plug->scaleFactor = 2.0f;
    plug->tab = 0;
    platform::ui::WindowEvent move;
    move.kind = platform::ui::WindowEvent::Kind::MouseMove;
    move.x = 41;
    move.y = 21;
    editor::HandleEditorMessage(*plug, move);
    EXPECT_EQ(plug->mousePosX, 20);
    EXPECT_EQ(plug->mousePosY, 10);
    ASSERT_EQ(host.hints.size(), 1U);
    EXPECT_EQ(host.hints[0], "Articulation 1. Edit the properties below or right click for more");
}

TEST_F(EditorTest, ShowingOneEditorClosesTheOthersOnNewHosts) {
    RecordingHost otherHost;
    auto other = MakeInstance(otherHost, 2);
    plug->visible = 0;
    int parent = 0;
    editor::ShowEditor(*other, reinterpret_cast<HWND>(&parent));
    other->tab = 2;
    editor::ShowEditor(*other, nullptr);  // hiding hands its panel on
    EXPECT_EQ(other->visible, 0);
    EXPECT_FALSE(other->editorWindow->shown());
    editor::ShowEditor(*other, reinterpret_cast<HWND>(&parent));
    otherHost.clearRecords();

    editor::ShowEditor(*plug, reinterpret_cast<HWND>(&parent));
    EXPECT_EQ(plug->visible, 1);
    EXPECT_TRUE(plug->editorWindow->shown());
    EXPECT_EQ(plug->parentWindow, reinterpret_cast<HWND>(&parent));
    EXPECT_EQ(plug->tab, 2);
    EXPECT_EQ(plug->restoreFormPos, 1);
    EXPECT_EQ(otherHost.callsWithId(plug::FHD_CloseEditor).size(), 1U);
    EXPECT_TRUE(host.callsWithId(plug::FHD_CloseEditor).empty());

    // Older hosts, or the switch off: editors live side by side.
    for (const bool old : {true, false}) {
        host.HostVersion = old ? 11000000 : 21000000;
        plug->processState->showsingle = old ? 1 : 0;
        otherHost.clearRecords();
        editor::ShowEditor(*plug, reinterpret_cast<HWND>(&parent));
        EXPECT_TRUE(otherHost.callsWithId(plug::FHD_CloseEditor).empty());
    }
}

TEST_F(EditorTest, RepaintsOnlyWhileShown) {
    plug->visible = 0;
    plug->RepaintEditor(Repaint::Whole);
    EXPECT_EQ(WholeRepaints(*plug), 0);
    plug->visible = 1;
    plug->RepaintEditor(Repaint::Whole);
    plug->RepaintEditor(Repaint::GridOnly);
    EXPECT_EQ(WholeRepaints(*plug), 1);
    EXPECT_EQ(GridRepaints(*plug), 1);
}

}  // namespace
}  // namespace velmora::test
