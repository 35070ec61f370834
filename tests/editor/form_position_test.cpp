// With the single-editor option the host's plugin form is remembered where
// the editor was hidden and moved back there when an editor shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/form_position.h"
#include "editor/idle.h"
#include "editor/window_lifecycle.h"
#include "tests/editor/piano_roll_fixture.h"

namespace velmora::test {
namespace {

class FormPositionTest : public PianoRollTest {
protected:
    void SetUp() override {
        PianoRollTest::SetUp();
        host.HostVersion = 21000000;
        plug->processState->showsingle = 1;
    }
    void show() { editor::ShowEditor(*plug, tree.sheet); }
    void hide() { editor::ShowEditor(*plug, nullptr); }
    // The user drags the form somewhere else in its container.
    void userMovesForm(platform::ui::Point to) {
        tree.windows.moveWindow(tree.form, to);
        tree.windows.clearLog();
    }
    platform::ui::Point saved() const { return {plug->processState->savedFormPosX, plug->processState->savedFormPosY}; }
};

TEST_F(FormPositionTest, HidingRemembersTheFormsPlaceInItsContainer) {
    show();
    hide();
    EXPECT_EQ(saved(), kFormPlace);
    show();
    userMovesForm({300, 80});
    hide();
    EXPECT_EQ(saved(), (platform::ui::Point{300, 80}));
}

TEST_F(FormPositionTest, ShowingMovesTheFormBackAtTheNextIdle) {
    show();
    userMovesForm({300, 80});
    hide();
    userMovesForm({20, 30});
    show();
    EXPECT_TRUE(tree.windows.log().empty()) << "nothing moves before idle";
    editor::IdlePublic(*plug);
    char expected[64];
    std::snprintf(expected, sizeof(expected), "move %ju to 300,80", static_cast<std::uintmax_t>(reinterpret_cast<std::uintptr_t>(tree.form)));
    EXPECT_EQ(tree.windows.logLines(), std::vector<std::string>{expected});
    platform::ui::Rect r;
    ASSERT_TRUE(tree.windows.windowRect(tree.form, r));
    EXPECT_EQ(r.width(), kFormRect.width()) << "the size is kept";
    EXPECT_EQ(plug->restoreFormPos, 0);
    editor::IdlePublic(*plug);
    EXPECT_EQ(tree.windows.log().size(), 1U) << "once per show";
}

TEST_F(FormPositionTest, NothingMovesWhileNoPlaceIsRemembered) {
    show();
    ASSERT_EQ(plug->restoreFormPos, 1);
    editor::IdlePublic(*plug);
    EXPECT_TRUE(tree.windows.log().empty());
    EXPECT_EQ(plug->restoreFormPos, 0);
}

TEST_F(FormPositionTest, OlderHostsNeitherRememberNorRestore) {
    host.HostVersion = 11999999;
    show();
    hide();
    EXPECT_EQ(saved(), (platform::ui::Point{kUnknownFormPos, kUnknownFormPos}));
    plug->processState->showsingle = 0;
    host.HostVersion = 21000000;
    show();
    hide();
    EXPECT_EQ(saved(), (platform::ui::Point{kUnknownFormPos, kUnknownFormPos})) << "nor without the single-editor option";
}

TEST_F(FormPositionTest, OnlyFormsHoldingAnEditorOfALiveInstanceMove) {
    plug->processState->savedFormPosX = 40;
    plug->processState->savedFormPosY = 60;
    // A second instance's editor in a second form; a third form holds a window that is no editor.
    RecordingHost otherHost;
    auto other = MakeInstance(otherHost, 2, hostPlatform);
    auto addForm = [&](HWND content) {
        platform::ScriptedWindow f;
        f.parent = tree.formContainer;
        f.className = "TPluginForm";
        f.rect = {1150, 500, 1250, 600};
        const HWND form = tree.windows.add(f);
        platform::ScriptedWindow s;
        s.parent = form;
        s.className = "TVectorSheet";
        s.rect = f.rect;
        const HWND sheet = tree.windows.add(s);
        platform::ScriptedWindow e;
        e.id = content;
        e.parent = sheet;
        e.rect = f.rect;
        tree.windows.add(e);
        return form;
    };
    const HWND otherForm = addForm(EditorHandle(*other));
    addForm(nullptr);
    editor::RestoreFormPositions(*plug);
    EXPECT_EQ(tree.windows.log().size(), 2U);
    ASSERT_EQ(tree.windows.log().size(), 2U);
    EXPECT_EQ(tree.windows.log()[0].window, tree.form);
    EXPECT_EQ(tree.windows.log()[1].window, otherForm);
    for (const auto& input : tree.windows.log()) {
        EXPECT_EQ(input.x, 40);
        EXPECT_EQ(input.y, 60);
    }

    tree.windows.clearLog();
    other.reset();
    editor::RestoreFormPositions(*plug);
    EXPECT_EQ(tree.windows.log().size(), 1U) << "a destroyed instance's editor is no longer one";
}

TEST_F(FormPositionTest, NoMainWindowNoForms) {
    plug->processState->hostMainWindow = nullptr;
    show();
    hide();
    EXPECT_EQ(saved(), (platform::ui::Point{kUnknownFormPos, kUnknownFormPos}));
    plug->processState->savedFormPosX = 40;
    plug->processState->savedFormPosY = 60;
    editor::RestoreFormPositions(*plug);
    EXPECT_TRUE(tree.windows.log().empty());
}

}  // namespace
}  // namespace velmora::test
