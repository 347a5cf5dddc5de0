#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace verdaxil {

// The analysis computes in 64 bits, where a day's turnover times 1000 and every sum
// of the averages fit, so nothing wraps. Stored values go back into 32-bit cells.
inline std::int32_t clampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace verdaxil
