// velmora-jack-midi: plays MIDI into a JACK port at exact transport frames and
// records what comes back, for testing a live host against `velmora-host play`.
//   velmora-jack-midi SESSION.json [--instance N] --record FILE [options]
//   velmora-jack-midi --notes COUNT --rate PER_SECOND [--hold COUNT] --record FILE [options]
// options: --to PORT (the port played into), --from PORT (recorded; repeatable),
//          --sent FILE (what was written, with frames), --tail-ms M (500),
//          --name NAME (client names NAME and NAME-rec; "velmora-jack-midi")
// Prints "spt X", "sent ..., recorded ..." and "xruns N": the xruns either of
// its clients saw (the larger count) from the transport's start until the
// tail ended; those of connecting and leaving follow on a line of their own.
// Exit 0 when everything went out on time and was kept, 1 on a JACK or
// timing failure, 2 for a bad command line or session.
#include <jack/jack.h>
#include <jack/transport.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/live/jack_clients.h"
#include "tests/live/live_score.h"
#include "tests/live/record_lines.h"

namespace {

using namespace velmora::live_test;
using Clock = std::chrono::steady_clock;

struct Arguments {
    std::string session;
    int instance = 1;
    int notes = -1;
    double rate = 0.0;
    int hold = 0;
    std::string to;
    std::vector<std::string> from;
    std::string record;
    std::string sent;
    int tailMs = 500;
    std::string name = "velmora-jack-midi";
};

int Usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  velmora-jack-midi SESSION.json [--instance N] --record FILE [options]\n"
                 "  velmora-jack-midi --notes COUNT --rate PER_SECOND [--hold COUNT] --record FILE [options]\n"
                 "options: --to PORT  --from PORT (repeatable)  --sent FILE  --tail-ms M  --name NAME\n");
    return 2;
}

bool Parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg.rfind("--", 0) != 0) {
            if (!a.session.empty()) {
                return false;
            }
            a.session = arg;
        } else if (!hasValue) {
            return false;
        } else if (arg == "--instance") {
            a.instance = std::atoi(argv[++i]);
        } else if (arg == "--notes") {
            a.notes = std::atoi(argv[++i]);
        } else if (arg == "--hold") {
            a.hold = std::atoi(argv[++i]);
        } else if (arg == "--rate") {
            a.rate = std::atof(argv[++i]);
        } else if (arg == "--to") {
            a.to = argv[++i];
        } else if (arg == "--from") {
            a.from.emplace_back(argv[++i]);
        } else if (arg == "--record") {
            a.record = argv[++i];
        } else if (arg == "--sent") {
            a.sent = argv[++i];
        } else if (arg == "--tail-ms") {
            a.tailMs = std::atoi(argv[++i]);
        } else if (arg == "--name") {
            a.name = argv[++i];
        } else {
            return false;
        }
    }
    const bool sessionMode = !a.session.empty() && a.notes < 0;
    const bool notesMode = a.session.empty() && a.notes > 0 && a.rate > 0.0;
    return (sessionMode || notesMode) && a.instance >= 1 && !a.record.empty() && a.tailMs >= 0 && !a.name.empty();
}

struct ClientCloser {
    void operator()(jack_client_t* c) const { jack_client_close(c); }
};
using ClientHandle = std::unique_ptr<jack_client_t, ClientCloser>;

ClientHandle Open(const std::string& name) {
    jack_status_t status{};
    ClientHandle client(jack_client_open(name.c_str(), static_cast<jack_options_t>(JackNoStartServer | JackUseExactName), &status));
    if (!client) {
        std::fprintf(stderr, "velmora-jack-midi: cannot open JACK client \"%s\" (status 0x%x)%s\n", name.c_str(),
                     static_cast<unsigned>(status), (status & JackServerFailed) != 0 ? ": no JACK server" : "");
    }
    return client;
}

bool WriteLines(const std::string& path, const std::vector<TimedMessage>& messages, std::size_t count, double spt,
                bool withPort) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < count && out; ++i) {
        const TimedMessage& m = messages[i];
        MidiLine line;
        line.tick = m.tick >= 0 ? m.tick : std::llround(static_cast<double>(m.frame) / spt);
        line.frame = m.frame;
        line.port = m.port;
        line.status = m.bytes[0];
        line.data1 = m.bytes[1];
        line.data2 = m.bytes[2];
        out << JsonLine(line, withPort);
    }
    if (!out) {
        std::fprintf(stderr, "velmora-jack-midi: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// Stops the transport and puts it at frame 0, then waits until it stands
// there: a locate takes effect only cycles later.
bool TransportAtZero(jack_client_t* client) {
    jack_transport_stop(client);
    jack_transport_locate(client, 0);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    jack_position_t pos;
    while (!(jack_transport_query(client, &pos) == JackTransportStopped && pos.frame == 0)) {
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "velmora-jack-midi: the transport did not come to frame 0\n");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

int Run(const Arguments& args) {
    std::optional<velmora::host::Session> session;
    if (!args.session.empty()) {
        std::string error;
        session = velmora::host::LoadSession(args.session, error);
        if (!session) {
            std::fprintf(stderr, "velmora-jack-midi: %s\n", error.c_str());
            return 2;
        }
        if (static_cast<std::size_t>(args.instance) > session->instances.size()) {
            std::fprintf(stderr, "velmora-jack-midi: the session has no instance %d\n", args.instance);
            return 2;
        }
    }

    auto player = std::make_unique<Player>();
    auto recorder = std::make_unique<Recorder>();
    std::atomic<bool> serverGone{false};
    ClientHandle playerClient = Open(args.name);
    ClientHandle recorderClient = playerClient ? Open(args.name + "-rec") : ClientHandle();
    if (!playerClient || !recorderClient) {
        return 1;
    }
    player->client = playerClient.get();
    recorder->client = recorderClient.get();
    const double rate = jack_get_sample_rate(player->client);

    double spt = 0.0;
    if (session) {
        std::string error;
        auto cues = CuesFromSession(*session, args.instance - 1, error);
        if (!cues) {
            std::fprintf(stderr, "velmora-jack-midi: %s: %s\n", args.session.c_str(), error.c_str());
            return 2;
        }
        player->cues = std::move(*cues);
        spt = session->samplesPerTick();
        if (session->sampleRate != rate) {
            std::fprintf(stderr, "velmora-jack-midi: the session is at %g Hz, the JACK server at %g Hz\n",
                         session->sampleRate, rate);
        }
    } else {
        player->cues = GeneratedNotes(args.notes, args.rate, rate, args.hold);
        // Ticks of the recording at the usual 120 bpm and 96 ppq.
        spt = rate * 60.0 / (120.0 * 96.0);
    }
    player->written.resize(player->cues.size());
    if (player->cues.empty()) {
        player->framesSinceLast = 0;  // nothing to play: only the tail is heard
    }
    player->tailFrames = static_cast<std::int64_t>(std::llround(args.tailMs * rate / 1000.0));
    recorder->received.resize(std::max<std::size_t>(65536, player->cues.size() * 8));

    player->out = jack_port_register(player->client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    bool ok = player->out != nullptr;
    for (std::size_t i = 0; ok && i < args.from.size(); ++i) {
        const std::string name = "in-" + std::to_string(i + 1);
        jack_port_t* in = jack_port_register(recorder->client, name.c_str(), JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        ok = in != nullptr;
        recorder->inputs.push_back(in);
        recorder->portNumbers.push_back(PortNumberOf(args.from[i], static_cast<int>(i)));
    }
    if (!ok) {
        std::fprintf(stderr, "velmora-jack-midi: cannot register the ports\n");
        return 1;
    }
    InstallCallbacks(*player, *recorder, serverGone);
    if (jack_activate(recorder->client) != 0 || jack_activate(player->client) != 0) {
        std::fprintf(stderr, "velmora-jack-midi: cannot activate the clients\n");
        return 1;
    }
    if (!args.to.empty() && jack_connect(player->client, jack_port_name(player->out), args.to.c_str()) != 0) {
        std::fprintf(stderr, "velmora-jack-midi: cannot connect %s to %s\n", jack_port_name(player->out), args.to.c_str());
        return 1;
    }
    for (std::size_t i = 0; i < args.from.size(); ++i) {
        if (jack_connect(recorder->client, args.from[i].c_str(), jack_port_name(recorder->inputs[i])) != 0) {
            std::fprintf(stderr, "velmora-jack-midi: cannot connect %s to %s\n", args.from[i].c_str(),
                         jack_port_name(recorder->inputs[i]));
            return 1;
        }
    }
    if (!TransportAtZero(player->client)) {
        return 1;
    }
    // A session's start, or for a session without one (and the generated
    // notes) the player's own: the clock is the rolling transport either way.
    const int xrunsBefore = std::max(player->xruns.load(), recorder->xruns.load());
    recorder->recording.store(true, std::memory_order_release);
    player->armed.store(true, std::memory_order_release);
    jack_transport_start(player->client);

    const std::int64_t lastFrame = player->cues.empty() ? 0 : player->cues.back().frame;
    const auto deadline = Clock::now() + std::chrono::milliseconds(static_cast<std::int64_t>(
                                             1000.0 * static_cast<double>(lastFrame) / rate) + args.tailMs + 30000);
    bool finished = true;
    while (!player->done.load(std::memory_order_acquire)) {
        if (serverGone.load() || Clock::now() > deadline) {
            std::fprintf(stderr, "velmora-jack-midi: %s\n",
                         serverGone.load() ? "the JACK server went away" : "the transport did not roll through the cues");
            finished = false;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    recorder->recording.store(false, std::memory_order_release);
    const int xrunsDuring = std::max(player->xruns.load(), recorder->xruns.load()) - xrunsBefore;
    if (!serverGone.load()) {
        jack_transport_stop(player->client);  // leaves the server as it was found
        jack_deactivate(player->client);
        jack_deactivate(recorder->client);
    }

    bool written = WriteLines(args.record, recorder->received, recorder->receivedCount, spt, true);
    if (!args.sent.empty()) {
        written = WriteLines(args.sent, player->written, player->writtenCount, spt, false) && written;
    }
    std::printf("spt %.17g\n", spt);
    const auto messages = std::count_if(player->cues.begin(), player->cues.end(),
                                        [](const Cue& c) { return c.kind == CueKind::Midi; });
    std::printf("sent %zu of %td (late %d, refused %d), recorded %zu (overflow %d)\n", player->writtenCount, messages,
                player->late, player->refused, recorder->receivedCount, recorder->overflow);
    std::printf("xruns %d\n", xrunsDuring);
    std::printf("xruns outside the run: %d before, %d after\n", xrunsBefore,
                std::max(player->xruns.load(), recorder->xruns.load()) - xrunsDuring - xrunsBefore);
    std::fflush(stdout);
    const bool clean = finished && written && player->late == 0 && player->refused == 0 && recorder->overflow == 0;
    return clean ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!Parse(argc, argv, args)) {
        return Usage();
    }
    return Run(args);
}
