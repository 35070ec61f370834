#pragma once
// What the pointer and the keys do to an open pop-up menu: which entry is
// highlighted, and whether the menu is still open, an entry was chosen or
// the menu was dismissed. Pure, so every path is tested without a display.
#include <vector>

#include "platform/popup_menus.h"
#include "platform/ui/geometry.h"
#include "popup_menu_layout.h"

namespace platform::ui::x11 {

enum class MenuKey { Other, Up, Down, Home, End, Choose, Dismiss };

// Separators and greyed entries can be neither highlighted nor chosen.
bool Choosable(const MenuEntry& entry);

// The next choosable entry after `from` in the direction of `step` (+1 down,
// -1 up), wrapping round; from -1, the first (down) or the last (up). -1 when
// no entry is choosable.
int NextChoosable(const std::vector<MenuEntry>& entries, int from, int step);

class MenuTracker {
public:
    enum class Outcome { Open, Chosen, Dismissed };

    // `heldButton` is the button held down as the menu opened (0 for none),
    // with the pointer at `opened` (menu coordinates). Both arguments must
    // outlive the tracker.
    MenuTracker(const std::vector<MenuEntry>& entries, const MenuLayout& layout, int heldButton, Point opened);

    // Points are in menu coordinates, outside the menu too; buttons are X's
    // numbers (1 left, 2 middle, 3 right, 4 and up the wheel and extras).
    void motion(Point point);
    void press(int button, Point point);
    void release(int button, Point point);
    void key(MenuKey key);

    int highlighted() const { return highlighted_; }
    Outcome outcome() const { return outcome_; }
    // The chosen entry's id; 0 unless an entry was chosen.
    int chosenId() const {
        return outcome_ == Outcome::Chosen ? entries_[static_cast<std::size_t>(highlighted_)].id : 0;
    }

    // How far the pointer may move from where the menu opened before the
    // release of the button that opened it counts as a choice.
    static constexpr int kDragSlop = 4;

private:
    bool inside(Point point) const;
    int choosableAt(Point point) const;
    void choose(int index);

    const std::vector<MenuEntry>& entries_;
    const MenuLayout& layout_;
    int heldButton_;
    Point opened_;
    bool dragged_ = false;
    int dismissingButton_ = 0;  // pressed off the menu: its release dismisses
    int highlighted_ = -1;
    Outcome outcome_ = Outcome::Open;
};

}  // namespace platform::ui::x11
