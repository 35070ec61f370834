#include "core/process_state.h"

namespace velmora {

ProcessState& Process() {
    static ProcessState state;
    return state;
}

void ReleaseProcessState() {
    ProcessState& p = Process();
    p.ports.reset();
    p.iconNames.clear();
    p.iconNumbers.clear();
    p.articulationClipboard = ArticulationClipboard{};
    p.controllerClipboard = ControllerClipboard{};
    p.sharedTab = 1;
    p.generalPage = 0;
    p.showsingle = 1;
    p.httpApiEnabled = 0;
    p.hostMainWindow = nullptr;
    p.midiOutChannelCounter = 0;
    p.savedFormPosX = kUnknownFormPos;
    p.savedFormPosY = kUnknownFormPos;
}

}  // namespace velmora
