// Opening and loading a sound container whose packed preset subtree holds
// more than 50 MB of preset data (2,000 groups and 52 MB of incompressible
// bytes, so the file is as large as its preset data), against
// a baseline that only reads the file and computes its CRC-32 with the same
// function the loader checks with. Prints the ratios after the benchmark
// table: container load (open and load of the preset data), and the whole
// load with the object tree.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/timing_reporter.h"
#include "importer/container/patch_checksum.h"
#include "importer/container/patch_handles.h"
#include "importer/container/patch_load.h"
#include "importer/container/patch_open.h"
#include "importer/objects/patch_objects.h"
#include "tests/support/nki_writer.h"
#include "tests/support/patch_object_writer.h"

namespace {

namespace pw = velmora::patch_writer;
namespace nw = velmora::nki_writer;
using namespace velmora::container;

constexpr int kGroups = 2000;
constexpr std::size_t kNoiseBytes = 52u << 20;

std::uint32_t readLe32(const pw::Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
void writeLe32(pw::Bytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}
// Where the program's children length lies: after its header, structured
// flag, version and the private and public blocks.
std::size_t childrenLengthOffset(const pw::Bytes& stream) {
    std::size_t at = 6 + 1 + 2;
    at += 4 + readLe32(stream, at);
    at += 4 + readLe32(stream, at);
    return at;
}

struct Fixture {
    std::string path;
    std::size_t presetBytes = 0;
    std::size_t fileBytes = 0;

    Fixture() {
        // 2,000 groups, and 52 MB of samples-like noise kept as a raw object
        // below the program, so the packed subtree stays about as large as
        // the data it unpacks to.
        pw::InstrumentSpec instrument;
        for (int i = 0; i < kGroups; ++i) {
            const std::string name = "Group " + std::to_string(i);
            instrument.groups.push_back(pw::articulationGroup(std::u16string(name.begin(), name.end()), 60 + i, i % 128,
                                                        i % 64, i % 8, i % 2 == 0));
        }
        pw::Bytes noise(kNoiseBytes);
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        for (auto& b : noise) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            b = static_cast<std::uint8_t>(x >> 56);
        }
        const pw::Bytes stream = pw::presetStream(instrument);
        // The program's body ends with its children block: append the raw
        // object to it and grow the lengths that enclose it.
        const pw::Bytes raw = pw::fullObject(53, noise);
        pw::Bytes preset = stream;
        const std::size_t programEnd = 6 + readLe32(preset, 2);
        preset.insert(preset.begin() + static_cast<std::ptrdiff_t>(programEnd), raw.begin(), raw.end());
        writeLe32(preset, 2, readLe32(preset, 2) + static_cast<std::uint32_t>(raw.size()));
        const std::size_t childrenLengthAt = childrenLengthOffset(stream);
        writeLe32(preset, childrenLengthAt, readLe32(preset, childrenLengthAt) + static_cast<std::uint32_t>(raw.size()));
        nw::ContainerPatch container;
        container.preset = std::move(preset);
        container.layout = nw::PresetLayout::PackedSubtree;
        presetBytes = container.preset.size();
        const nw::Bytes file = nw::containerFile(container);
        fileBytes = file.size();
        path = (std::filesystem::temp_directory_path() / "velmora-bench-nki-load.nki").string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                    static_cast<std::streamsize>(file.size()));
    }
    ~Fixture() { std::filesystem::remove(path); }
};

const Fixture& TheFixture() {
    static const Fixture f;
    return f;
}

void ReadAndCrc(benchmark::State& state) {
    const Fixture& f = TheFixture();
    for (auto _ : state) {
        std::ifstream in(f.path, std::ios::binary);
        std::vector<char> bytes(f.fileBytes);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        const std::uint32_t crc = crc32Of(
            {reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::size_t>(in.gcount())});
        benchmark::DoNotOptimize(crc);
    }
}

void OpenAndLoad(benchmark::State& state) {
    const Fixture& f = TheFixture();
    for (auto _ : state) {
        PatchHandle* h = openPatch(f.path);
        if (h == nullptr || loadPatch(h) != PatchResult::Ok) {
            state.SkipWithError("the synthetic container did not load");
            break;
        }
        benchmark::DoNotOptimize(h->presetStream.data());
        closePatch(h);
    }
}

void OpenLoadAndReadObjects(benchmark::State& state) {
    const Fixture& f = TheFixture();
    for (auto _ : state) {
        PatchHandle* h = openPatch(f.path);
        const auto loaded = velmora::objects::loadPatchObjects(h);
        if (loaded.code != PatchResult::Ok || loaded.tree->root.children.empty()) {
            closePatch(h);
            state.SkipWithError("the synthetic container's objects did not load");
            break;
        }
        benchmark::DoNotOptimize(loaded.tree->root.children.size());
        closePatch(h);
    }
}

BENCHMARK(ReadAndCrc)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenAndLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenLoadAndReadObjects)->Unit(benchmark::kMillisecond)->UseRealTime();

void PrintRatios(const velmora::bench::TimingReporter& times) {
    const Fixture& f = TheFixture();
    std::printf("\nnki_load: file %.1f MB, preset data %.1f MB (packed subtree)\n", static_cast<double>(f.fileBytes) / 1e6,
                static_cast<double>(f.presetBytes) / 1e6);
    const double base = times.time("ReadAndCrc");
    if (base <= 0.0) {
        return;
    }
    struct Ratio {
        const char* name;
        const char* target;
    };
    for (const Ratio& r : {Ratio{"OpenAndLoad", "1.5x"}, Ratio{"OpenLoadAndReadObjects", "1.8x"}}) {
        const double t = times.time(r.name);
        if (t > 0.0) {
            std::printf("  %-24s / read and CRC-32 = %5.2fx  (%.1f ms vs %.1f ms; target within %s)\n", r.name,
                        t / base, t, base, r.target);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    TheFixture();
    return velmora::bench::RunAndPrintRatios(argc, argv, PrintRatios);
}
