#include "host/player.h"

#include <algorithm>
#include <bit>

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

std::intptr_t StartNote(ReferenceHost& host, const ScoreEvent& note) {
    const std::intptr_t tag = host.newVoiceTag();
    host.addVoice(tag, {note.instance, 0, note.colour, note.release});
    TVoiceParams params{};
    params.InitLevels = {0.0f, note.level, static_cast<float>((note.key - 60) * 100), note.modx, 0.0f};
    params.FinalLevels = params.InitLevels;
    const TVoiceHandle handle = host.instance(note.instance)->TriggerVoice(&params, tag);
    if (handle == 0) {
        host.removeVoice(tag);  // out of voices: the note is dropped
        return 0;
    }
    if (host.hasVoice(tag)) {
        host.voice(tag).handle = handle;
    }
    return tag;
}

void ReleaseNote(ReferenceHost& host, std::intptr_t tag) {
    // Voices the plugin already killed are gone from the host and need no release.
    if (host.hasVoice(tag)) {
        const auto& v = host.voice(tag);
        host.instance(v.instance)->Voice_Release(v.handle);
        host.honourKillRequests();
    }
}

std::optional<ScorePlayer> ScorePlayer::Create(ReferenceHost& host, const Session& session, std::string& error) {
    std::int64_t last = 0;
    for (const ScoreEvent& e : session.events) {
        last = std::max(last, e.kind == EventKind::Note ? e.tick + e.length : e.tick);
    }
    if (last > kMaxScoreTicks) {
        error = "the score runs past tick " + std::to_string(kMaxScoreTicks);
        return std::nullopt;
    }
    std::vector<ScoreEvent> events = session.events;
    std::stable_sort(events.begin(), events.end(), [](const ScoreEvent& a, const ScoreEvent& b) { return a.tick < b.tick; });
    ScorePlayer player(host, std::move(events));
    player.lastTick_ = last + session.ppq;
    player.idleEvery_ = std::max(1, session.ppq / 4);
    return player;
}

void ScorePlayer::playThrough(std::int64_t tick) {
    for (const std::int64_t end = std::min(tick, lastTick_); nextTick_ <= end; ++nextTick_) {
        playTick(nextTick_);
    }
}

void ScorePlayer::releaseHeldNotes() {
    // Voices the plugin already killed are gone from the host and need no release.
    for (const auto& [tick, tag] : releases_) {
        ReleaseNote(*host_, tag);
    }
    releases_.clear();
}

void ScorePlayer::rewind() {
    releaseHeldNotes();
    nextTick_ = 0;
    nextEvent_ = 0;
}

void ScorePlayer::triggerNote(const ScoreEvent& e) {
    const std::intptr_t tag = StartNote(*host_, e);
    if (tag != 0 && host_->hasVoice(tag)) {
        releases_.emplace(e.tick + e.length, tag);
    }
}

void ScorePlayer::applyEvent(const ScoreEvent& e) {
    ReferenceHost& host = *host_;
    TFruityPlug* plug = host.instance(e.instance);
    switch (e.kind) {
        case EventKind::Note: triggerNote(e); break;
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

void ScorePlayer::playTick(std::int64_t tick) {
    ReferenceHost& host = *host_;
    host.setTick(tick);
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        host.instance(static_cast<int>(i))->NewTick();
        host.honourKillRequests();
    }
    const auto [from, to] = releases_.equal_range(tick);
    for (auto it = from; it != to; ++it) {
        ReleaseNote(host, it->second);
    }
    releases_.erase(from, to);
    for (; nextEvent_ < events_.size() && events_[nextEvent_].tick == tick; ++nextEvent_) {
        applyEvent(events_[nextEvent_]);
    }
    if (tick % idleEvery_ == 0) {
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
        std::optional<ScorePlayer> player = ScorePlayer::Create(host, session, error);
        if (!player) {
            return std::nullopt;
        }
        player->playThrough(player->lastTick());
        host.setTick(player->lastTick());
        if (!saveStatesFolder.empty() && !SaveStates(host, saveStatesFolder, outcome, error)) {
            return std::nullopt;
        }
    }
    outcome.sent = host.sent();
    outcome.messages = host.messages();
    return outcome;
}

}  // namespace velmora::host
