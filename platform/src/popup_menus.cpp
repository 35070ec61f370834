#include "platform/popup_menus.h"

namespace platform {

int PopupMenus::track(const std::vector<MenuEntry>& entries) const {
    const velmora::HeadlessHost* host = host_ != nullptr ? *host_ : nullptr;
    if (host == nullptr || host->menu == nullptr) {
        return 0;
    }
    std::vector<velmora::HeadlessMenuEntry> table;
    table.reserve(entries.size());
    for (const MenuEntry& e : entries) {
        table.push_back({e.id, e.separator ? nullptr : e.text.c_str(), e.separator ? 1 : 0, e.greyed ? 1 : 0,
                         e.ticked ? 1 : 0});
    }
    return host->menu(host->context, table.data(), static_cast<int>(table.size()));
}

}  // namespace platform
