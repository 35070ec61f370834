#include "popup_menu_tracking.h"

#include <cstdlib>

namespace platform::ui::x11 {

namespace {

// The wheel and the extra buttons scroll or go back; they neither choose nor dismiss.
bool Clicks(int button) { return button >= 1 && button <= 3; }

}  // namespace

bool Choosable(const MenuEntry& entry) { return !entry.separator && !entry.greyed; }

int NextChoosable(const std::vector<MenuEntry>& entries, int from, int step) {
    const int count = static_cast<int>(entries.size());
    int index = from >= 0 && from < count ? from : -1;
    for (int tried = 0; tried < count; ++tried) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : ((index + step) % count + count) % count;
        if (Choosable(entries[static_cast<std::size_t>(index)])) {
            return index;
        }
    }
    return -1;
}

MenuTracker::MenuTracker(const std::vector<MenuEntry>& entries, const MenuLayout& layout, int heldButton, Point opened)
    : entries_(entries), layout_(layout), heldButton_(heldButton), opened_(opened) {}

bool MenuTracker::inside(Point point) const {
    return point.x >= 0 && point.y >= 0 && point.x < layout_.width && point.y < layout_.height;
}

int MenuTracker::choosableAt(Point point) const {
    const int row = RowAt(layout_, point);
    return row >= 0 && row < static_cast<int>(entries_.size()) && Choosable(entries_[static_cast<std::size_t>(row)])
               ? row
               : -1;
}

void MenuTracker::choose(int index) {
    highlighted_ = index;
    outcome_ = Outcome::Chosen;
}

void MenuTracker::motion(Point point) {
    if (outcome_ != Outcome::Open || dismissingButton_ != 0) {
        return;
    }
    if (heldButton_ != 0 && (std::abs(point.x - opened_.x) > kDragSlop || std::abs(point.y - opened_.y) > kDragSlop)) {
        dragged_ = true;
    }
    // Off the entries nothing is highlighted, as the pointer no longer points at one.
    highlighted_ = choosableAt(point);
}

void MenuTracker::press(int button, Point point) {
    if (outcome_ != Outcome::Open || dismissingButton_ != 0 || !Clicks(button)) {
        return;
    }
    if (!inside(point)) {
        // The menu goes with the release, so that no window gets a release
        // without its press.
        dismissingButton_ = button;
        highlighted_ = -1;
        return;
    }
    highlighted_ = choosableAt(point);
}

void MenuTracker::release(int button, Point point) {
    if (outcome_ != Outcome::Open) {
        return;
    }
    if (dismissingButton_ != 0) {
        if (button == dismissingButton_) {
            outcome_ = Outcome::Dismissed;
        }
        return;
    }
    motion(point);
    if (heldButton_ != 0 && button == heldButton_) {
        heldButton_ = 0;
        // Pressed, dragged and released: the release chooses, or dismisses
        // off the menu. Released where it opened: the menu stays for a click.
        if (!dragged_) {
            return;
        }
        if (!inside(point)) {
            outcome_ = Outcome::Dismissed;
            return;
        }
    } else if (!Clicks(button)) {
        return;
    }
    // A greyed entry, a separator, the edge or outside: the menu stays open.
    const int index = choosableAt(point);
    if (index >= 0) {
        choose(index);
    }
}

void MenuTracker::key(MenuKey key) {
    if (outcome_ != Outcome::Open || dismissingButton_ != 0) {
        return;
    }
    switch (key) {
        case MenuKey::Down: highlighted_ = NextChoosable(entries_, highlighted_, 1); break;
        case MenuKey::Up: highlighted_ = NextChoosable(entries_, highlighted_, -1); break;
        case MenuKey::Home: highlighted_ = NextChoosable(entries_, -1, 1); break;
        case MenuKey::End: highlighted_ = NextChoosable(entries_, -1, -1); break;
        case MenuKey::Choose:
            if (highlighted_ >= 0 && Choosable(entries_[static_cast<std::size_t>(highlighted_)])) {
                choose(highlighted_);
            }
            break;
        case MenuKey::Dismiss: outcome_ = Outcome::Dismissed; break;
        case MenuKey::Other: break;
    }
}

}  // namespace platform::ui::x11
