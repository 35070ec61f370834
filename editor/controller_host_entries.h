#pragma once
// The host's own parameter commands in a controller slot's menu, and where
// they run when instances share a port and channel through CC ghosting.
// Interface thread.
#include <string>
#include <vector>

#include "platform/popup_menus.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

// Menu id of host entry j.
inline constexpr int kHostEntryBase = 1024;
// A host that never ends its menu still leaves the editor a menu to show.
inline constexpr int kMaxHostEntries = 1024;

// Every other instance on the same port and channel that does not ghost its
// CCs, in creation order.
std::vector<Instance*> NonGhostingPartners(const Instance& plug);

// Whose host offers the entries: this instance's, but with CC ghosting on and
// a Control key down the last non-ghosting partner's, if there is one; then
// `suffix` is what marks each entry.
const Instance& HostEntrySource(const Instance& plug, std::string& suffix);

// Appends the entries the source's host offers for `parameter`, asked one by
// one until it has none left; ids kHostEntryBase + entry.
void AppendHostEntries(const Instance& source, int parameter, const std::string& suffix,
                       std::vector<platform::MenuEntry>& entries);

// Runs host entry `entry` of `parameter`: on this instance's host, or with CC
// ghosting on and a Control key down on the host of every non-ghosting
// partner (this one's when there is none).
void RunHostEntry(Instance& plug, int parameter, int entry);

}  // namespace velmora::editor
