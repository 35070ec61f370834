#pragma once
// The keys an open pop-up menu answers to, read through the server's keyboard
// mapping (libxcb-keysyms), so any layout's arrows, Return and Escape work.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>

#include "popup_menu_tracking.h"

namespace platform::ui::x11 {

// Up/Down, Home/End (and their keypad keys), Return, keypad Enter, space and Escape.
MenuKey MenuKeyFor(std::uint32_t keysym);

class MenuKeyMap {
public:
    explicit MenuKeyMap(xcb_connection_t* connection) : symbols_(xcb_key_symbols_alloc(connection)) {}
    ~MenuKeyMap() { xcb_key_symbols_free(symbols_); }
    MenuKeyMap(const MenuKeyMap&) = delete;
    MenuKeyMap& operator=(const MenuKeyMap&) = delete;

    // The key's unshifted symbol decides; modifiers do not matter to a menu.
    MenuKey key(xcb_keycode_t code) const;
    // The server's mapping changed: the next lookups read it again.
    void refresh(xcb_mapping_notify_event_t* event) const;

private:
    xcb_key_symbols_t* symbols_;
};

}  // namespace platform::ui::x11
