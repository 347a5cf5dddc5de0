#pragma once

#include "quotes/DayTable.h"
#include "quotes/InstructionSet.h"

#include <array>
#include <cstdint>
#include <span>

namespace verdaxil {

// The moving averages of a security's average trade prices, in arrays of their own
// beside the day columns.
class IndicatorColumns {
public:
    // From the days' average prices, oldest first: a moving average needs its whole
    // window, so Ma10 starts at day 9 and Ma60 at day 59, earlier days holding -1. The
    // loops run on `set`.
    void compute(std::span<const std::int32_t> avgPrice, InstructionSet set);

    std::span<const std::int32_t> ma10() const { return valid(ma10_); }
    std::span<const std::int32_t> ma60() const { return valid(ma60_); }

private:
    using Values = std::array<std::int32_t, DayTable::kRows>;

    std::span<const std::int32_t> valid(const Values& values) const
    {
        return std::span(values).first(static_cast<std::size_t>(count_));
    }

    Values ma10_;
    Values ma60_;
    std::array<std::int64_t, DayTable::kRows + 1> sums_; // sums_[d] adds the first d average prices
    int count_ = 0;
};

} // namespace verdaxil
