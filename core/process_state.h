#pragma once
// State shared by all instances of the process: created by the first
// instance, released by the last.
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/articulation.h"
#include "core/shared_port_state.h"
#include "sdk/plug_types.h"

namespace velmora {

inline constexpr int kUnknownFormPos = -99999;

class Instance;

struct ArticulationClipboard {
    bool full = false;
    Articulation articulation;
    KeyNameMap keyNames;
};

// A copied controller slot; a paste can be repeated.
struct ControllerClipboard {
    bool full = false;
    Controller controller;
};

struct ProcessState {
    int instanceCount = 0;
    std::list<Instance*> instanceList;  // creation order
    int sharedTab = 1;
    int generalPage = 0;  // sub-page of the General panel, shared by every editor
    int showsingle = 1;
    int httpApiEnabled = 0;
    HWND hostMainWindow = nullptr;
    std::string installFolder;
    ControllerClipboard controllerClipboard;
    ArticulationClipboard articulationClipboard;
    std::vector<std::string> iconNames;  // icon template: entry k of one belongs to entry k of the other
    std::vector<int> iconNumbers;
    int midiOutChannelCounter = 0;
    int savedFormPosX = kUnknownFormPos;
    int savedFormPosY = kUnknownFormPos;
    std::unique_ptr<SharedPortState> ports;
};

// The one process-wide record.
ProcessState& Process();

// Puts every process-wide value back to how the process started (last instance gone).
void ReleaseProcessState();

}  // namespace velmora
