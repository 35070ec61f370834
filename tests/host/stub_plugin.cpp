// Plugin libraries for tests of the host program, without the plugin itself.
// Built twice: one hands out an extension table of another version, as a
// plugin built from another commit might; the other (VELMORA_STUB_EDITOR)
// hands out this version's table with a fake headless editor whose every
// answer is predictable, so the host's side of an editor run can be checked
// call for call.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "sdk/fruity_plug.h"
#include "shared/host_extension.h"

namespace {

#ifdef VELMORA_STUB_EDITOR

const velmora::HeadlessHost* gHeadless = nullptr;

class StubPlug;
StubPlug& Stub(TFruityPlug* plug);

// The host's "Main PPI" as the plugin would read it from the settings file the
// host points it at; says which file, so a test can tell a private copy.
std::string MainPpiLine() {
    const char* folder = std::getenv("XDG_CONFIG_HOME");
    const std::string path = std::string(folder != nullptr ? folder : "") + "/ZOLT Velmora/settings.txt";
    std::string ppi = "none";
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.find("\tMain PPI\ts\t") != std::string::npos) {
            ppi = line.substr(line.rfind('\t') + 1);
        }
    }
    // What an editor stores of its own, into the same file.
    std::ofstream(path, std::ios::app) << "Software\\\\ZOLT\\\\ZOLT Velmora\tUI Scale\ts\t2.000000\n";
    return "settings " + path + ": Main PPI " + ppi;
}

#endif

class StubPlug final : public TCPPFruityPlug {
public:
    StubPlug(TPluginTag tag, TFruityPlugHost* host) : TCPPFruityPlug(tag, host) {}
    void DestroyObject() override { delete this; }
    std::intptr_t Dispatcher(std::intptr_t id, std::intptr_t, std::intptr_t value) override;
    void Idle_Public() override { Hint("idle"); }
    void SaveRestoreState(IStream* stream, BOOL save) override {
        if (save != 0) {
            std::uint32_t written = 0;
            stream->Write("stub state", 10, &written);
        }
    }
    void GetName(int, int, int, char*) override {}
    int ProcessEvent(int, int, int) override { return 0; }
    int ProcessParam(int, int value, int) override { return value; }
    void Eff_Render(PWAV32FS, PWAV32FS, int) override {}
    void Gen_Render(PWAV32FS, int&) override {}
    TVoiceHandle TriggerVoice(PVoiceParams, std::intptr_t) override { return 0; }
    void Voice_Release(TVoiceHandle) override {}
    void Voice_Kill(TVoiceHandle) override {}
    int Voice_ProcessEvent(TVoiceHandle, int, int, int) override { return 0; }
    int Voice_Render(TVoiceHandle, PWAV32FS, int&) override { return 0; }
    void NewTick() override {}
    void MIDITick() override {}
    void MIDIIn(int&) override {}
    void MsgIn(std::intptr_t) override {}
    int OutputVoice_ProcessEvent(TOutVoiceHandle, int, int, int) override { return 0; }
    void OutputVoice_Kill(TVoiceHandle) override {}

    void Hint(std::string text) { PlugHost->OnHint(HostTag, text.data()); }
    void Status(std::intptr_t id, const char* text) { PlugHost->Dispatcher(HostTag, id, 0, reinterpret_cast<std::intptr_t>(text)); }

    bool shown = false;
    int width = 300;
    int height = 200;

#ifdef VELMORA_STUB_EDITOR
    // Every event becomes a hint naming it; some keys and the right button
    // make the editor ask or tell the host something as well.
    int Event(const velmora::HeadlessEvent& e) {
        const auto held = [](int key) { return gHeadless != nullptr && gHeadless->keyHeld(gHeadless->context, key) != 0; };
        const std::string at = " " + std::to_string(e.x) + " " + std::to_string(e.y);
        switch (e.kind) {
            case velmora::kHeadlessMouseMove: Hint("move" + at); break;
            case velmora::kHeadlessButtonDown:
                Hint("down " + std::to_string(e.button) + at);
                if (e.button == 2) {
                    PlugHost->OnParamChanged(HostTag, e.x, e.y);
                    PlugHost->MIDIOut(HostTag, static_cast<std::intptr_t>(0xB1u | (static_cast<unsigned>(e.x & 0x7F) << 8) |
                                                                          (static_cast<unsigned>(e.y & 0x7F) << 16) | (2u << 24)));
                }
                break;
            case velmora::kHeadlessButtonUp: Hint("up " + std::to_string(e.button) + at); break;
            case velmora::kHeadlessWheel: Hint("wheel " + std::to_string(e.delta) + at); break;
            case velmora::kHeadlessKeyDown:
                Hint("key " + std::to_string(e.key) + (held(0x11) ? " ctrl" : "") + (held(0xA0) ? " shift" : "") +
                     (held(0xA5) ? " alt" : ""));
                return Key(e.key);
            case velmora::kHeadlessActivate: Hint("activate " + std::to_string(e.active)); break;
            case velmora::kHeadlessSize:
                width = e.width;
                height = e.height;
                Hint("size " + std::to_string(e.width) + " " + std::to_string(e.height));
                break;
            case velmora::kHeadlessPaint: Hint("paint"); break;
            default: return 0;
        }
        return 1;
    }

    int Key(int key) {
        if (key == 'P') {
            char text[256] = "Legato";
            int colour = 0;
            char caption[] = "Rename \"Legato\"\\";
            const BOOL ok = PlugHost->PromptEdit(10, 20, caption, text, colour);
            Hint(ok != 0 ? std::string("renamed to ") + text : "rename cancelled");
        } else if (key == 'M') {
            const std::intptr_t answer = PlugHost->Dispatcher(HostTag, plug::FHD_MessageBox,
                                                              reinterpret_cast<std::intptr_t>("Replace all?\n"),
                                                              plug::kMsgYesNoWarning);
            Hint("messagebox answered " + std::to_string(answer));
        } else if (key == 'S' && gHeadless != nullptr) {
            width *= 2;
            height *= 2;
            gHeadless->windowResized(gHeadless->context, width, height);
        } else if (key == 'U') {
            Hint("caf\xE9 \t\x01");  // not UTF-8, and control characters
        }
        return 1;
    }
#endif
};

std::intptr_t StubPlug::Dispatcher(std::intptr_t id, std::intptr_t, [[maybe_unused]] std::intptr_t value) {
#ifdef VELMORA_STUB_EDITOR
    if (id == plug::FPD_ShowEditor) {
        shown = value != 0;
        if (shown) {
            Status(plug::FHD_StatusText, "shown");
            Hint(MainPpiLine() + ", host version " + std::to_string(PlugHost->HostVersion));
        } else {
            Status(plug::FHD_DebugLogMsg, "hidden");
            PlugHost->Dispatcher(HostTag, plug::FHD_EditorResized, 0, 0);
        }
        return 0;
    }
#endif
    if (id != velmora::kDispatcherHostExtension) {
        return 0;
    }
#ifdef VELMORA_STUB_EDITOR
    static const velmora::HostExtension kEditor = {
        velmora::kHostExtensionVersion,
        sizeof(velmora::HostExtension),
        [](TFruityPlug*, int, int) { return 1; },
        [](TFruityPlug*, const char*, int) { return 1; },
        [](TFruityPlug*, const char*) { return 0; },
        [](TFruityPlug*, const char*) { return 0; },
        [](TFruityPlug*, const char*, int) { return 0; },
        [](TFruityPlug*, velmora::HostExtensionWriter, void*) { return 0; },
        [](TFruityPlug* const* plugs, int count, velmora::HostExtensionWriter write, void* context) {
            std::string text = "{\"instances\": [";
            for (int i = 0; i < count; ++i) {
                text += (i == 0 ? "{\"id\": " : ", {\"id\": ") + std::to_string(plugs[i]->HostTag) + "}";
            }
            text += "]}\n";
            write(context, text.data(), text.size());
            return 1;
        },
        // Refuses on request, as a plugin does a table of an older layout.
        [](const velmora::HeadlessHost* host) {
            if (host != nullptr && std::getenv("VELMORA_STUB_REFUSE_HOST") != nullptr) {
                return 0;
            }
            gHeadless = host;
            return 1;
        },
        [](TFruityPlug* plug, const velmora::HeadlessEvent* event) { return Stub(plug).Event(*event); },
        [](TFruityPlug* plug, int* w, int* h) {
            *w = Stub(plug).width;
            *h = Stub(plug).height;
            return 1;
        },
        [](TFruityPlug* plug, const char* path) {
            std::ofstream out(path);
            out << "stub picture " << Stub(plug).width << "x" << Stub(plug).height << "\n";
            return out ? 1 : 0;
        },
        nullptr,  // no desktop
        nullptr,
        nullptr,  // no host window tree
        nullptr,
        nullptr,  // no server
    };
    // A plugin built before the editor entries: the same version, none of them.
    static const velmora::HostExtension kNoEditor = [] {
        velmora::HostExtension table = kEditor;
        table.setHeadlessHost = nullptr;
        table.editorEvent = nullptr;
        table.editorSize = nullptr;
        table.editorSnapshot = nullptr;
        return table;
    }();
    return reinterpret_cast<std::intptr_t>(std::getenv("VELMORA_STUB_NO_EDITOR") != nullptr ? &kNoEditor : &kEditor);
#else
    static const velmora::HostExtension kOtherVersion = {
        velmora::kHostExtensionVersion + 1,
        sizeof(velmora::HostExtension) + 8,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr,
    };
    return reinterpret_cast<std::intptr_t>(&kOtherVersion);
#endif
}

#ifdef VELMORA_STUB_EDITOR
StubPlug& Stub(TFruityPlug* plug) { return *static_cast<StubPlug*>(plug); }
#endif

}  // namespace

extern "C" __attribute__((visibility("default"))) TFruityPlug* CreatePlugInstance(TFruityPlugHost* host,
                                                                                 TPluginTag tag) {
    return new StubPlug(tag, host);
}
