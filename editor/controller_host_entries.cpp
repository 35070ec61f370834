// The host's parameter-menu entries of a controller slot.
#include "editor/controller_host_entries.h"

#include "core/instance.h"
#include "editor/modifiers.h"

namespace velmora::editor {

namespace {

bool Ghosting(const Instance& plug) { return plug.ccghosting != 0 && ControlDown(plug); }

}  // namespace

std::vector<Instance*> NonGhostingPartners(const Instance& plug) {
    std::vector<Instance*> partners;
    for (Instance* other : plug.processState->instanceList) {
        if (other != &plug && other->port == plug.port && other->channel == plug.channel && other->ccghosting == 0) {
            partners.push_back(other);
        }
    }
    return partners;
}

const Instance& HostEntrySource(const Instance& plug, std::string& suffix) {
    suffix.clear();
    if (Ghosting(plug)) {
        const std::vector<Instance*> partners = NonGhostingPartners(plug);
        if (!partners.empty()) {
            suffix = " (non-ghosted)";
            return *partners.back();
        }
    }
    return plug;
}

void AppendHostEntries(const Instance& source, int parameter, const std::string& suffix,
                       std::vector<platform::MenuEntry>& entries) {
    for (int j = 0; j < kMaxHostEntries; ++j) {
        const auto* answer = reinterpret_cast<const TParamMenuEntry*>(
            source.Host().dispatcher(plug::FHD_ParamMenuText, parameter, j));
        if (answer == nullptr) {
            return;
        }
        const std::string text = answer->Name != nullptr ? answer->Name : "";
        platform::MenuEntry e;
        if (!text.empty() && text.front() == '-') {
            // The menu already has its own separator before the host's entries.
            if (j == 0) {
                continue;
            }
            e.separator = true;
        } else {
            e.id = kHostEntryBase + j;
            e.text = text + suffix;
            e.greyed = (answer->Flags & plug::kParamMenuGreyed) != 0;
            e.ticked = (answer->Flags & plug::kParamMenuTicked) != 0;
        }
        entries.push_back(std::move(e));
    }
}

void RunHostEntry(Instance& plug, int parameter, int entry) {
    if (Ghosting(plug)) {
        const std::vector<Instance*> partners = NonGhostingPartners(plug);
        for (Instance* other : partners) {
            other->Host().dispatcher(plug::FHD_ParamMenu, parameter, entry);
        }
        if (!partners.empty()) {
            return;
        }
    }
    plug.Host().dispatcher(plug::FHD_ParamMenu, parameter, entry);
}

}  // namespace velmora::editor
