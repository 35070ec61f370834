#include "plugin/host_extension.h"

#include <string>

#include "core/options.h"
#include "http/instance_listing.h"
#include "persistence/articulation_files.h"
#include "persistence/nki_import.h"
#include "plugin/boundary.h"
#include "plugin/plugin.h"

namespace velmora {

namespace {

// Instances reach here as the host knows them; they came from this library.
ZOLTVSTExprPlug& Own(TFruityPlug* plug) { return *static_cast<ZOLTVSTExprPlug*>(plug); }

// Runs an entry inside the exception boundary; work answers a count, or a
// bool that becomes 1 or 0.
template <class Work>
int Run(TFruityPlug* plug, const char* operation, Work&& work) noexcept {
    if (plug == nullptr) {
        return 0;
    }
    ZOLTVSTExprPlug& own = Own(plug);
    return Guarded(own.Host(), own.logIdentity, operation, 0, [&] { return static_cast<int>(work(own)); });
}

int SetPortChannel(TFruityPlug* plug, int port, int channel) {
    return Run(plug, "setPortChannel", [&](ZOLTVSTExprPlug& p) {
        if (port >= 0) {
            p.port = port;
        }
        if (channel >= 0) {
            p.channel = channel;
        }
        return true;
    });
}

int SetOption(TFruityPlug* plug, const char* apiKey, int on) {
    return Run(plug, "setOption", [&](ZOLTVSTExprPlug& p) {
        const OptionDescription* option = apiKey != nullptr ? FindOptionByApiKey(apiKey) : nullptr;
        if (option == nullptr) {
            return false;
        }
        SetOptionApiValue(*option, p, *p.processState, on != 0);
        return true;
    });
}

int ImportArticulationFile(TFruityPlug* plug, const char* path) {
    return Run(plug, "importArticulations", [&](ZOLTVSTExprPlug& p) {
        if (path == nullptr) {
            return false;
        }
        ImportArticulations(p, path, ImportMode::Replace);
        return true;
    });
}

int ExportArticulationFile(TFruityPlug* plug, const char* path) {
    return Run(plug, "exportArticulations",
               [&](ZOLTVSTExprPlug& p) { return path != nullptr && ExportArticulations(p, path); });
}

int ImportInstrument(TFruityPlug* plug, const char* path, int keyswitch) {
    return Run(plug, "importInstrument", [&](ZOLTVSTExprPlug& p) {
        return path != nullptr ? ImportNki(p, path, NkiImportMode::Replace, keyswitch != 0 ? 1 : 0) : 0;
    });
}

int ArticulationSetText(TFruityPlug* plug, HostExtensionWriter write, void* context) {
    return Run(plug, "articulationSetText", [&](ZOLTVSTExprPlug& p) {
        if (write == nullptr) {
            return false;
        }
        const std::string text = UsedArticulationsText(p.articulations);
        write(context, text.data(), text.size());
        return true;
    });
}

int ListInstances(TFruityPlug* const* plugs, int count, HostExtensionWriter write, void* context) {
    if (plugs == nullptr || count <= 0 || write == nullptr) {
        return 0;
    }
    return Run(plugs[0], "listInstances", [&](ZOLTVSTExprPlug&) {
        InstanceListing listing;
        for (int i = 0; i < count; ++i) {
            if (plugs[i] == nullptr) {
                return false;
            }
            listing.add(Own(plugs[i]));
        }
        const std::string text = listing.finish();
        write(context, text.data(), text.size());
        return true;
    });
}

constexpr HostExtension kExtension = {
    kHostExtensionVersion, sizeof(HostExtension), SetPortChannel, SetOption,
    ImportArticulationFile, ExportArticulationFile, ImportInstrument, ArticulationSetText, ListInstances,
};

}  // namespace

std::intptr_t HostExtensionAddress() {
    return reinterpret_cast<std::intptr_t>(&kExtension);
}

}  // namespace velmora
