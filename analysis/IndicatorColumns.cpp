#include "analysis/IndicatorColumns.h"

#include "analysis/Indicators.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include <immintrin.h>

namespace verdaxil {

namespace {

// Each sum needs the one before: as a plain loop, one add a day in a chain.
[[gnu::always_inline]] inline void runningSums(std::span<const std::int32_t> values, std::span<std::int64_t> sums,
                                               std::int64_t sum = 0, std::size_t from = 0)
{
    for (std::size_t day = from; day < values.size(); ++day) {
        sum += values[day];
        sums[day + 1] = sum;
    }
}

// The running sums of four days within a vector of 64-bit lanes: each lane adds the
// one before it, then the two before those.
[[gnu::target("avx2")]] inline __m256i sumsWithin(__m256i days)
{
    const __m256i lowHalfUp = _mm256_permute2x128_si256(days, days, 0x08);
    days = _mm256_add_epi64(days, _mm256_alignr_epi8(days, lowHalfUp, 8));
    return _mm256_add_epi64(days, _mm256_permute2x128_si256(days, days, 0x08));
}

// Eight days at a time: their sums within the block do not wait for the days before,
// so the chain from block to block is one vector add.
[[gnu::target("avx2")]] void runningSumsAvx2(std::span<const std::int32_t> values, std::span<std::int64_t> sums)
{
    constexpr int kLastLane = 0xFF;
    const std::size_t blocked = values.size() / 8 * 8;
    __m256i carried = _mm256_setzero_si256();
    for (std::size_t day = 0; day < blocked; day += 8) {
        const auto* block = reinterpret_cast<const __m128i*>(values.data() + day);
        const __m256i early = sumsWithin(_mm256_cvtepi32_epi64(_mm_loadu_si128(block)));
        __m256i late = sumsWithin(_mm256_cvtepi32_epi64(_mm_loadu_si128(block + 1)));
        late = _mm256_add_epi64(late, _mm256_permute4x64_epi64(early, kLastLane));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums.data() + day + 1), _mm256_add_epi64(early, carried));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums.data() + day + 5), _mm256_add_epi64(late, carried));
        carried = _mm256_add_epi64(carried, _mm256_permute4x64_epi64(late, kLastLane));
    }
    runningSums(values, sums, sums[blocked], blocked);
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
    std::span<const std::int32_t> avgPrice;
    std::span<std::int64_t> sums;
    std::span<std::int32_t> ma10;
    std::span<std::int32_t> ma60;
};

[[gnu::always_inline]] inline void movingAverages(const Spans& s)
{
    movingAverage(s.sums, kShortAverageDays, s.ma10);
    movingAverage(s.sums, kLongAverageDays, s.ma60);
}

void computeBaseline(const Spans& spans)
{
    runningSums(spans.avgPrice, spans.sums);
    movingAverages(spans);
}

[[gnu::target("avx2")]] void computeAvx2(const Spans& spans)
{
    runningSumsAvx2(spans.avgPrice, spans.sums);
    movingAverages(spans);
}

} // namespace

void IndicatorColumns::compute(std::span<const std::int32_t> avgPrice, InstructionSet set)
{
    count_ = static_cast<int>(avgPrice.size());
    const std::size_t days = avgPrice.size();
    sums_[0] = 0;
    const Spans spans{avgPrice, std::span(sums_).first(days + 1), std::span(ma10_).first(days), std::span(ma60_).first(days)};
    if (set == InstructionSet::Avx2)
        computeAvx2(spans);
    else
        computeBaseline(spans);
}

} // namespace verdaxil
