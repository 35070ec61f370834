#include "popup_menu_keys.h"

#include <X11/keysym.h>

namespace platform::ui::x11 {

MenuKey MenuKeyFor(std::uint32_t keysym) {
    switch (keysym) {
        case XK_Up:
        case XK_KP_Up: return MenuKey::Up;
        case XK_Down:
        case XK_KP_Down: return MenuKey::Down;
        case XK_Home:
        case XK_KP_Home: return MenuKey::Home;
        case XK_End:
        case XK_KP_End: return MenuKey::End;
        case XK_Return:
        case XK_KP_Enter:
        case XK_space: return MenuKey::Choose;
        case XK_Escape: return MenuKey::Dismiss;
        default: return MenuKey::Other;
    }
}

MenuKey MenuKeyMap::key(xcb_keycode_t code) const {
    if (symbols_ == nullptr) {
        return MenuKey::Other;
    }
    return MenuKeyFor(xcb_key_symbols_get_keysym(symbols_, code, 0));
}

void MenuKeyMap::refresh(xcb_mapping_notify_event_t* event) const {
    if (symbols_ != nullptr) {
        xcb_refresh_keyboard_mapping(symbols_, event);
    }
}

}  // namespace platform::ui::x11
