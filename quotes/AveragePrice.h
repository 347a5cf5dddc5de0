#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace verdaxil {

// The quotient at which the average price leaves 32 bits: from ±214748365 on, its whole
// part times 10 is past the range whatever its fraction.
inline constexpr std::int32_t kLargestWholePrice = 214'748'365;

// A day's average trade price: amount * 1000 / volume * 10 in that order, truncated
// toward zero, 0 for a zero volume, clamped to 32 bits.
//
// amount * 1000 is below 2^53, where the double quotient truncated toward zero is
// exactly the integer quotient. Bounded before it is truncated, it converts to 32 bits
// without leaving them, and the bound itself stands for every larger quotient. A zero
// volume divides by 1 and is masked to 0 afterwards, so that a loop of it has no branch.
[[gnu::always_inline]] inline std::int32_t AveragePrice(std::int32_t amount, std::int32_t volume)
{
    constexpr double bound = kLargestWholePrice;
    const double quotient = static_cast<double>(amount) * 1000.0 / static_cast<double>(volume + (volume == 0));
    const auto whole = static_cast<std::int32_t>(std::min(std::max(quotient, -bound), bound));
    const std::int32_t tenfold = whole >= kLargestWholePrice ? std::numeric_limits<std::int32_t>::max()
        : whole <= -kLargestWholePrice                       ? std::numeric_limits<std::int32_t>::min()
                                                             : whole * 10;
    return tenfold & -static_cast<std::int32_t>(volume != 0);
}

} // namespace verdaxil
