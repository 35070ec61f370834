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

        // Releases due at each tick, in the order their notes appear in the score.
        std::multimap<std::int64_t, std::intptr_t> releases;
        std::int64_t lastTick = 0;
        for (const ScoreEvent& e : session.events) {
            lastTick = std::max(lastTick, e.kind == EventKind::Note ? e.tick + e.length : e.tick);
        }
        if (lastTick > kMaxScoreTicks) {
            error = "the score runs past tick " + std::to_string(kMaxScoreTicks);
            return std::nullopt;
        }
        lastTick += session.ppq;
        const std::int64_t idleEvery = std::max(1, session.ppq / 4);

        std::vector<const ScoreEvent*> ordered;
        for (const ScoreEvent& e : session.events) {
            ordered.push_back(&e);
        }
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const ScoreEvent* a, const ScoreEvent* b) { return a->tick < b->tick; });
        std::size_t next = 0;

        for (std::int64_t tick = 0; tick <= lastTick; ++tick) {
            host.setTick(tick);
            for (std::size_t i = 0; i < host.instanceCount(); ++i) {
                host.instance(static_cast<int>(i))->NewTick();
                host.honourKillRequests();
            }
            const auto [from, to] = releases.equal_range(tick);
            for (auto it = from; it != to; ++it) {
                if (host.hasVoice(it->second)) {
                    const auto& v = host.voice(it->second);
                    host.instance(v.instance)->Voice_Release(v.handle);
                    host.honourKillRequests();
                }
            }
            releases.erase(from, to);
            for (; next < ordered.size() && ordered[next]->tick == tick; ++next) {
                const ScoreEvent& e = *ordered[next];
                TFruityPlug* plug = host.instance(e.instance);
                switch (e.kind) {
                    case EventKind::Note: {
                        const std::intptr_t tag = host.newVoiceTag();
                        host.addVoice(tag, {e.instance, 0, e.colour, e.release});
                        TVoiceParams params{};
                        params.InitLevels = {0.0f, e.level, static_cast<float>((e.key - 60) * 100), e.modx, 0.0f};
                        params.FinalLevels = params.InitLevels;
                        const TVoiceHandle handle = plug->TriggerVoice(&params, tag);
                        if (handle == 0) {
                            host.removeVoice(tag);  // out of voices: the note is dropped
                            break;
                        }
                        if (host.hasVoice(tag)) {
                            host.voice(tag).handle = handle;
                            releases.emplace(e.tick + e.length, tag);
                        }
                        break;
                    }
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
            if (tick % idleEvery == 0) {
                for (std::size_t i = 0; i < host.instanceCount(); ++i) {
                    host.instance(static_cast<int>(i))->Idle_Public();
                }
            }
        }
        host.setTick(lastTick);
        if (!saveStatesFolder.empty()) {
            for (std::size_t i = 0; i < host.instanceCount(); ++i) {
                const std::string file = saveStatesFolder + "/instance-" + std::to_string(i + 1) + ".state";
                platform::FileStream out(file, platform::FileStream::Mode::Write);
                if (!out.isOpen()) {
                    error = "cannot write " + file;
                    return std::nullopt;
                }
                host.instance(static_cast<int>(i))->SaveRestoreState(&out, 1);
                outcome.savedStates.push_back(file);
            }
        }
    }
    outcome.sent = host.sent();
    outcome.messages = host.messages();
    return outcome;
}

}  // namespace velmora::host
