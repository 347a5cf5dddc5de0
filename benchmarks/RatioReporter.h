#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace verdaxil {

// The console report, then each benchmark's median time as a multiple of its floor's:
// the ratio is the figure the benchmark is for, and is only fair from one run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // `floorOf` names the floor of a benchmark, or gives an empty name for a floor.
    explicit RatioReporter(std::function<std::string(const std::string&)> floorOf) : floorOf_(std::move(floorOf)) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        // Only the aggregates come when only they are reported.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration)
                times_[run.run_name.str()].push_back(run.GetAdjustedRealTime());
            else if (run.aggregate_name == "median")
                medians_[run.run_name.str()] = run.GetAdjustedRealTime();
            else
                continue;
            order_.push_back(run.run_name.str());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-48s %12s %10s\n", "median of the repetitions", "time", "ratio");
        order_.erase(std::unique(order_.begin(), order_.end()), order_.end());
        for (const std::string& name : order_) {
            const std::string floor = floorOf_(name);
            if (floor.empty() || (times_.count(floor) == 0 && medians_.count(floor) == 0))
                std::printf("%-48s %12.3f %10s\n", name.c_str(), median(name), "floor");
            else
                std::printf("%-48s %12.3f %9.2fx\n", name.c_str(), median(name), median(name) / median(floor));
        }
    }

private:
    double median(const std::string& name)
    {
        if (medians_.count(name) > 0)
            return medians_.at(name);
        std::vector<double>& times = times_.at(name);
        std::sort(times.begin(), times.end());
        const std::size_t middle = times.size() / 2;
        return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    }

    std::function<std::string(const std::string&)> floorOf_;
    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, double> medians_;
    std::vector<std::string> order_;
};

} // namespace verdaxil
