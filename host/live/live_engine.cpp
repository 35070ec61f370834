#include "host/live/live_engine.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "host/session.h"
#include "sdk/plug_constants.h"
#include "sdk/voice_params.h"

namespace velmora::host::live {

namespace {

constexpr int kNoteOff = 0x80;
constexpr int kNoteOn = 0x90;
constexpr int kControlChange = 0xB0;
constexpr int kPitchBend = 0xE0;
constexpr int kVolumeCc = 7;
constexpr int kPanCc = 10;
// A note-on of velocity 0 ends a note as a note-off of this velocity would.
constexpr int kDefaultReleaseVelocity = 64;

}  // namespace

int CentsOfBend(int bend) { return static_cast<int>(std::lround((bend - 8192) * 1200.0 / 8192.0)); }

float BankLevel(int bank) { return static_cast<float>((std::clamp(bank, 0, 3) + 0.5) / 2.0 - 1.0); }

LiveEngine::LiveEngine(LiveHost& host, const LiveConfig& config) : host_(host), config_(config) {
    plug_ = host.instance(config.instance);
    for (int v = 0; v < 128; ++v) {
        levels_[v] = LevelForVelocity(v);
    }
    setTempo(config.bpm);
}

void LiveEngine::setTempo(double bpm) {
    if (bpm <= 0.0 || bpm == bpm_) {
        return;
    }
    bpm_ = bpm;
    spt_ = config_.sampleRate * 60.0 / (bpm * config_.ppq);
    const float spt = static_cast<float>(spt_);
    for (std::size_t i = 0; i < host_.instanceCount(); ++i) {
        host_.instance(static_cast<int>(i))
            ->Dispatcher(plug::FPD_SetSamplesPerTick, 0, static_cast<std::intptr_t>(std::bit_cast<std::uint32_t>(spt)));
    }
}

void LiveEngine::tick(std::uint32_t frame) {
    host_.setFrame(frame);
    for (std::size_t i = 0; i < host_.instanceCount(); ++i) {
        host_.instance(static_cast<int>(i))->NewTick();
        host_.honourKills();
    }
}

// Every tick whose frame lies at or before `frame` of this cycle.
void LiveEngine::runTicksThrough(double frame) {
    for (;;) {
        const double at = std::ceil(static_cast<double>(nextTick_) * spt_ - clock_);
        if (at > frame) {
            return;
        }
        tick(static_cast<std::uint32_t>(std::max(0.0, at)));
        ++nextTick_;
    }
}

void LiveEngine::transport(bool playing) {
    // The host's transport is one for all instances.
    for (std::size_t i = 0; i < host_.instanceCount(); ++i) {
        host_.instance(static_cast<int>(i))->Dispatcher(plug::FPD_Transport, 0, playing ? 1 : 0);
        host_.honourKills();
    }
}

void LiveEngine::noteOn(int channel, int key, int velocity) {
    LiveVoice* voice = host_.voices().start(config_.instance, channel, channel * 128 + key);
    if (voice == nullptr) {
        ++counts_.noVoice;
        return;
    }
    ++counts_.notes;
    const std::intptr_t tag = voice->tag;
    TVoiceParams params{};
    const float modx = config_.banks ? BankLevel(bank_[channel]) : 0.0f;
    params.InitLevels = {0.0f, levels_[velocity], static_cast<float>((key - 60) * 100), modx, 0.0f};
    params.FinalLevels = params.InitLevels;
    const TVoiceHandle handle = plug_->TriggerVoice(&params, tag);
    // The plugin may have asked for the voice's end already; it is still ours until honoured.
    if (LiveVoice* v = host_.voices().find(tag)) {
        if (handle == 0) {
            host_.voices().free(*v);
            ++counts_.noVoice;
        } else {
            v->handle = handle;
        }
    }
    host_.honourKills();
}

void LiveEngine::noteOff(int channel, int key, int velocity) {
    LiveVoice* voice = host_.voices().oldestHeld(channel * 128 + key);
    if (voice == nullptr) {
        return;  // its voice was killed (transport stop, out of voices) or never started
    }
    voice->release = ReleaseForVelocity(velocity);
    host_.voices().unhold(*voice);
    plug_->Voice_Release(voice->handle);
    host_.honourKills();
}

void LiveEngine::take(const LiveInput& e) {
    if (e.size < 2) {
        ++counts_.ignored;
        return;
    }
    const int kind = e.bytes[0] & 0xF0;
    const int channel = e.bytes[0] & 0x0F;
    const int d1 = e.bytes[1] & 0x7F;
    const int d2 = e.size > 2 ? e.bytes[2] & 0x7F : 0;
    host_.setFrame(e.frame);
    switch (kind) {
        case kNoteOn:
            if (e.size < 3) {
                ++counts_.ignored;
            } else if (d2 == 0) {
                noteOff(channel, d1, kDefaultReleaseVelocity);
            } else {
                noteOn(channel, d1, d2);
            }
            return;
        case kNoteOff: noteOff(channel, d1, d2); return;
        case kPitchBend: plug_->ProcessEvent(plug::FPE_Pitch, CentsOfBend(d1 | (d2 << 7)), 0); break;
        case kControlChange:
            if (config_.banks && d1 == config_.bankCc) {
                bank_[channel] = std::min(d2, 3);
                return;
            }
            if (d1 == kVolumeCc) {
                plug_->ProcessEvent(plug::FPE_Volume, d2, 0);
            } else if (d1 == kPanCc) {
                plug_->ProcessEvent(plug::FPE_Pan, d2, 0);
            } else {
                plug_->ProcessParam(d1, d2, plug::REC_UpdateValue | plug::REC_UpdateControl);
            }
            break;
        default: ++counts_.ignored; return;  // the plugin has no use for pressure, program changes or the rest
    }
    host_.honourKills();
}

std::size_t LiveEngine::process(std::uint32_t frames, const LiveTransport& t, const LiveInput* in, std::size_t count,
                                LiveMessage* out, std::size_t capacity) {
    ++counts_.cycles;
    host_.beginCycle(out, capacity);
    setTempo(t.bpm);
    const bool started = t.rolling && !rolling_;
    const bool stopped = !t.rolling && rolling_;
    // While the transport rolls its frame is the clock, so ticks fall where
    // the song's ticks are; a start or a jump sets the clock to it.
    if (t.rolling && (started || static_cast<double>(t.frame) != clock_)) {
        clock_ = static_cast<double>(t.frame);
        nextTick_ = static_cast<std::int64_t>(std::ceil(clock_ / spt_));
    }
    rolling_ = t.rolling;
    // A tick at the cycle's first frame comes before the transport change and
    // the notes of that frame, as the song's tick comes before its events.
    runTicksThrough(0.0);
    if (started || stopped) {
        host_.setFrame(0);
        transport(started);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t frame = std::min(in[i].frame, frames - 1);
        runTicksThrough(frame);
        take(in[i]);
    }
    runTicksThrough(static_cast<double>(frames) - 1.0);
    clock_ += frames;
    return host_.endCycle();
}

}  // namespace velmora::host::live
