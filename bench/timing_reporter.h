#pragma once
// Prints the benchmark table as the console reporter does and keeps each
// run's time, so a program can print its ratios after the table.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace velmora::bench {

class TimingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration && !r.error_occurred) {
                times_[r.benchmark_name()] = r.GetAdjustedRealTime();
                times_[r.run_name.function_name] = r.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // A run's time in the benchmark's unit, by its full name or its function's
    // name; 0 when it did not run.
    double time(const std::string& name) const {
        const auto it = times_.find(name);
        return it == times_.end() ? 0.0 : it->second;
    }

private:
    std::map<std::string, double> times_;
};

// Runs the benchmarks, then prints what `ratios` makes of their times.
inline int RunAndPrintRatios(int argc, char** argv, const std::function<void(const TimingReporter&)>& ratios) {
    benchmark::Initialize(&argc, argv);
    TimingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    ratios(reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace velmora::bench
