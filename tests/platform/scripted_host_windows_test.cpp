// The in-memory host windows: a tree read from JSON, searched and driven as
// a window system would be, with every input logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scripted_host_windows.h"

namespace platform {
namespace {

HWND Id(std::uintptr_t n) { return reinterpret_cast<HWND>(n); }

// A main window with two containers; the first holds a piano roll with a
// colour window, the second a form; a pop-up on top of everything.
constexpr const char* kTree = R"({
  "windows": [
    {"id": 10, "class": "TFruityLoopsMainForm", "title": "Host", "rect": [0, 0, 1000, 800], "client": [5, 25],
     "children": [
       {"class": "TWPControl", "rect": [100, 100, 600, 500],
        "children": [
          {"class": "TPianoRoll", "title": "Piano roll -", "rect": [100, 100, 600, 500], "client": [2, 20],
           "children": [{"id": 30, "class": "TWPControl", "rect": [110, 130, 200, 170]}]}]},
       {"class": "TWPControl", "title": "second", "rect": [600, 100, 900, 500],
        "children": [{"id": 40, "class": "TPluginForm", "rect": [650, 150, 850, 450]}]}]},
    {"class": "TFruityLoopsMainForm", "rect": [0, 0, 10, 10]},
    {"id": 50, "class": "TQuickPopupMenuWindow", "rect": [120, 140, 240, 304],
     "rows": [{"y": 2, "pixels": ["#FFFFFF", 10408357], "fill": "#9ED1A5"}]}
  ],
  "cursor": [300, 400],
  "keys": [1, 160]
})";

ScriptedHostWindows Tree() {
    std::string error;
    auto tree = ScriptedHostWindows::FromJson(kTree, error);
    EXPECT_TRUE(tree.has_value()) << error;
    return tree ? std::move(*tree) : ScriptedHostWindows{};
}

TEST(ScriptedHostWindows, SearchesInCreationOrderByClassAndWholeTitleIgnoringCase) {
    const ScriptedHostWindows w = Tree();
    const HWND main = w.findTopLevel("TFruityLoopsMainForm", {});
    EXPECT_EQ(main, Id(10));
    // Ids left out count up from 1, skipping none used before.
    EXPECT_EQ(w.findTopLevel("TFruityLoopsMainForm", {}, main), Id(4));
    EXPECT_EQ(w.findTopLevel("TFruityLoopsMainForm", {}, Id(4)), nullptr);
    EXPECT_EQ(w.findTopLevel({}, "HOST"), main);
    EXPECT_EQ(w.findTopLevel({}, "Hos"), nullptr) << "a title matches whole";

    const HWND first = w.findChild(main, "TWPControl", {});
    const HWND second = w.findChild(main, "TWPControl", {}, first);
    EXPECT_EQ(first, Id(1));
    EXPECT_EQ(second, Id(3));
    EXPECT_EQ(w.findChild(main, "TWPControl", {}, second), nullptr);
    EXPECT_EQ(w.findChild(first, {}, "PIANO ROLL -"), Id(2));
    EXPECT_EQ(w.findChild(main, {}, "Piano roll -"), nullptr) << "children only, not grandchildren";
    EXPECT_EQ(w.findChild(main, {}, {}, Id(30)), nullptr) << "after a window that is not a child: none";
    EXPECT_EQ(w.parent(Id(30)), Id(2));
    EXPECT_EQ(w.parent(main), nullptr);
    EXPECT_EQ(w.firstChild(second), Id(40));
    EXPECT_EQ(w.firstChild(Id(40)), nullptr);
    EXPECT_EQ(w.firstChild(Id(999)), nullptr);
}

TEST(ScriptedHostWindows, GeometryConvertsBetweenClientAndScreen) {
    const ScriptedHostWindows w = Tree();
    ui::Rect r;
    ASSERT_TRUE(w.windowRect(Id(2), r));
    EXPECT_EQ(r, (ui::Rect{100, 100, 600, 500}));
    ASSERT_TRUE(w.clientRect(Id(2), r));
    EXPECT_EQ(r, (ui::Rect{0, 0, 498, 380}));
    int height = 0;
    EXPECT_TRUE(w.clientHeight(Id(10), height));
    EXPECT_EQ(height, 775);
    EXPECT_FALSE(w.windowRect(Id(999), r));
    EXPECT_EQ(w.clientToScreen(Id(2), {28, 50}), (ui::Point{130, 170}));
    EXPECT_EQ(w.screenToClient(Id(2), {130, 170}), (ui::Point{28, 50}));
}

TEST(ScriptedHostWindows, WindowAtFindsTheDeepestOfTheTopmost) {
    const ScriptedHostWindows w = Tree();
    struct Case {
        ui::Point at;
        std::uintptr_t expected;
    };
    for (const Case c : {Case{{125, 145}, 50}, Case{{110, 130}, 30}, Case{{119, 169}, 30}, Case{{200, 135}, 2},
                         Case{{700, 200}, 40}, Case{{620, 120}, 3}, Case{{950, 700}, 10}, Case{{5, 5}, 4},
                         Case{{1000, 800}, 0}}) {
        EXPECT_EQ(w.windowAt(c.at), Id(c.expected)) << c.at.x << "," << c.at.y;
    }
}

TEST(ScriptedHostWindows, PixelRowsAreAsWideAsTheWindow) {
    ScriptedHostWindows w = Tree();
    const std::vector<std::uint32_t> row = w.pixelRow(Id(50), 2);
    ASSERT_EQ(row.size(), 120U);
    EXPECT_EQ(row[0], 0xFFFFFFU);
    EXPECT_EQ(row[1], 0x9ED1A5U) << "integers are 0xRRGGBB too";
    EXPECT_EQ(row[119], 0x9ED1A5U) << "filled to the width";
    EXPECT_EQ(w.pixelRow(Id(50), 3), std::vector<std::uint32_t>(120, 0)) << "an undescribed row is black";
    EXPECT_TRUE(w.pixelRow(Id(50), 164).empty());
    EXPECT_TRUE(w.pixelRow(Id(50), -1).empty());
    EXPECT_TRUE(w.pixelRow(Id(999), 2).empty());
    w.setPixelRow(Id(50), 2, std::vector<std::uint32_t>(200, 7));
    EXPECT_EQ(w.pixelRow(Id(50), 2), std::vector<std::uint32_t>(120, 7)) << "cut to the width";
}

TEST(ScriptedHostWindows, InputIsActedOutAndLoggedInOrder) {
    ScriptedHostWindows w = Tree();
    EXPECT_EQ(w.cursorPosition(), (ui::Point{300, 400}));
    EXPECT_TRUE(w.keyDown(0x01));
    EXPECT_TRUE(w.keyDown(0xA0));
    EXPECT_TRUE(w.keyDown(0x10)) << "either Shift is Shift";
    EXPECT_FALSE(w.keyDown(0xA1));
    EXPECT_FALSE(w.keyDown(0x12));

    w.setCursorPosition({120, 340});
    w.leftButton(false);
    w.key(0xA5, true);
    w.moveWindow(Id(40), {10, 20});
    w.debugOutput("Found window 0x7\n");

    EXPECT_EQ(w.cursorPosition(), (ui::Point{120, 340}));
    EXPECT_FALSE(w.keyDown(0x01));
    EXPECT_TRUE(w.keyDown(0x12)) << "right Alt is Alt";
    ui::Rect r;
    ASSERT_TRUE(w.windowRect(Id(40), r));
    EXPECT_EQ(r, (ui::Rect{610, 120, 810, 420})) << "in the container's client area, same size";
    EXPECT_EQ(w.logLines(), (std::vector<std::string>{"cursor 120,340", "button up", "key 0xA5 down", "move 40 to 10,20",
                                                      "debug: Found window 0x7"}));
    EXPECT_EQ(w.LogJson(),
              R"([{"kind":"cursor","x":120,"y":340},{"kind":"button","down":false},{"kind":"key","key":165,"down":true},)"
              R"({"kind":"move","window":40,"x":10,"y":20},{"kind":"debug","text":"Found window 0x7\n"}])");
    w.clearLog();
    EXPECT_EQ(w.LogJson(), "[]");
}

TEST(ScriptedHostWindows, MovingAWindowTakesItsChildrenAlong) {
    ScriptedHostWindows w = Tree();
    w.moveWindow(Id(1), {0, 0});  // the piano roll's container to the main window's client origin
    ui::Rect r;
    ASSERT_TRUE(w.windowRect(Id(30), r));
    EXPECT_EQ(r, (ui::Rect{15, 55, 105, 95}));
    EXPECT_EQ(w.windowAt({20, 60}), Id(30));
}

TEST(ScriptedHostWindows, RemovingAWindowRemovesWhatItHolds) {
    ScriptedHostWindows w = Tree();
    w.remove(Id(1));
    EXPECT_EQ(w.window(Id(2)), nullptr);
    EXPECT_EQ(w.window(Id(30)), nullptr);
    EXPECT_EQ(w.findChild(Id(10), "TWPControl", {}), Id(3));
    ScriptedWindow again;
    again.id = Id(30);
    EXPECT_EQ(w.add(again), Id(30)) << "a removed window's id is free again";
    EXPECT_EQ(w.add(again), nullptr) << "an id is one window's";
}

TEST(ScriptedHostWindows, TheReactionAnswersInputLikeTheRealWindow) {
    ScriptedHostWindows w = Tree();
    // A selector that opens a list when clicked and closes the pop-up on Enter.
    w.setReaction([](ScriptedHostWindows& tree, const HostWindowInput& input) {
        if (input.kind == HostWindowInput::Kind::Button && !input.down && tree.windowAt(tree.cursorPosition()) == Id(30)) {
            ScriptedWindow list;
            list.className = "TList";
            list.rect = {0, 0, 5, 5};
            tree.add(list);
        }
        if (input.kind == HostWindowInput::Kind::Key && input.key == 0x0D && !input.down) {
            tree.remove(Id(50));
            tree.debugOutput("closed");  // input of its own, logged after what it answers
            EXPECT_EQ(input.key, 0x0D) << "the input answered is still the same";
        }
    });
    w.setCursorPosition({115, 135});
    w.leftButton(true);
    EXPECT_EQ(w.findTopLevel("TList", {}), nullptr);
    w.leftButton(false);
    EXPECT_NE(w.findTopLevel("TList", {}), nullptr);
    w.key(0x0D, true);
    EXPECT_NE(w.window(Id(50)), nullptr);
    w.key(0x0D, false);
    EXPECT_EQ(w.window(Id(50)), nullptr);
    const auto lines = w.logLines();
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[lines.size() - 2], "key 0x0D up");
    EXPECT_EQ(lines.back(), "debug: closed");
}

TEST(ScriptedHostWindows, AnEmptyDescriptionIsAnEmptyScreen) {
    std::string error;
    auto tree = ScriptedHostWindows::FromJson("{}", error);
    ASSERT_TRUE(tree.has_value()) << error;
    EXPECT_EQ(tree->findTopLevel({}, {}), nullptr);
    EXPECT_EQ(tree->windowAt({0, 0}), nullptr);
    EXPECT_TRUE(tree->keysHeld().empty());
}

TEST(ScriptedHostWindows, BadDescriptionsAreRefusedWithWhereAndWhy) {
    struct Case {
        const char* json;
        const char* error;
    };
    for (const Case c : {
             Case{"{", "not JSON (at byte 1)"},
             Case{"[]", "expected an object"},
             Case{R"({"windows": {}})", "windows: expected an array of windows"},
             Case{R"({"windows": [{"class": "A"}]})", "windows[0]: has no \"rect\""},
             Case{R"({"windows": [{"rect": [0, 0, 1]}]})", "windows[0].rect: expected [left, top, right, bottom]"},
             Case{R"({"windows": [{"rect": [0, 0, 1, 1], "title": 3}]})", "windows[0].title: expected a string"},
             Case{R"({"windows": [{"id": 0, "rect": [0, 0, 1, 1]}]})", "windows[0].id: expected an unsigned integer other than 0"},
             Case{R"({"windows": [{"rect": [0, 0, 1, 1]}, {"id": 1, "rect": [0, 0, 1, 1]}]})", "windows[1].id: used by another window"},
             Case{R"({"windows": [{"rect": [0, 0, 1, 1], "client": [1]}]})", "windows[0].client: expected [x, y]"},
             Case{R"({"windows": [{"rect": [0, 0, 1, 1], "children": [{"rect": [0, 0, 1, 1], "rows": [{"y": 0, "pixels": ["#12345G"]}]}]}]})",
                  "windows[0].children[0].rows[0].pixels[0]: expected a colour, \"#RRGGBB\" or an integer up to 0xFFFFFF"},
             Case{R"({"windows": [{"rect": [0, 0, 1, 1], "rows": [{"y": 0, "fill": 16777216}]}]})",
                  "windows[0].rows[0].fill: expected a colour, \"#RRGGBB\" or an integer up to 0xFFFFFF"},
             Case{R"({"windows": [{"rect": [0, 0, 1, 1], "rows": [{"pixels": []}]}]})", "windows[0].rows[0].y: expected an integer"},
             Case{R"({"cursor": [1, "2"]})", "cursor: expected [x, y]"},
             Case{R"({"keys": [16, true]})", "keys: expected an array of virtual key codes"},
         }) {
        std::string error;
        EXPECT_FALSE(ScriptedHostWindows::FromJson(c.json, error).has_value()) << c.json;
        EXPECT_EQ(error, c.error) << c.json;
    }
}

TEST(ScriptedHostWindows, NestingDeeperThanAnyHostIsRefused) {
    std::string json = R"({"windows": )";
    constexpr int kLevels = 40;
    for (int i = 0; i < kLevels; ++i) {
        json += R"([{"rect": [0, 0, 1, 1], "children": )";
    }
    json += "[]";
    for (int i = 0; i < kLevels; ++i) {
        json += "}]";
    }
    json += "}";
    std::string error;
    EXPECT_FALSE(ScriptedHostWindows::FromJson(json, error).has_value());
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

}  // namespace
}  // namespace platform
