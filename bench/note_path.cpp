// A note cycle (TriggerVoice, Voice_Release, Voice_Kill) with and without an
// articulation switch, at 0, 1,000 and 20,000 live voices, against a baseline
// that adds the work of the plain voice table: 20480 pointers scanned from the
// first slot to allocate, to find and to free, and one heap record per voice.
// The baseline keeps the plugin's own table work too, so its ratio understates
// the gain a little. Prints the ratios after the benchmark table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/timing_reporter.h"
#include "plugin/plugin.h"

namespace {

// Answers the plugin and records nothing.
class NullHost final : public TFruityPlugHost {
public:
    NullHost() { HostVersion = 21000000; }
    virtual ~NullHost() = default;
    std::intptr_t Dispatcher(TPluginTag, std::intptr_t, std::intptr_t, std::intptr_t) override { return 0; }
    void OnParamChanged(TPluginTag, int, int) override {}
    void OnHint(TPluginTag, char*) override {}
    void Voice_Kill(std::intptr_t, BOOL) override {}
    int Voice_ProcessEvent(std::intptr_t tag, int event, int, int) override {
        return event == plug::FPV_GetColor ? static_cast<int>(tag & 1) : 0;
    }
    void MIDIOut(TPluginTag, std::intptr_t msg) override { benchmark::DoNotOptimize(msg); }
    BOOL PromptEdit(int, int, char*, char*, int&) override { return 0; }
};

// The voice table as first described: linear scans and a heap record each.
struct NaiveVoice {
    std::uint32_t msg;
    std::intptr_t voiceTag;
    std::int32_t delay;
    std::uint8_t released;
};
class NaiveVoiceTable {
public:
    NaiveVoiceTable() { slots_ = std::make_unique<NaiveVoice*[]>(velmora::kVoiceSlots); }
    ~NaiveVoiceTable() {
        for (int i = 0; i < velmora::kVoiceSlots; ++i) {
            delete slots_[i];
        }
    }
    NaiveVoice* alloc(std::intptr_t tag) {
        for (int i = 0; i < velmora::kVoiceSlots; ++i) {
            if (slots_[i] == nullptr) {
                slots_[i] = new NaiveVoice{0, tag, 0, 0};
                return slots_[i];
            }
        }
        return nullptr;
    }
    NaiveVoice* find(const NaiveVoice* h) const {
        for (int i = 0; i < velmora::kVoiceSlots; ++i) {
            if (slots_[i] == h) {
                return slots_[i];
            }
        }
        return nullptr;
    }
    void free(const NaiveVoice* h) {
        for (int i = 0; i < velmora::kVoiceSlots; ++i) {
            if (slots_[i] == h && h != nullptr) {
                delete slots_[i];
                slots_[i] = nullptr;
            }
        }
    }

private:
    std::unique_ptr<NaiveVoice*[]> slots_;
};

struct Setup {
    NullHost host;
    ZOLTVSTExprPlug* plug;
    Setup(int live) : plug(new ZOLTVSTExprPlug(1, &host, nullptr)) {
        plug->articulations.note[0] = 24;
        plug->articulations.note[1] = 25;
        TVoiceParams held{};
        held.InitLevels.Vol = 1.0f;
        for (int i = 0; i < live; ++i) {
            plug->TriggerVoice(&held, 0);  // tag 0: colour 0
        }
    }
    ~Setup() { plug->DestroyObject(); }
};

void NoteCycle(benchmark::State& state, bool baseline) {
    const int live = static_cast<int>(state.range(0));
    const bool switching = state.range(1) != 0;
    Setup s(live);
    std::unique_ptr<NaiveVoiceTable> naive;
    if (baseline) {
        naive = std::make_unique<NaiveVoiceTable>();
        for (int i = 0; i < live; ++i) {
            naive->alloc(0);
        }
    }
    TVoiceParams p{};
    p.InitLevels.Vol = 0.8f;
    std::intptr_t tag = 0;
    for (auto _ : state) {
        // Odd tags have colour 1: alternating tags switch every note.
        tag = switching ? tag + 1 : tag + 2;
        const TVoiceHandle h = s.plug->TriggerVoice(&p, tag);
        NaiveVoice* nv = baseline ? naive->alloc(tag) : nullptr;
        s.plug->Voice_Release(h);
        if (baseline) {
            benchmark::DoNotOptimize(naive->find(nv));
        }
        s.plug->Voice_Kill(h);
        if (baseline) {
            benchmark::DoNotOptimize(naive->find(nv));
            naive->free(nv);
        }
    }
}

void BM_NoteCycle(benchmark::State& state) { NoteCycle(state, false); }
void BM_NoteCycleNaiveBaseline(benchmark::State& state) { NoteCycle(state, true); }

void Args(benchmark::internal::Benchmark* b) {
    for (int live : {0, 1000, 20000}) {
        for (int sw : {0, 1}) {
            b->Args({live, sw});
        }
    }
}
BENCHMARK(BM_NoteCycle)->Apply(Args);
BENCHMARK(BM_NoteCycleNaiveBaseline)->Apply(Args);

// Collects the per-iteration times so the ratios can be printed at the end.
void PrintRatios(const velmora::bench::TimingReporter& times) {
    auto t = [&](const std::string& name, int live, int sw) {
        return times.time(name + "/" + std::to_string(live) + "/" + std::to_string(sw));
    };
    std::printf("\nnote_path ratios (per note cycle)\n");
    for (int sw : {0, 1}) {
        const char* what = sw != 0 ? "with switch" : "no switch  ";
        for (int live : {0, 1000, 20000}) {
            const double ours = t("BM_NoteCycle", live, sw);
            const double naive = t("BM_NoteCycleNaiveBaseline", live, sw);
            if (ours > 0.0 && naive > 0.0) {
                std::printf("  %s live %5d: baseline / ours = %7.1fx  (%.1f ns vs %.1f ns)\n", what, live,
                            naive / ours, naive, ours);
            }
        }
        const double at0 = t("BM_NoteCycle", 0, sw);
        const double at20k = t("BM_NoteCycle", 20000, sw);
        if (at0 > 0.0) {
            std::printf("  %s cost at 20000 live / cost at 0 live = %.2fx\n", what, at20k / at0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) { return velmora::bench::RunAndPrintRatios(argc, argv, PrintRatios); }
