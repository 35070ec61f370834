// velmora-host: runs the plugin the way a host does, on this machine.
#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "host/desktop/desktop.h"
#include "host/editor_script.h"
#include "host/editor_session.h"
#include "host/event_output.h"
#ifdef VELMORA_HAS_JACK
#include "host/live/jack_live.h"
#endif
#include "host/player.h"
#include "host/plugin_library.h"
#include "host/private_settings.h"
#include "platform/byte_stream.h"
#include "platform/platform.h"
#include "platform/sockets.h"
#include "shared/ascii_text.h"

using namespace velmora::host;

// The plugin's editor draws text through fontconfig, which keeps a few bytes of
// its configuration to the end of the process; the sanitizer build's leak
// checker passes over them, as it does in the test binaries. The desktop's
// GTK keeps its type system, caches and the accessibility bridge's D-Bus
// connection for the whole process too, allocated inside GLib and libdbus.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libglib-2.0.so\nleak:libdbus-1.so\n";
}

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  velmora-host                      play the bundled demo\n"
                 "  velmora-host play SESSION.json|SCORE.mid [--events FILE] [--midi FILE.mid] [--save-states DIR]\n"
                 "                    [--plugin PATH] [--verbose]\n"
                 "  velmora-host inspect [SESSION.json] [--state FILE] [--save-state FILE] [--plugin PATH]\n"
                 "  velmora-host serve [SESSION.json] [--port N] [--plugin PATH]\n"
                 "  velmora-host export SESSION.json [--instance N] --out FILE.zoltartic [--plugin PATH]\n"
                 "  velmora-host editor SESSION.json [--instance N] [--ppi N] [--host-version N] [--script FILE]\n"
                 "                      [--snapshot FILE.png] [--listing] [--save-state FILE] [--plugin PATH]\n"
                 "  velmora-host gui [SESSION.json] [--log FILE] [--host-version N] [--plugin PATH]\n"
                 "  velmora-host live SESSION.json [--instance N] [--banks] [--bank-cc N] [--bpm X] [--ppq N]\n"
                 "                    [--volume N] [--pan N] [--http PORT] [--plugin PATH] [--verbose]\n");
    return 2;
}

struct Options {
    std::string input;
    std::string events;
    std::string midi;
    std::string plugin = DefaultPluginPath();
    std::string state;
    std::string saveState;
    std::string port;
    std::string saveStates;
    std::string out;
    std::string script;
    std::string snapshot;
    std::string log;
    std::string http;
    int instance = 1;
    bool banks = false;
    int bankCc = 0;
    std::optional<double> bpm;
    std::optional<int> ppq;
    int volume = 100;
    int pan = 64;
    std::optional<int> ppi;
    std::optional<int> hostVersion;
    bool listing = false;
    bool verbose = false;
};

// A whole number and nothing else, at least `least`.
std::optional<int> WholeNumber(const std::string& text, int least) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < least) {
        return std::nullopt;
    }
    return n;
}

bool ParseOptions(int argc, char** argv, int first, Options& o) {
    for (int i = first; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s needs a value\n", a.c_str());
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (a == "--events") {
            if (!value(o.events)) return false;
        } else if (a == "--midi") {
            if (!value(o.midi)) return false;
        } else if (a == "--plugin") {
            if (!value(o.plugin)) return false;
        } else if (a == "--state") {
            if (!value(o.state)) return false;
        } else if (a == "--save-state") {
            if (!value(o.saveState)) return false;
        } else if (a == "--save-states") {
            if (!value(o.saveStates)) return false;
        } else if (a == "--out") {
            if (!value(o.out)) return false;
        } else if (a == "--instance") {
            std::string n;
            if (!value(n)) return false;
            o.instance = std::atoi(n.c_str());
        } else if (a == "--ppi" || a == "--host-version") {
            std::string n;
            if (!value(n)) return false;
            const std::optional<int> number = WholeNumber(n, a == "--ppi" ? 1 : 0);
            if (!number) {
                std::fprintf(stderr, "%s needs a whole number%s, not %s\n", a.c_str(), a == "--ppi" ? " above 0" : "", n.c_str());
                return false;
            }
            (a == "--ppi" ? o.ppi : o.hostVersion) = number;
        } else if (a == "--volume" || a == "--pan") {
            std::string n;
            if (!value(n)) return false;
            const std::optional<int> number = WholeNumber(n, 0);
            if (!number || *number > 127) {
                std::fprintf(stderr, "%s needs a whole number 0..127, not %s\n", a.c_str(), n.c_str());
                return false;
            }
            (a == "--volume" ? o.volume : o.pan) = *number;
        } else if (a == "--bank-cc" || a == "--ppq") {
            std::string n;
            if (!value(n)) return false;
            const std::optional<int> number = WholeNumber(n, a == "--ppq" ? 1 : 0);
            if (!number || (a == "--bank-cc" && *number > 127)) {
                std::fprintf(stderr, "%s needs a whole number %s, not %s\n", a.c_str(), a == "--ppq" ? "above 0" : "0..127", n.c_str());
                return false;
            }
            if (a == "--ppq") {
                o.ppq = number;
            } else {
                o.bankCc = *number;
            }
        } else if (a == "--bpm") {
            std::string n;
            if (!value(n)) return false;
            char* end = nullptr;
            const double bpm = std::strtod(n.c_str(), &end);
            if (end == n.c_str() || *end != '\0' || !(bpm >= 1.0 && bpm <= 999.0)) {
                std::fprintf(stderr, "--bpm needs a tempo from 1 to 999, not %s\n", n.c_str());
                return false;
            }
            o.bpm = bpm;
        } else if (a == "--banks") {
            o.banks = true;
        } else if (a == "--http") {
            if (!value(o.http)) return false;
        } else if (a == "--script") {
            if (!value(o.script)) return false;
        } else if (a == "--snapshot") {
            if (!value(o.snapshot)) return false;
        } else if (a == "--log") {
            if (!value(o.log)) return false;
        } else if (a == "--listing") {
            o.listing = true;
        } else if (a == "--port") {
            if (!value(o.port)) return false;
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return false;
        } else if (o.input.empty()) {
            o.input = a;
        } else {
            std::fprintf(stderr, "unexpected argument %s\n", a.c_str());
            return false;
        }
    }
    return true;
}

std::optional<Session> LoadInput(const std::string& path, std::string& error) {
    if (velmora::EndsWithIgnoringCase(path, ".mid") || velmora::EndsWithIgnoringCase(path, ".midi")) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = "cannot open " + path;
            return std::nullopt;
        }
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return ReadMidiScore(bytes, error);
    }
    return LoadSession(path, error);
}

// The session named, or one instance with no score; says why on failure.
std::optional<Session> LoadSessionOrOne(const std::string& path) {
    if (path.empty()) {
        Session session;
        session.instances.emplace_back();
        return session;
    }
    std::string error;
    auto session = LoadInput(path, error);
    if (!session) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
    }
    return session;
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

int PlayCommand(const Options& o) {
    std::string error;
    const auto session = LoadInput(o.input, error);
    if (!session) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return 1;
    }
    if (!o.saveStates.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.saveStates, ec);
    }
    const auto outcome = Play(*session, o.plugin, error, o.verbose, o.saveStates);
    if (!outcome) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& w : outcome->warnings) {
        std::fprintf(stderr, "velmora-host: warning: %s\n", w.c_str());
    }
    std::printf("%s", EventsAsTable(outcome->sent).c_str());
    std::printf("%zu MIDI messages at %.4f samples per tick\n", outcome->sent.size(), session->samplesPerTick());
    if (!o.events.empty() && !WriteFile(o.events, EventsAsJsonLines(outcome->sent))) {
        std::fprintf(stderr, "velmora-host: cannot write %s\n", o.events.c_str());
        return 1;
    }
    if (!o.midi.empty()) {
        const auto bytes = WriteMidiFile(outcome->sent, session->ppq, session->bpm);
        if (!WriteFile(o.midi, std::string(bytes.begin(), bytes.end()))) {
            std::fprintf(stderr, "velmora-host: cannot write %s\n", o.midi.c_str());
            return 1;
        }
    }
    return 0;
}

void PrintText(void*, const char* text, std::size_t length) { std::fwrite(text, 1, length, stdout); }

// The instance's state as the host saves it with a project.
bool SaveState(TFruityPlug* plug, const std::string& path) {
    platform::FileStream out(path, platform::FileStream::Mode::Write);
    if (!out.isOpen()) {
        std::fprintf(stderr, "velmora-host: cannot write %s\n", path.c_str());
        return false;
    }
    plug->SaveRestoreState(&out, 1);
    return true;
}

int InspectCommand(const Options& o) {
    std::optional<Session> loaded = LoadSessionOrOne(o.input);
    if (!loaded) {
        return 1;
    }
    Session& session = *loaded;
    if (!o.state.empty()) {
        session.instances.front().state = o.state;
    }
    PluginLibrary library(o.plugin);
    if (!library.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", library.error().c_str());
        return 1;
    }
    ReferenceHost host;
    SessionInstances instances(library, session, host);
    if (!instances.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", instances.error().c_str());
        return 1;
    }
    std::vector<TFruityPlug*> plugs;
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        plugs.push_back(host.instance(static_cast<int>(i)));
    }
    std::string error;
    const velmora::HostExtension* extension = HostExtensionOf(plugs.empty() ? nullptr : plugs.front(), error);
    if (extension == nullptr || extension->listInstances(plugs.data(), static_cast<int>(plugs.size()), PrintText, nullptr) == 0) {
        std::fprintf(stderr, "velmora-host: %s\n", extension == nullptr ? error.c_str() : "the plugin could not list its instances");
        return 1;
    }
    if (!o.saveState.empty() && !SaveState(host.instance(0), o.saveState)) {
        return 1;
    }
    return 0;
}

int ExportCommand(const Options& o) {
    if (o.input.empty() || o.out.empty()) {
        return Usage();
    }
    std::optional<Session> loaded = LoadSessionOrOne(o.input);
    if (!loaded) {
        return 1;
    }
    if (o.instance < 1 || static_cast<std::size_t>(o.instance) > loaded->instances.size()) {
        std::fprintf(stderr, "velmora-host: the session has no instance %d\n", o.instance);
        return 1;
    }
    PluginLibrary library(o.plugin);
    if (!library.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", library.error().c_str());
        return 1;
    }
    ReferenceHost host;
    SessionInstances instances(library, *loaded, host);
    if (!instances.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", instances.error().c_str());
        return 1;
    }
    TFruityPlug* plug = host.instance(o.instance - 1);
    std::string error;
    const velmora::HostExtension* extension = HostExtensionOf(plug, error);
    if (extension == nullptr) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return 1;
    }
    if (extension->exportArticulations(plug, o.out.c_str()) == 0) {
        std::fprintf(stderr, "velmora-host: cannot export to %s\n", o.out.c_str());
        return 1;
    }
    return 0;
}

// The whole script is read before the editor is shown: a bad line stops the
// run before any line has run.
std::optional<std::vector<ScriptStep>> ReadScript(const std::string& path, int& status) {
    if (path.empty()) {
        return std::vector<ScriptStep>();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "velmora-host: cannot open %s\n", path.c_str());
        status = 1;
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    auto steps = ParseEditorScript(text, error);
    if (!steps) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        status = 2;
    }
    return steps;
}

// What comes after the script, while the editor is still shown.
bool FinishEditorRun(const Options& o, EditorSession& editor, TFruityPlug* plug, const velmora::HostExtension& extension) {
    if (!o.snapshot.empty() && !editor.snapshot(o.snapshot)) {
        std::fprintf(stderr, "velmora-host: the editor's picture could not be written to %s\n", o.snapshot.c_str());
        return false;
    }
    if (o.listing) {
        if (extension.listInstances(&plug, 1, PrintText, nullptr) == 0) {
            std::fprintf(stderr, "velmora-host: the plugin could not list the instance\n");
            return false;
        }
    }
    return o.saveState.empty() || SaveState(plug, o.saveState);
}

int EditorCommand(const Options& o) {
    if (o.input.empty()) {
        return Usage();
    }
    int status = 0;
    const std::optional<std::vector<ScriptStep>> steps = ReadScript(o.script, status);
    if (!steps) {
        return status;
    }
    std::optional<Session> loaded = LoadSessionOrOne(o.input);
    if (!loaded) {
        return 1;
    }
    if (o.instance < 1 || static_cast<std::size_t>(o.instance) > loaded->instances.size()) {
        std::fprintf(stderr, "velmora-host: the session has no instance %d\n", o.instance);
        return 1;
    }
    // Whatever the editor stores (its scale, say) stays in this run's copy.
    const PrivateSettings settings;
    if (!settings.ok() ||
        (o.ppi && !settings.store().writeString(platform::kHostGeneralKey, "Main PPI", std::to_string(*o.ppi)))) {
        std::fprintf(stderr, "velmora-host: cannot prepare the editor's settings\n");
        return 1;
    }
    PluginLibrary library(o.plugin);
    if (!library.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", library.error().c_str());
        return 1;
    }
    EditorHost host([](const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    });
    if (o.hostVersion) {
        host.HostVersion = *o.hostVersion;
    }
    SessionInstances instances(library, *loaded, host);
    if (!instances.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", instances.error().c_str());
        return 1;
    }
    for (const std::string& w : instances.warnings) {
        std::fprintf(stderr, "velmora-host: warning: %s\n", w.c_str());
    }
    TFruityPlug* plug = host.instance(o.instance - 1);
    std::string error;
    const velmora::HostExtension* extension = HostExtensionOf(plug, error);
    if (extension == nullptr || !HasEditorEntries(*extension, error)) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return 1;
    }
    bool done = false;
    {
        EditorSession editor(host, plug, *extension);
        std::vector<TFruityPlug*> all;
        for (std::size_t i = 0; i < host.instanceCount(); ++i) {
            all.push_back(host.instance(static_cast<int>(i)));
        }
        editor.setInstances(std::move(all));
        if (!editor.ok()) {
            std::fprintf(stderr, "velmora-host: the plugin refused the host's headless services\n");
        } else if (!editor.run(*steps, error)) {
            std::fflush(stdout);
            std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        } else {
            done = FinishEditorRun(o, editor, plug, *extension);
        }
    }
    std::fflush(stdout);
    return done ? 0 : 1;
}

std::atomic<bool> gStop{false};
extern "C" void OnStopSignal(int) { gStop = true; }

// The plugin reads its server switch and port from the user's settings. Serve
// gives it a private copy of them with the server on, so the user's own
// settings are left as they are.
bool PrepareServeSettings(const PrivateSettings& settings, const std::string& portOption, std::string& port) {
    port = portOption;
    if (port.empty()) {
        port = settings.store().readString(platform::kVelmoraKey, "HTTP Port").value_or("8000");
    }
    return settings.setHttpApi(port);
}

// Every idle call polls the server without waiting. In between, the host
// sleeps until the server has work, and at most as long as a host leaves
// between idle calls. A short pause comes first: the clients that arrive
// during it are answered in one round rather than in a round and a wake-up
// each, which under load gives 3 to 10 % more requests a second. With no
// descriptor to wait on, the pause alone keeps thousands of polls a second
// without spinning.
void WaitBetweenIdleCalls(const velmora::HostExtension* extension) {
    constexpr int kIdleIntervalMs = 10;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    int descriptor = -1;
    if (extension != nullptr && extension->serverDescriptor != nullptr && extension->serverDescriptor(&descriptor) != 0 &&
        descriptor >= 0) {
        platform::net::WaitReadable(descriptor, kIdleIntervalMs);
    }
}

int ServeCommand(const Options& o) {
    std::optional<Session> loaded = LoadSessionOrOne(o.input);
    if (!loaded) {
        return 1;
    }
    Session& session = *loaded;
    const PrivateSettings settings;
    std::string port;
    if (!PrepareServeSettings(settings, o.port, port)) {
        std::fprintf(stderr, "velmora-host: cannot prepare the server settings\n");
        return 1;
    }
    // The plugin says nothing when it cannot listen, so find out first
    // whether the port can be had.
    const platform::net::Socket trial = platform::net::Listen(port, 1);
    if (trial == platform::net::kInvalidSocket) {
        std::fprintf(stderr, "velmora-host: cannot listen on port %s (in use, or not a port)\n", port.c_str());
        return 1;
    }
    platform::net::Close(trial);
    PluginLibrary library(o.plugin);
    if (!library.ok()) {
        std::fprintf(stderr, "velmora-host: %s\n", library.error().c_str());
        return 1;
    }
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    ReferenceHost host;
    host.verbose = o.verbose;
    {
        SessionInstances instances(library, session, host);
        if (!instances.ok()) {
            std::fprintf(stderr, "velmora-host: %s\n", instances.error().c_str());
            return 1;
        }
        std::printf("serving %zu instance(s) on http://127.0.0.1:%s/ (Ctrl+C stops)\n", host.instanceCount(), port.c_str());
        std::fflush(stdout);
        std::string unused;
        const velmora::HostExtension* extension =
            host.instanceCount() > 0 ? HostExtensionOf(host.instance(0), unused) : nullptr;
        while (!gStop) {
            for (std::size_t i = 0; i < host.instanceCount(); ++i) {
                host.instance(static_cast<int>(i))->Idle_Public();
            }
            WaitBetweenIdleCalls(extension);
        }
    }
    std::printf("stopped\n");
    return 0;
}

int GuiCommand(const Options& o) {
#ifdef VELMORA_HAS_DESKTOP
    return RunDesktop({o.input, o.plugin, o.log, o.hostVersion});
#else
    (void)o;
    std::fprintf(stderr, "velmora-host: this build has no desktop (GTK 3 was not found)\n");
    return 2;
#endif
}

int LiveCommand(const Options& o) {
#ifdef VELMORA_HAS_JACK
    if (o.input.empty()) {
        return Usage();
    }
    std::string error;
    std::optional<Session> session = LoadInput(o.input, error);
    if (!session) {
        std::fprintf(stderr, "velmora-host: %s\n", error.c_str());
        return 1;
    }
    live::LiveRun run;
    run.session = std::move(*session);
    run.plugin = o.plugin;
    run.config.instance = o.instance - 1;
    run.config.banks = o.banks;
    run.config.bankCc = o.bankCc;
    run.bpm = o.bpm;
    run.ppq = o.ppq;
    run.volume = o.volume;
    run.pan = o.pan;
    run.httpPort = o.http;
    run.verbose = o.verbose;
    return live::RunLive(run);
#else
    (void)o;
    std::fprintf(stderr, "velmora-host: this build has no live mode (the JACK library was not found)\n");
    return 2;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (argc < 2) {
        o.input = platform::defaultPlatform().executableFolder() + "/examples/demo/session.json";
        return PlayCommand(o);
    }
    const std::string command = argv[1];
    if (!ParseOptions(argc, argv, 2, o)) {
        return Usage();
    }
    if (command == "play" && !o.input.empty()) {
        return PlayCommand(o);
    }
    if (command == "inspect") {
        return InspectCommand(o);
    }
    if (command == "serve") {
        return ServeCommand(o);
    }
    if (command == "export") {
        return ExportCommand(o);
    }
    if (command == "editor") {
        return EditorCommand(o);
    }
    if (command == "gui") {
        return GuiCommand(o);
    }
    if (command == "live") {
        return LiveCommand(o);
    }
    return Usage();
}
