// What the keys and the pointer do to an open pop-up menu of the desktop:
// highlights that skip what cannot be chosen, choices, dismissals, and the
// release of the button that opened the menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/src/ui/x11/popup_menu_tracking.h"

namespace platform::ui::x11 {
namespace {

MenuEntry Item(int id, std::string text, bool greyed = false) {
    MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    e.greyed = greyed;
    return e;
}

MenuEntry Separator() {
    MenuEntry e;
    e.id = 99;
    e.separator = true;
    return e;
}

// 0 Assign, 1 separator, 2 Rename (greyed), 3 Swap, 4 Copy (greyed), 5 Paste.
const std::vector<MenuEntry>& Entries() {
    static const std::vector<MenuEntry> entries = {Item(11, "Assign"), Separator(),         Item(12, "Rename", true),
                                                   Item(13, "Swap"),   Item(14, "Copy", true), Item(15, "Paste")};
    return entries;
}

const MenuLayout& Layout() {
    static const MenuLayout layout = LayOutMenu(
        Entries(), [](const std::string& s) { return static_cast<int>(s.size()) * 7; }, MenuMetrics{});
    return layout;
}

TEST(PopupMenuTracking, NextChoosableSkipsSeparatorsAndGreyedEntriesAndWraps) {
    const std::vector<MenuEntry> none = {Separator(), Item(1, "Off", true)};
    const std::vector<MenuEntry> one = {Separator(), Item(1, "On"), Item(2, "Off", true)};
    const struct {
        const char* name;
        const std::vector<MenuEntry>& entries;
        int from;
        int step;
        int expected;
    } cases[] = {
        {"down from nothing: the first", Entries(), -1, 1, 0},
        {"up from nothing: the last", Entries(), -1, -1, 5},
        {"down over a separator and a greyed entry", Entries(), 0, 1, 3},
        {"down over a greyed entry", Entries(), 3, 1, 5},
        {"down from the last wraps to the first", Entries(), 5, 1, 0},
        {"up from the first wraps to the last", Entries(), 0, -1, 5},
        {"up over a greyed entry and a separator", Entries(), 3, -1, 0},
        {"an index past the end counts as nothing", Entries(), 17, 1, 0},
        {"nothing choosable", none, -1, 1, -1},
        {"nothing choosable, upwards", none, 1, -1, -1},
        {"the only choosable entry stays", one, 1, 1, 1},
        {"the only choosable entry stays, upwards", one, 1, -1, 1},
        {"an empty menu", {}, -1, 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NextChoosable(c.entries, c.from, c.step), c.expected);
    }
}

using Outcome = MenuTracker::Outcome;

struct KeyCase {
    const char* name;
    std::vector<MenuKey> keys;
    Outcome outcome;
    int id;
    int highlighted;
};

TEST(PopupMenuTracking, KeysMoveTheHighlightAndChooseOrDismiss) {
    using K = MenuKey;
    const std::vector<KeyCase> cases = {
        {"Down Down Return skips the separator and the greyed entry", {K::Down, K::Down, K::Choose},
         Outcome::Chosen, 13, 3},
        {"Down Return chooses the first", {K::Down, K::Choose}, Outcome::Chosen, 11, 0},
        {"Up from nothing chooses the last", {K::Up, K::Choose}, Outcome::Chosen, 15, 5},
        {"End Up skips the greyed entry", {K::End, K::Up, K::Choose}, Outcome::Chosen, 13, 3},
        {"Home after moving goes back to the first", {K::Down, K::Down, K::Down, K::Home, K::Choose},
         Outcome::Chosen, 11, 0},
        {"Down wraps from the last to the first", {K::End, K::Down, K::Choose}, Outcome::Chosen, 11, 0},
        {"Return with nothing highlighted keeps the menu", {K::Choose}, Outcome::Open, 0, -1},
        {"other keys do nothing", {K::Down, K::Other, K::Other}, Outcome::Open, 0, 0},
        {"Escape dismisses", {K::Dismiss}, Outcome::Dismissed, 0, -1},
        {"Escape after moving dismisses", {K::Down, K::Down, K::Dismiss}, Outcome::Dismissed, 0, 3},
        {"keys after a choice change nothing", {K::Down, K::Choose, K::Down, K::Dismiss}, Outcome::Chosen, 11, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuTracker tracker(Entries(), Layout(), 0, {0, 0});
        for (MenuKey k : c.keys) {
            tracker.key(k);
        }
        EXPECT_EQ(tracker.outcome(), c.outcome);
        EXPECT_EQ(tracker.chosenId(), c.id);
        EXPECT_EQ(tracker.highlighted(), c.highlighted);
    }
}

// One pointer event: on an entry's row (its centre moved by `offset`) or,
// for row -1, at `offset` in menu coordinates.
struct Step {
    enum class Kind { Move, Press, Release } kind;
    int button;
    int row;
    Point offset;
};

Step Move(int row, Point offset = {}) { return {Step::Kind::Move, 0, row, offset}; }
Step MoveTo(Point point) { return {Step::Kind::Move, 0, -1, point}; }
Step Press(int button, int row, Point offset = {}) { return {Step::Kind::Press, button, row, offset}; }
Step PressAt(int button, Point point) { return {Step::Kind::Press, button, -1, point}; }
Step Release(int button, int row, Point offset = {}) { return {Step::Kind::Release, button, row, offset}; }
Step ReleaseAt(int button, Point point) { return {Step::Kind::Release, button, -1, point}; }

Point Where(int row, Point offset) {
    if (row < 0) {
        return offset;
    }
    const Rect& r = Layout().rows[static_cast<std::size_t>(row)];
    return {(r.left + r.right) / 2 + offset.x, (r.top + r.bottom) / 2 + offset.y};
}

constexpr Point kOffLeft{-20, 10};
constexpr Point kBelow{10, 10000};

struct PointerCase {
    const char* name;
    int heldButton;  // held as the menu opened
    int openedRow;   // where the pointer was: a row's centre, or -1 for the menu's corner
    std::vector<Step> steps;
    Outcome outcome;
    int id;
    int highlighted;
};

TEST(PopupMenuTracking, ThePointerHighlightsChoosesAndDismisses) {
    const std::vector<PointerCase> cases = {
        {"a click on the fourth entry chooses it", 0, -1,
         {Move(3), Press(1, 3), Release(1, 3)}, Outcome::Chosen, 13, 3},
        {"a right click chooses too", 0, -1,
         {Press(3, 5), Release(3, 5)}, Outcome::Chosen, 15, 5},
        {"a click on a greyed entry keeps the menu", 0, -1,
         {Press(1, 2), Release(1, 2)}, Outcome::Open, 0, -1},
        {"after a click on a greyed entry, a click on an entry chooses it", 0, -1,
         {Press(1, 2), Release(1, 2), Press(1, 0), Release(1, 0)}, Outcome::Chosen, 11, 0},
        {"a click on a separator keeps the menu", 0, -1,
         {Press(1, 1), Release(1, 1)}, Outcome::Open, 0, -1},
        {"a click on the edge keeps the menu", 0, -1,
         {PressAt(1, {0, 0}), ReleaseAt(1, {0, 0})}, Outcome::Open, 0, -1},
        {"a click left of the menu dismisses", 0, -1,
         {PressAt(1, kOffLeft), ReleaseAt(1, kOffLeft)}, Outcome::Dismissed, 0, -1},
        {"a click below the menu dismisses", 0, -1,
         {PressAt(3, kBelow), ReleaseAt(3, kBelow)}, Outcome::Dismissed, 0, -1},
        {"pressed off the menu, it waits for the release, ignoring all else", 0, -1,
         {Move(3), PressAt(1, kOffLeft), Move(0), Press(3, 0), Release(3, 0)}, Outcome::Open, 0, -1},
        {"pressed off the menu and released on an entry, the menu is dismissed", 0, -1,
         {PressAt(1, kOffLeft), Move(0), Release(1, 0)}, Outcome::Dismissed, 0, -1},
        {"the wheel off the menu does not dismiss", 0, -1,
         {PressAt(4, kOffLeft), ReleaseAt(4, kOffLeft)}, Outcome::Open, 0, -1},
        {"the wheel over an entry does not choose it", 0, -1,
         {Press(5, 0), Release(5, 0)}, Outcome::Open, 0, 0},
        {"pressed on one entry and released on another, the other is chosen", 0, -1,
         {Press(1, 0), Move(3), Release(1, 3)}, Outcome::Chosen, 13, 3},
        {"pressed on an entry and released off the menu, the menu stays", 0, -1,
         {Press(1, 0), MoveTo(kOffLeft), ReleaseAt(1, kOffLeft)}, Outcome::Open, 0, -1},
        {"motion highlights the entry under the pointer", 0, -1,
         {Move(3)}, Outcome::Open, 0, 3},
        {"motion over a greyed entry highlights nothing", 0, -1,
         {Move(3), Move(2)}, Outcome::Open, 0, -1},
        {"motion off the menu clears the highlight", 0, -1,
         {Move(3), MoveTo(kOffLeft)}, Outcome::Open, 0, -1},
        {"the opening button released where it opened keeps the menu", 3, -1,
         {ReleaseAt(3, {0, 0})}, Outcome::Open, 0, -1},
        {"after the opening button's release in place, a click chooses", 3, -1,
         {ReleaseAt(3, {0, 0}), Press(1, 5), Release(1, 5)}, Outcome::Chosen, 15, 5},
        {"dragged onto an entry, the opening button's release chooses it", 3, -1,
         {Move(3), Release(3, 3)}, Outcome::Chosen, 13, 3},
        {"released far from where it opened without motion between, it chooses", 1, -1,
         {Release(1, 5)}, Outcome::Chosen, 15, 5},
        {"dragged onto a greyed entry, the release keeps the menu", 3, -1,
         {Move(2), Release(3, 2)}, Outcome::Open, 0, -1},
        {"dragged off the menu, the release dismisses", 3, -1,
         {MoveTo(kOffLeft), ReleaseAt(3, kOffLeft)}, Outcome::Dismissed, 0, -1},
        {"opened over an entry, released in place, the menu stays", 3, 3,
         {Release(3, 3)}, Outcome::Open, 0, 3},
        {"opened over an entry, a jitter within the slop does not choose", 3, 3,
         {Move(3, {4, -4}), Release(3, 3, {4, -4})}, Outcome::Open, 0, 3},
        {"opened over an entry, a drag along it beyond the slop chooses it", 3, 3,
         {Move(3, {30, 0}), Release(3, 3, {30, 0})}, Outcome::Chosen, 13, 3},
        {"a click off the menu while the opening button is held dismisses", 3, -1,
         {PressAt(1, kOffLeft), ReleaseAt(3, kOffLeft), ReleaseAt(1, kOffLeft)}, Outcome::Dismissed, 0, -1},
        {"nothing happens after a dismissal", 0, -1,
         {PressAt(1, kOffLeft), ReleaseAt(1, kOffLeft), Press(1, 0), Release(1, 0)}, Outcome::Dismissed, 0, -1},
    };
    for (const PointerCase& c : cases) {
        SCOPED_TRACE(c.name);
        MenuTracker tracker(Entries(), Layout(), c.heldButton, Where(c.openedRow, {}));
        for (const Step& step : c.steps) {
            const Point at = Where(step.row, step.offset);
            switch (step.kind) {
                case Step::Kind::Move: tracker.motion(at); break;
                case Step::Kind::Press: tracker.press(step.button, at); break;
                case Step::Kind::Release: tracker.release(step.button, at); break;
            }
        }
        EXPECT_EQ(tracker.outcome(), c.outcome);
        EXPECT_EQ(tracker.chosenId(), c.id);
        EXPECT_EQ(tracker.highlighted(), c.highlighted);
    }
}

}  // namespace
}  // namespace platform::ui::x11
