#pragma once

#include <cstdint>
#include <span>

namespace verdaxil {

// A security's days with their indicators, oldest first: one span per column, each
// of count() values. AvgPrice is the day's average trade price; Ma10 and Ma60 its
// moving averages, -1 before an average's first whole window. Volume is the day's as
// the file gives it; only the chart reads it.
struct EvaluatedDays {
    std::span<const std::int32_t> date;
    std::span<const std::int32_t> high;
    std::span<const std::int32_t> low;
    std::span<const std::int32_t> close;
    std::span<const std::int32_t> avgPrice;
    std::span<const std::int32_t> ma10;
    std::span<const std::int32_t> ma60;
    std::span<const std::int32_t> volume;

    int count() const { return static_cast<int>(date.size()); }
};

} // namespace verdaxil
