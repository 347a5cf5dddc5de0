#include "analysis/IndicatorColumns.h"

#include "analysis/Indicators.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace verdaxil {

namespace {

// The quotient at which the average price leaves 32 bits: from ±214748365 on, its whole
// part times 10 is past the range whatever its fraction.
constexpr std::int32_t kLargestWhole = 214'748'365;

// amount * 1000 is below 2^53, where the double quotient truncated toward zero is
// exactly the integer quotient. Bounded before it is truncated, it converts to 32 bits
// without leaving them, and the bound itself stands for every larger quotient. A zero
// volume divides by 1 and is masked to 0 afterwards: every lane divides.
[[gnu::always_inline]] inline void averagePrices(std::span<const std::int32_t> amount, std::span<const std::int32_t> volume,
                                                 std::span<std::int32_t> prices)
{
    constexpr double bound = kLargestWhole;
    for (std::size_t day = 0; day < prices.size(); ++day) {
        const std::int32_t shares = volume[day];
        const double quotient = static_cast<double>(amount[day]) * 1000.0 / static_cast<double>(shares + (shares == 0));
        const auto whole = static_cast<std::int32_t>(std::min(std::max(quotient, -bound), bound));
        const std::int32_t tenfold = whole >= kLargestWhole ? std::numeric_limits<std::int32_t>::max()
            : whole <= -kLargestWhole                       ? std::numeric_limits<std::int32_t>::min()
                                                            : whole * 10;
        prices[day] = tenfold & -static_cast<std::int32_t>(shares != 0);
    }
}

// The one loop that cannot run in lanes: each sum needs the one before.
[[gnu::always_inline]] inline void runningSums(std::span<const std::int32_t> values, std::span<std::int64_t> sums)
{
    std::int64_t sum = 0;
    sums[0] = 0;
    for (std::size_t day = 0; day < values.size(); ++day) {
        sum += values[day];
        sums[day + 1] = sum;
    }
}

// The mean of each whole window of `length` days, truncated toward zero, from the
// running sums and without a division. A window's sum is below 2^38 in magnitude, so
// it and its offset by a half toward its sign are exact doubles; the offset puts the
// exact quotient at least 0.5 / length from any whole number, far more than its
// product with the rounded reciprocal can be off, so that product truncates to the
// integer quotient. Sums reach doubles through the bits of 1.5 * 2^52, to which an
// integer below 2^51 adds exactly: there is no vector conversion from 64-bit integers.
[[gnu::always_inline]] inline void movingAverage(std::span<const std::int64_t> sums, std::size_t length,
                                                 std::span<std::int32_t> means)
{
    constexpr double magic = 0x1.8p52;
    const double reciprocal = 1.0 / static_cast<double>(length);
    std::fill_n(means.begin(), std::min(means.size(), length - 1), DayTable::kFill);
    for (std::size_t day = length - 1; day < means.size(); ++day) {
        const std::int64_t sum = sums[day + 1] - sums[day + 1 - length];
        const double exact = std::bit_cast<double>(std::bit_cast<std::int64_t>(magic) + sum) - magic;
        means[day] = static_cast<std::int32_t>((exact + std::copysign(0.5, exact)) * reciprocal);
    }
}

struct Spans {
    std::span<const std::int32_t> amount;
    std::span<const std::int32_t> volume;
    std::span<std::int32_t> avgPrice;
    std::span<std::int64_t> sums;
    std::span<std::int32_t> ma10;
    std::span<std::int32_t> ma60;
};

[[gnu::always_inline]] inline void computeIndicators(const Spans& s)
{
    averagePrices(s.amount, s.volume, s.avgPrice);
    runningSums(s.avgPrice, s.sums);
    movingAverage(s.sums, kShortAverageDays, s.ma10);
    movingAverage(s.sums, kLongAverageDays, s.ma60);
}

void computeBaseline(const Spans& spans)
{
    computeIndicators(spans);
}

[[gnu::target("avx2")]] void computeAvx2(const Spans& spans)
{
    computeIndicators(spans);
}

} // namespace

std::int32_t AveragePrice(std::int32_t amount, std::int32_t volume)
{
    std::int32_t price = 0;
    averagePrices({&amount, 1}, {&volume, 1}, {&price, 1});
    return price;
}

void IndicatorColumns::compute(std::span<const std::int32_t> amount, std::span<const std::int32_t> volume, InstructionSet set)
{
    count_ = static_cast<int>(amount.size());
    const std::size_t days = amount.size();
    const Spans spans{amount,
                      volume,
                      std::span(avgPrice_).first(days),
                      std::span(sums_).first(days + 1),
                      std::span(ma10_).first(days),
                      std::span(ma60_).first(days)};
    if (set == InstructionSet::Avx2)
        computeAvx2(spans);
    else
        computeBaseline(spans);
}

} // namespace verdaxil
