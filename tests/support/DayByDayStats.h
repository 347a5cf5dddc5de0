#pragma once

#include "analysis/SelectionStats.h"
#include "quotes/DayTable.h"

#include <cstdint>

namespace verdaxil::testing {

// The back-test day by day, as plainly as it can be said: every window day of every
// point, in scan order. ComputeSelectionStats must agree with it on any table.
inline SelectionStats dayByDay(const DayTable& table, int count, std::int64_t horizon, std::int64_t fee)
{
    SelectionStats stats;
    for (int i = 60; i < count; ++i) {
        const auto& day = table.rows[static_cast<std::size_t>(i)];
        const auto& previous = table.rows[static_cast<std::size_t>(i - 1)];
        const std::int64_t gap = std::int64_t{day[Column::Ma10]} - day[Column::Ma60];
        const std::int64_t previousGap = std::int64_t{previous[Column::Ma10]} - previous[Column::Ma60];
        if (!(gap >= 0 && previousGap <= 0 && gap > previousGap))
            continue;
        ++stats.PointCount;
        const std::int64_t buy = (std::int64_t{day[Column::AvgPrice]} + day[Column::Low]) / 2;
        if (day[Column::AvgPrice] <= 2 || buy <= 0)
            continue;
        bool flags[5] = {};
        std::int64_t* counters[5] = {&stats.ProfitHits, &stats.Hits5, &stats.Hits10, &stats.Hits50, &stats.Hits100};
        const std::int64_t thresholds[5] = {INT64_MIN, 5, 10, 50, 100};
        for (std::int64_t k = 0; k < horizon && i + k < count; ++k) {
            const auto& exitDay = table.rows[static_cast<std::size_t>(i + k)];
            const std::int64_t gain = (std::int64_t{exitDay[Column::High]} + exitDay[Column::AvgPrice]) / 2 - buy - fee;
            if (gain <= 0)
                continue;
            const std::int64_t percent = gain * 100 / buy;
            if (gain > stats.MaxGain) {
                stats.MaxGain = gain;
                stats.MaxGainPercent = percent;
            }
            for (int f = 0; f < 5; ++f) {
                if (percent >= thresholds[f] && !flags[f]) {
                    flags[f] = true;
                    ++*counters[f];
                }
            }
        }
    }
    return stats;
}

} // namespace verdaxil::testing
