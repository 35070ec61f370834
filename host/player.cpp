#include "host/player.h"

#include <algorithm>
#include <bit>
#include <map>

#include "platform/byte_stream.h"
#include "shared/ascii_text.h"

namespace velmora::host {

namespace {

// Instruments go in as a dropped file would (a replacing import); articulation
// set files replace the instance's articulations through the import operation.
void ImportArticulationFile(TFruityPlug* plug, const HostExtension& extension, const std::string& path) {
    if (velmora::EndsWithIgnoringCase(path, ".nki")) {
        plug->Dispatcher(plug::FPD_DroppedFile, 0, reinterpret_cast<std::intptr_t>(path.c_str()));
        return;
    }
    extension.importArticulations(plug, path.c_str());
}

}  // namespace

SessionInstances::SessionInstances(const PluginLibrary& library, const Session& session, ReferenceHost& host)
    : host_(host) {
    const float spt = static_cast<float>(session.samplesPerTick());
    for (std::size_t i = 0; i < session.instances.size(); ++i) {
        TFruityPlug* plug = library.create(&host, static_cast<TPluginTag>(i + 1));
        if (plug == nullptr) {
            error_ = "the plugin created no instance";
            return;
        }
        host.addInstance(plug);
        const HostExtension* extension = HostExtensionOf(plug, error_);
        if (extension == nullptr) {
            return;
        }
        const InstanceSetup& setup = session.instances[i];
        if (!setup.state.empty()) {
            platform::FileStream stream(setup.state, platform::FileStream::Mode::Read);
            if (!stream.isOpen()) {
                error_ = "cannot open state " + setup.state;
                return;
            }
            plug->SaveRestoreState(&stream, 0);
        }
        if (!setup.articulations.empty()) {
            ImportArticulationFile(plug, *extension, setup.articulations);
        }
        if (setup.port || setup.channel) {
            extension->setPortChannel(plug, setup.port.value_or(-1), setup.channel.value_or(-1));
        }
        for (const auto& [key, on] : setup.options) {
            if (extension->setOption(plug, key.c_str(), on ? 1 : 0) == 0) {
                warnings.push_back("unknown option \"" + key + "\"");
            }
        }
        plug->Dispatcher(plug::FPD_SetSamplesPerTick, 0, static_cast<std::intptr_t>(std::bit_cast<std::uint32_t>(spt)));
    }
}

SessionInstances::~SessionInstances() {
    host_.killAllVoices();
    for (std::size_t i = 0; i < host_.instanceCount(); ++i) {
        host_.instance(static_cast<int>(i))->DestroyObject();
    }
}

// Releases due at each tick, in the order their notes appear in the score.
using DueReleases = std::multimap<std::int64_t, std::intptr_t>;

// What the tick loop walks: the events in tick order (ties in file order),
// the last tick to play and how often instances get their idle call.
struct Timeline {
    std::vector<const ScoreEvent*> ordered;
    std::int64_t lastTick = 0;
    std::int64_t idleEvery = 1;
};

// Runs one beat past the last event or note end, so delayed notes and held
// keyswitches finish; refuses a score that would never end.
static std::optional<Timeline> BuildTimeline(const Session& session, std::string& error) {
    Timeline timeline;
    for (const ScoreEvent& e : session.events) {
        timeline.lastTick = std::max(timeline.lastTick, e.kind == EventKind::Note ? e.tick + e.length : e.tick);
    }
    if (timeline.lastTick > kMaxScoreTicks) {
        error = "the score runs past tick " + std::to_string(kMaxScoreTicks);
        return std::nullopt;
    }
    timeline.lastTick += session.ppq;
    timeline.idleEvery = std::max(1, session.ppq / 4);
    for (const ScoreEvent& e : session.events) {
        timeline.ordered.push_back(&e);
    }
    std::stable_sort(timeline.ordered.begin(), timeline.ordered.end(),
                     [](const ScoreEvent* a, const ScoreEvent* b) { return a->tick < b->tick; });
    return timeline;
}

static void StartTick(ReferenceHost& host, std::int64_t tick) {
    host.setTick(tick);
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        host.instance(static_cast<int>(i))->NewTick();
        host.honourKillRequests();
    }
}

// Voices the plugin already killed are gone from the host and need no release.
static void ReleaseDueNotes(ReferenceHost& host, DueReleases& releases, std::int64_t tick) {
    const auto [from, to] = releases.equal_range(tick);
    for (auto it = from; it != to; ++it) {
        if (host.hasVoice(it->second)) {
            const auto& v = host.voice(it->second);
            host.instance(v.instance)->Voice_Release(v.handle);
            host.honourKillRequests();
        }
    }
    releases.erase(from, to);
}

static void TriggerNote(ReferenceHost& host, const ScoreEvent& e, DueReleases& releases) {
    const std::intptr_t tag = host.newVoiceTag();
    host.addVoice(tag, {e.instance, 0, e.colour, e.release});
    TVoiceParams params{};
    params.InitLevels = {0.0f, e.level, static_cast<float>((e.key - 60) * 100), e.modx, 0.0f};
    params.FinalLevels = params.InitLevels;
    const TVoiceHandle handle = host.instance(e.instance)->TriggerVoice(&params, tag);
    if (handle == 0) {
        host.removeVoice(tag);  // out of voices: the note is dropped
        return;
    }
    if (host.hasVoice(tag)) {
        host.voice(tag).handle = handle;
        releases.emplace(e.tick + e.length, tag);
    }
}

static void ApplyEvent(ReferenceHost& host, const ScoreEvent& e, DueReleases& releases) {
    TFruityPlug* plug = host.instance(e.instance);
    switch (e.kind) {
        case EventKind::Note: TriggerNote(host, e, releases); break;
        case EventKind::Param: plug->ProcessParam(e.index, e.value, plug::REC_UpdateValue | plug::REC_UpdateControl); break;
        case EventKind::Pan: plug->ProcessEvent(plug::FPE_Pan, e.value, 0); break;
        case EventKind::Volume: plug->ProcessEvent(plug::FPE_Volume, e.value, 0); break;
        case EventKind::Pitch: plug->ProcessEvent(plug::FPE_Pitch, e.value, 0); break;
        case EventKind::Transport:
            // The host's transport is one for all instances.
            for (std::size_t i = 0; i < host.instanceCount(); ++i) {
                host.instance(static_cast<int>(i))->Dispatcher(plug::FPD_Transport, 0, e.value);
                host.honourKillRequests();
            }
            break;
    }
    host.honourKillRequests();
}

// One tick: every instance's NewTick, then the notes ending here are
// released, then this tick's events apply in file order; idle calls every
// quarter beat. Advances next past the events it applied.
static void PlayTick(ReferenceHost& host, const Timeline& timeline, std::int64_t tick, std::size_t& next,
                     DueReleases& releases) {
    StartTick(host, tick);
    ReleaseDueNotes(host, releases, tick);
    for (; next < timeline.ordered.size() && timeline.ordered[next]->tick == tick; ++next) {
        ApplyEvent(host, *timeline.ordered[next], releases);
    }
    if (tick % timeline.idleEvery == 0) {
        for (std::size_t i = 0; i < host.instanceCount(); ++i) {
            host.instance(static_cast<int>(i))->Idle_Public();
        }
    }
}

// Each instance's state after playing, as instance-N.state in the folder.
static bool SaveStates(ReferenceHost& host, const std::string& folder, PlayOutcome& outcome, std::string& error) {
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        const std::string file = folder + "/instance-" + std::to_string(i + 1) + ".state";
        platform::FileStream out(file, platform::FileStream::Mode::Write);
        if (!out.isOpen()) {
            error = "cannot write " + file;
            return false;
        }
        host.instance(static_cast<int>(i))->SaveRestoreState(&out, 1);
        outcome.savedStates.push_back(file);
    }
    return true;
}

std::optional<PlayOutcome> Play(const Session& session, const std::string& pluginPath, std::string& error,
                                bool verbose, const std::string& saveStatesFolder) {
    PluginLibrary library(pluginPath);
    if (!library.ok()) {
        error = library.error();
        return std::nullopt;
    }
    ReferenceHost host;
    host.verbose = verbose;
    PlayOutcome outcome;
    {
        SessionInstances instances(library, session, host);
        outcome.warnings = instances.warnings;
        if (!instances.ok()) {
            error = instances.error();
            return std::nullopt;
        }
        const std::optional<Timeline> timeline = BuildTimeline(session, error);
        if (!timeline) {
            return std::nullopt;
        }
        DueReleases releases;
        std::size_t next = 0;
        for (std::int64_t tick = 0; tick <= timeline->lastTick; ++tick) {
            PlayTick(host, *timeline, tick, next, releases);
        }
        host.setTick(timeline->lastTick);
        if (!saveStatesFolder.empty() && !SaveStates(host, saveStatesFolder, outcome, error)) {
            return std::nullopt;
        }
    }
    outcome.sent = host.sent();
    outcome.messages = host.messages();
    return outcome;
}

}  // namespace velmora::host
