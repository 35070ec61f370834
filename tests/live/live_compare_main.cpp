// velmora-live-compare: a live host's recorded output against what it should
// have sent. Prints a summary and exits 0 when they agree; prints the first
// difference and exits 1 when not; 2 for a bad command line or file.
//   velmora-live-compare ticks PLAY_EVENTS RECORD --spt X [--cycle N]
//   velmora-live-compare exact WRITTEN RECORD
//   velmora-live-compare notes SENT RECORD
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/live/record_compare.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  velmora-live-compare ticks PLAY_EVENTS RECORD --spt X [--cycle N]\n"
                 "  velmora-live-compare exact WRITTEN RECORD\n"
                 "  velmora-live-compare notes SENT RECORD\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora::live_test;
    if (argc < 4) {
        return Usage();
    }
    const std::string mode = argv[1];
    double spt = 0.0;
    int cycle = 256;
    for (int i = 4; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--spt" && i + 1 < argc) {
            spt = std::atof(argv[++i]);
        } else if (a == "--cycle" && i + 1 < argc) {
            cycle = std::atoi(argv[++i]);
        } else {
            return Usage();
        }
    }
    if ((mode == "ticks" && !(spt > 0.0)) || cycle < 0) {
        return Usage();
    }
    std::string error;
    const auto expected = ReadJsonLines(argv[2], error);
    const auto recorded = expected ? ReadJsonLines(argv[3], error) : std::nullopt;
    if (!expected || !recorded) {
        std::fprintf(stderr, "velmora-live-compare: %s\n", error.c_str());
        return 2;
    }
    Comparison result;
    if (mode == "ticks") {
        result = CompareWithTicks(*expected, *recorded, spt, cycle);
    } else if (mode == "exact") {
        result = CompareExact(*expected, *recorded);
    } else if (mode == "notes") {
        result = CompareNotes(*expected, *recorded);
    } else {
        return Usage();
    }
    std::printf("%s: %s\n", result.same ? "same" : "different", result.text.c_str());
    return result.same ? 0 : 1;
}
