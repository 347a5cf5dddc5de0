#pragma once

#include <cstdint>

namespace verdaxil {

// The two rules on a day's 10-day and 60-day averages against the day before's, as
// functions of the four values, so that loops over whole columns run them in lanes.

// The selection rule: the 10-day average moved from at or below the 60-day one to at
// or above it, the gap growing. The gaps need no 64 bits here: with the first at or
// above 0 and the second at or below, the gap grew unless both are 0.
inline bool crossesUp(std::int32_t ma10, std::int32_t ma60, std::int32_t previousMa10, std::int32_t previousMa60)
{
    return (ma10 >= ma60) & (previousMa10 <= previousMa60) & !((ma10 == ma60) & (previousMa10 == previousMa60));
}

// The buy signal: the 10-day average at or above the 60-day one, and either it was at
// or below it the day before (it crossed) or the gap widened, the gaps exact in 64 bits.
inline bool signalHolds(std::int32_t ma10, std::int32_t ma60, std::int32_t previousMa10, std::int32_t previousMa60)
{
    const std::int64_t gap = std::int64_t{ma10} - ma60;
    const std::int64_t previousGap = std::int64_t{previousMa10} - previousMa60;
    return (gap >= 0) & ((previousGap <= 0) | (gap > previousGap));
}

} // namespace verdaxil
