#include "plugin/host_extension.h"

#include <list>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/options.h"
#include "http/instance_listing.h"
#include "http/server.h"
#include "http/server_control.h"
#include "persistence/articulation_files.h"
#include "persistence/nki_import.h"
#include "platform/ui/headless_window.h"
#include "plugin/boundary.h"
#include "plugin/editor_window.h"
#include "plugin/host_window_tree.h"
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
        std::string text;
        InstanceListing listing(text);
        for (int i = 0; i < count; ++i) {
            if (plugs[i] == nullptr) {
                return false;
            }
            listing.add(Own(plugs[i]));
        }
        listing.finish();
        write(context, text.data(), text.size());
        return true;
    });
}

int SetHeadlessHost(const HeadlessHost* host) {
    // Only a table whose layout holds every entry this build reads is taken.
    if (host != nullptr && host->size < sizeof(HeadlessHost)) {
        return 0;
    }
    platform::defaultPlatform().setHeadlessHost(host);
    return 1;
}

// The instance's editor window, when it is one a host without a window
// system drives.
platform::ui::HeadlessWindow* HeadlessEditor(ZOLTVSTExprPlug& p) {
    return dynamic_cast<platform::ui::HeadlessWindow*>(p.editorWindow.get());
}

platform::ui::WindowEvent ToWindowEvent(const HeadlessEvent& e) {
    using platform::ui::MouseButton;
    using Kind = platform::ui::WindowEvent::Kind;
    platform::ui::WindowEvent w;
    w.x = e.x;
    w.y = e.y;
    w.button = e.button == 1 ? MouseButton::Left : e.button == 2 ? MouseButton::Right : e.button == 3 ? MouseButton::Middle
                                                                                                      : MouseButton::None;
    w.delta = e.delta;
    w.key = e.key;
    w.active = e.active != 0;
    w.width = e.width;
    w.height = e.height;
    switch (e.kind) {
        case kHeadlessMouseMove: w.kind = Kind::MouseMove; break;
        case kHeadlessButtonDown: w.kind = Kind::ButtonDown; break;
        case kHeadlessButtonUp: w.kind = Kind::ButtonUp; break;
        case kHeadlessWheel: w.kind = Kind::Wheel; break;
        case kHeadlessKeyDown: w.kind = Kind::KeyDown; break;
        case kHeadlessActivate: w.kind = Kind::Activate; break;
        case kHeadlessSize: w.kind = Kind::Size; break;
        default: w.kind = Kind::Paint; break;
    }
    return w;
}

int EditorEvent(TFruityPlug* plug, const HeadlessEvent* event) {
    return Run(plug, "editorEvent", [&](ZOLTVSTExprPlug& p) {
        platform::ui::HeadlessWindow* window = HeadlessEditor(p);
        if (window == nullptr || event == nullptr) {
            return false;
        }
        const bool taken = event->kind == kHeadlessPaint || window->deliver(ToWindowEvent(*event));
        window->paintPending();
        return taken;
    });
}

int EditorSize(TFruityPlug* plug, int* width, int* height) {
    return Run(plug, "editorSize", [&](ZOLTVSTExprPlug& p) {
        if (width == nullptr || height == nullptr) {
            return false;
        }
        *width = p.editorWindow->width();
        *height = p.editorWindow->height();
        return true;
    });
}

int EditorSnapshot(TFruityPlug* plug, const char* pngPath) {
    return Run(plug, "editorSnapshot", [&](ZOLTVSTExprPlug& p) {
        platform::ui::HeadlessWindow* window = HeadlessEditor(p);
        if (window == nullptr || pngPath == nullptr) {
            return false;
        }
        window->paintPending();
        return !window->picture().empty() && platform::ui::WritePng(window->picture(), pngPath);
    });
}

// Runs a process-wide entry inside the exception boundary. What escapes is
// told through the first instance's host, the only log the plugin has; with
// no instance there is none to tell.
template <class Work>
int RunForProcess(const char* operation, Work&& work) noexcept {
    const std::list<Instance*>& instances = Process().instanceList;
    ZOLTVSTExprPlug* first = instances.empty() ? nullptr : dynamic_cast<ZOLTVSTExprPlug*>(instances.front());
    if (first != nullptr) {
        return Guarded(first->Host(), first->logIdentity, operation, 0, [&] { return static_cast<int>(work()); });
    }
    try {
        return static_cast<int>(work());
    } catch (...) {
        return 0;
    }
}

// An instance whose editor is hidden gets a desktop window in place of its
// headless one, of the same size; a shown editor keeps the window it shows.
void MoveEditorToDesktop(ZOLTVSTExprPlug& p) {
    if (p.visible != 0 || p.editorWindow->shown() || HeadlessEditor(p) == nullptr) {
        return;
    }
    std::unique_ptr<platform::ui::Window> window = p.platform.createWindow();
    window->setSize(p.editorWindow->width(), p.editorWindow->height());
    p.editorWindow = std::move(window);
    AttachEditorWindow(p);
}

int OpenDesktop(const char* display, int* fileDescriptor) {
    return RunForProcess("openDesktop", [&] {
        platform::Platform& services = platform::defaultPlatform();
        std::string error;
        if (!services.openDesktop(display, error)) {
            throw std::runtime_error(error);  // the boundary writes the debug line
        }
        for (Instance* instance : Process().instanceList) {
            if (auto* p = dynamic_cast<ZOLTVSTExprPlug*>(instance)) {
                MoveEditorToDesktop(*p);
            }
        }
        // What the desktop cannot show (a dialog program missing) goes to the
        // debug log through whichever instance is first when it happens.
        services.setDebugOutput([](const std::string& line) {
            if (!Process().instanceList.empty()) {
                const std::string text = "ZOLT Velmora : " + line;
                Process().instanceList.front()->Host().debugLine(text.c_str());
            }
        });
        if (fileDescriptor != nullptr) {
            *fileDescriptor = services.desktop()->fileDescriptor();
        }
        return true;
    });
}

int DesktopDispatch() {
    return RunForProcess("desktopDispatch", [] {
        platform::ui::X11Desktop* desktop = platform::defaultPlatform().desktop();
        return desktop != nullptr && desktop->dispatch();
    });
}

int SetHostWindowTreeEntry(const char* json) {
    return RunForProcess("setHostWindowTree", [&] {
        std::string error;
        if (!SetHostWindowTree(platform::defaultPlatform(), json, error)) {
            throw std::runtime_error("the host's window tree: " + error);  // the boundary writes the debug line
        }
        return true;
    });
}

int HostWindowLog(HostExtensionWriter write, void* context) {
    return RunForProcess("hostWindowLog", [&] {
        if (write == nullptr) {
            return false;
        }
        const std::string log = TakeHostWindowLog();
        write(context, log.data(), log.size());
        return true;
    });
}

int ServerDescriptor(int* fileDescriptor) {
    return RunForProcess("serverDescriptor", [&] {
        const http::Server* server = http::RunningServer();
        if (fileDescriptor != nullptr) {
            *fileDescriptor = server != nullptr ? http::WaitDescriptor(*server) : -1;
        }
        return server != nullptr;
    });
}

constexpr HostExtension kExtension = {
    kHostExtensionVersion, sizeof(HostExtension), SetPortChannel, SetOption,
    ImportArticulationFile, ExportArticulationFile, ImportInstrument, ArticulationSetText, ListInstances,
    SetHeadlessHost, EditorEvent, EditorSize, EditorSnapshot, OpenDesktop, DesktopDispatch,
    SetHostWindowTreeEntry, HostWindowLog, ServerDescriptor,
};

}  // namespace

std::intptr_t HostExtensionAddress() {
    return reinterpret_cast<std::intptr_t>(&kExtension);
}

}  // namespace velmora
