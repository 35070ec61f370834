// A full paint of each panel at scale 1 and at scale 4: everything is drawn
// once at editor units and stretched once, so scale 4 should cost at most
// twice scale 1. Prints the ratio and the time per paint after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/timing_reporter.h"
#include "core/instance.h"
#include "editor/paint.h"
#include "editor/skin.h"
#include "tests/support/instance_fixture.h"

namespace {

using velmora::test::RecordingHost;

const char* const kPanels[] = {"articulation", "controller", "general", "icon picker"};

void BM_Paint(benchmark::State& state) {
    const int panel = static_cast<int>(state.range(0));
    const int scale = static_cast<int>(state.range(1));
    RecordingHost host;
    auto plug = velmora::test::MakeInstance(host);
    std::string debug;
    if (!velmora::editor::ProcessSkin().loaded()) {
        velmora::editor::LoadSkin(velmora::editor::ProcessSkin(), "", debug);
    }
    if (!velmora::editor::ProcessSkin().loaded()) {
        state.SkipWithError("no skin compiled in");
        return;
    }
    for (int a = 0; a < 16; ++a) {
        plug->articulations.name[a] = "Articulation with a long name " + std::to_string(a);
        plug->articulations.icon[a] = a * 7;
    }
    plug->tab = panel;
    plug->visible = 1;
    plug->scaleFactor = static_cast<float>(scale);
    plug->editorWindow->setSize(240 * scale, 237 * scale);
    for (auto _ : state) {
        velmora::editor::PaintEditorWindow(*plug);
    }
    state.SetLabel(kPanels[panel]);
}
BENCHMARK(BM_Paint)->ArgsProduct({{0, 1, 2, 3}, {1, 4}})->Unit(benchmark::kMicrosecond);

void PrintRatios(const velmora::bench::TimingReporter& times) {
    std::printf("\neditor_paint: scale 4 / scale 1 per full paint (goal: at most 2x)\n");
    for (int panel = 0; panel < 4; ++panel) {
        const double one = times.time("BM_Paint/" + std::to_string(panel) + "/1");
        const double four = times.time("BM_Paint/" + std::to_string(panel) + "/4");
        if (one > 0.0 && four > 0.0) {
            std::printf("  %-12s %5.2fx  (%.0f us at scale 1, %.0f us at scale 4)\n", kPanels[panel], four / one, one, four);
        }
    }
}

}  // namespace

int main(int argc, char** argv) { return velmora::bench::RunAndPrintRatios(argc, argv, PrintRatios); }
