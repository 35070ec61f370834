#include "platform/popup_menus.h"

namespace platform {

int PopupMenus::track(const std::vector<MenuEntry>&) const { return 0; }

}  // namespace platform
