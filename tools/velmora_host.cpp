// velmora-host: runs the plugin the way a host does, on this machine.
#include <atomic>
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

#include "host/event_output.h"
#include "host/player.h"
#include "host/plugin_library.h"
#include "platform/byte_stream.h"
#include "platform/platform.h"
#include "platform/sockets.h"
#include "shared/ascii_text.h"

using namespace velmora::host;

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  velmora-host                      play the bundled demo\n"
                 "  velmora-host play SESSION.json|SCORE.mid [--events FILE] [--midi FILE.mid] [--save-states DIR]\n"
                 "                    [--plugin PATH] [--verbose]\n"
                 "  velmora-host inspect [SESSION.json] [--state FILE] [--save-state FILE] [--plugin PATH]\n"
                 "  velmora-host serve [SESSION.json] [--port N] [--plugin PATH]\n"
                 "  velmora-host export SESSION.json [--instance N] --out FILE.zoltartic [--plugin PATH]\n");
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
    int instance = 1;
    bool verbose = false;
};

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
    const auto print = [](void*, const char* text, std::size_t length) { std::fwrite(text, 1, length, stdout); };
    if (extension == nullptr || extension->listInstances(plugs.data(), static_cast<int>(plugs.size()), print, nullptr) == 0) {
        std::fprintf(stderr, "velmora-host: %s\n", extension == nullptr ? error.c_str() : "the plugin could not list its instances");
        return 1;
    }
    if (!o.saveState.empty()) {
        platform::FileStream out(o.saveState, platform::FileStream::Mode::Write);
        if (!out.isOpen()) {
            std::fprintf(stderr, "velmora-host: cannot write %s\n", o.saveState.c_str());
            return 1;
        }
        host.instance(0)->SaveRestoreState(&out, 1);
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

std::atomic<bool> gStop{false};
extern "C" void OnStopSignal(int) { gStop = true; }

// The plugin reads its server switch and port from the user's settings. Serve
// gives it a private copy of them with the server on, so the user's own
// settings are left as they are.
bool PrepareServeSettings(const std::string& portOption, std::string& port) {
    const platform::SettingsStore user = platform::SettingsStore::currentUser();
    port = portOption;
    if (port.empty()) {
        port = user.readString(platform::kVelmoraKey, "HTTP Port").value_or("8000");
    }
    std::string folder = (std::filesystem::temp_directory_path() / "velmora-serve-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return false;
    }
    const platform::SettingsStore copy((std::filesystem::path(folder) / "ZOLT Velmora" / "settings.txt").string());
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(copy.filePath()).parent_path(), ec);
    std::filesystem::copy_file(user.filePath(), copy.filePath(), ec);  // absent is fine
    if (!copy.writeDword(platform::kVelmoraKey, "HTTP API", 1) || !copy.writeString(platform::kVelmoraKey, "HTTP Port", port)) {
        return false;
    }
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    return true;
}

int ServeCommand(const Options& o) {
    std::optional<Session> loaded = LoadSessionOrOne(o.input);
    if (!loaded) {
        return 1;
    }
    Session& session = *loaded;
    std::string port;
    if (!PrepareServeSettings(o.port, port)) {
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
        // Every idle call polls the server without waiting; a short sleep
        // between rounds keeps thousands of polls a second without spinning.
        while (!gStop) {
            for (std::size_t i = 0; i < host.instanceCount(); ++i) {
                host.instance(static_cast<int>(i))->Idle_Public();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
    std::printf("stopped\n");
    return 0;
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
    return Usage();
}
