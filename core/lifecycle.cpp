// Construction, destruction and the defaults of an instance's data.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "core/instance.h"

namespace velmora {

namespace {

// The scale value a settings text holds; 0 when absent or not a number.
float ParseScale(const std::optional<std::string>& text) {
    return text ? std::strtof(text->c_str(), nullptr) : 0.0f;
}

constexpr std::int32_t kHostVersionScaling = 12000000;

// Ids count up from a process-wide counter, skipping 0 and any id still in use
// after the counter wraps.
std::uint32_t NextApiId(const ProcessState& process) {
    static std::uint32_t counter = 0;
    for (;;) {
        const std::uint32_t id = ++counter;
        if (id == 0) {
            continue;
        }
        bool used = false;
        for (const Instance* p : process.instanceList) {
            used = used || p->apiId == id;
        }
        if (!used) {
            return id;
        }
    }
}

// The process-wide values the first instance sets up.
void StartProcess(Instance& first, ProcessState& p) {
    p.ports = std::make_unique<SharedPortState>();
    p.savedFormPosX = kUnknownFormPos;
    p.savedFormPosY = kUnknownFormPos;
    p.httpApiEnabled = static_cast<int>(first.platform.settings().readDword(platform::kVelmoraKey, "HTTP API").value_or(0));
    p.hostMainWindow = reinterpret_cast<HWND>(first.Host().dispatcher(plug::FHD_GetMainWindow));
}

}  // namespace

Instance::Instance(TFruityPlugHost* host, TPluginTag tag, HINSTANCE module, platform::Platform& services)
    : hostServices(host, tag), moduleHandle(module), platform(services) {
    ProcessState& process = Process();
    processState = &process;
    process.installFolder = platform.executableFolder();

    if (const auto ppi = platform.settings().readString(platform::kHostGeneralKey, "Main PPI")) {
        const int dpi = std::atoi(ppi->c_str());
        if (dpi != 0) {
            scaleFactor = static_cast<float>(dpi) / 96.0f;
        }
    }

    if (process.instanceCount == 0) {
        StartProcess(*this, process);
    }
    ++process.instanceCount;
    if (process.instanceList.size() >= process.instanceList.max_size()) {
        throw std::length_error("list<T> too long");
    }
    process.instanceList.push_back(this);
    try {
        apiId = NextApiId(process);

        const int n = process.instanceCount;
        creationPort = (n - 1) / 16;
        creationChannel = (n - 1) % 16;
        // The editor window: hidden, sized to the editor at the current scale.
        editorWindow = platform.createWindow();
        editorWindow->setSize(ScaledPixels(kEditorWidth, scaleFactor), ScaledPixels(kEditorHeight, scaleFactor));
        Session_Reset();

    } catch (...) {
        // No destructor runs for a half-built instance: leave the list here.
        LeaveProcess();
        throw;
    }
}

Instance::~Instance() {
    for (auto& k : articulations.keyNames) {
        k.names.reset();
    }
    LeaveProcess();
}

void Instance::LeaveProcess() noexcept {
    ProcessState& process = Process();
    if (--process.instanceCount == 0) {
        ReleaseProcessState();
    }
    process.instanceList.remove(this);
}

void Instance::Session_Reset() {
    Session_SetDefaults();

    noteDelayed = 0;
    delayedNotesPending = 0;
    currentArticulation = 0;
    currentBank = 0;
    lastKs1Note = lastKs1Velocity = lastProgram = lastModifier = kNothingSent;
    samplesPerTick = 0.0f;
    playing = 0;
    stateVersion = 10;
    ksHoldTime.fill(0.0f);
    ksHoldChannel.fill(0);

    // The user's chosen editor scale, on hosts that let plugins scale.
    if (Host().hostVersion() >= kHostVersionScaling) {
        uiscale = ParseScale(platform.settings().readString(platform::kVelmoraKey, "UI Scale"));
        if (uiscale >= 0.0005f) {
            scaleFactor = uiscale;
            editorWindow->setSize(ScaledPixels(kEditorWidth, scaleFactor),
                                  ScaledPixels(kEditorHeight - (kEditorHeight - kEditorMinimisedHeight) * minimised, scaleFactor));
            Host().dispatcher(plug::FHD_EditorResized);
        }
    }

    BuildNoteNames();
    Host().dispatcher(plug::FHD_Startup23, 0, plug::kStartup23Value);
    Host().dispatcher(plug::FHD_Startup13, 0, plug::kStartup13Value);
}

void Instance::Session_SetDefaults() {
    for (int a = 0; a < kArticulations; ++a) {
        articulations.reset(a);
        articulations.keyNames[a].clear();
    }
    controllers.setDefaults();
    for (auto& name : pageNames) {
        name.clear();
    }
    controllerstart = 0;

    articulationParamIndex = kArticulationParamCC;
    oldparams = 0;
    articulationParam = 0;

    if (fresh != 0 && preserveport == 0) {
        port = creationPort;
        channel = creationChannel;
    }
    ResetOptions(*this, *processState);

    tab = 1;
    editing = 0;
    bankstart = 0;
}

void Instance::RepaintEditor(Repaint what) {
    if (visible == 0) {
        return;
    }
    if (what == Repaint::GridOnly) {
        editorWindow->invalidate({ScaledPixels(kGridArea.left, scaleFactor), ScaledPixels(kGridArea.top, scaleFactor),
                                  ScaledPixels(kGridArea.right, scaleFactor), ScaledPixels(kGridArea.bottom, scaleFactor)});
    } else {
        editorWindow->invalidate();
    }
}

int ScaledPixels(int units, float scale) {
    const double pixels = std::trunc(static_cast<double>(units) * static_cast<double>(scale));
    if (!(pixels >= 0.0)) {
        return 0;
    }
    return pixels >= static_cast<double>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                           : static_cast<int>(pixels);
}

void Instance::DebugLog(const char* format, ...) {
    if (debugLog == 0) {
        return;
    }
    char line[1024];
    const int prefix = std::snprintf(line, sizeof(line), "ZOLT Velmora [%p] : ", logIdentity);
    va_list args;
    va_start(args, format);
    std::vsnprintf(line + prefix, sizeof(line) - static_cast<std::size_t>(prefix), format, args);
    va_end(args);
    Host().debugLine(line);
}

}  // namespace velmora
