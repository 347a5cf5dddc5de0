#include "quotes/DayColumns.h"

#include "quotes/DayRecord.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include <immintrin.h>

namespace verdaxil {

namespace {

// A record's field. On a little-endian host it is a plain 4-byte copy, which the
// compiler can merge with its neighbour's as it vectorises; byte-wise reading becomes
// such a load only after vectorising.
std::int32_t fieldOf(const char* record, int field)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::int32_t value;
        std::memcpy(&value, record + field * 4, sizeof value);
        return value;
    } else {
        return dayRecordField(record, field);
    }
}

struct Columns {
    std::span<std::int32_t> date, high, low, close, amount, volume;
};

// Decodes the records into the columns, day k into row k. Two days at a time, each
// column's two values written one after the other: the compiler moves them as one
// 8-byte value, halving the stores, which bound this loop. It does so only while the
// loop does nothing else, so the field that is not kept is tested for zero apart. The
// columns come as pointers that nothing else reaches; through spans the compiler would
// load their bases again after every store.
[[gnu::always_inline]] inline bool splitRows(const char* __restrict records, std::size_t days, std::int32_t* __restrict date,
                                             std::int32_t* __restrict high, std::int32_t* __restrict low,
                                             std::int32_t* __restrict close, std::int32_t* __restrict amount,
                                             std::int32_t* __restrict volume)
{
    for (std::size_t day = 0; day + 1 < days; day += 2) {
        const char* first = records + day * kDayRecordSize;
        const char* second = first + kDayRecordSize;
        date[day] = fieldOf(first, 0);
        date[day + 1] = fieldOf(second, 0);
        high[day] = fieldOf(first, 2);
        high[day + 1] = fieldOf(second, 2);
        low[day] = fieldOf(first, 3);
        low[day + 1] = fieldOf(second, 3);
        close[day] = fieldOf(first, 4);
        close[day + 1] = fieldOf(second, 4);
        amount[day] = fieldOf(first, 5);
        amount[day + 1] = fieldOf(second, 5);
        volume[day] = fieldOf(first, 6);
        volume[day + 1] = fieldOf(second, 6);
    }
    if (days % 2 == 1) {
        const std::size_t last = days - 1;
        const char* record = records + last * kDayRecordSize;
        date[last] = fieldOf(record, 0);
        high[last] = fieldOf(record, 2);
        low[last] = fieldOf(record, 3);
        close[last] = fieldOf(record, 4);
        amount[last] = fieldOf(record, 5);
        volume[last] = fieldOf(record, 6);
    }
    // A loop that may leave early stays scalar: built into vectors through memory,
    // these scattered fields cost more than one test a day.
    for (std::size_t day = 0; day < days; ++day) {
        if (fieldOf(records + day * kDayRecordSize, 1) == 0)
            return true;
    }
    return false;
}

[[gnu::always_inline]] inline bool split(std::span<const char> records, const Columns& columns)
{
    return splitRows(records.data(), records.size() / kDayRecordSize, columns.date.data(), columns.high.data(),
                     columns.low.data(), columns.close.data(), columns.amount.data(), columns.volume.data());
}

// Whether any kept field of the first `days` rows is 0, in lanes.
[[gnu::always_inline]] inline bool anyZero(const Columns& columns, std::size_t days)
{
    int zero = 0;
    for (std::size_t day = 0; day < days; ++day) {
        const std::int32_t date = columns.date[day];
        const std::int32_t high = columns.high[day];
        const std::int32_t low = columns.low[day];
        const std::int32_t close = columns.close[day];
        const std::int32_t amount = columns.amount[day];
        const std::int32_t volume = columns.volume[day];
        zero |= (date == 0) | (high == 0) | (low == 0) | (close == 0) | (amount == 0) | (volume == 0);
    }
    return zero != 0;
}

// The facts of rows [from, to), added to those of the rows before them.
void addFacts(const Columns& columns, std::size_t from, std::size_t to, DecodedFacts& facts)
{
    for (std::size_t day = from; day < to; ++day) {
        facts.highest = std::max(facts.highest, columns.high[day]);
        facts.lowest = std::min(facts.lowest, columns.low[day]);
        facts.ascending = facts.ascending && (day == 0 || columns.date[day] > columns.date[day - 1]);
        facts.cleaningStopped = facts.cleaningStopped || columns.high[day] < 0;
    }
}

[[gnu::always_inline]] inline bool splitAll(std::span<const char> records, const Columns& columns)
{
    const bool openZero = split(records, columns);
    return openZero || anyZero(columns, records.size() / kDayRecordSize);
}

bool splitBaseline(std::span<const char> records, const Columns& columns, DecodedFacts& facts)
{
    const bool zero = splitAll(records, columns);
    addFacts(columns, 0, records.size() / kDayRecordSize, facts);
    return zero;
}

// Records k and k + 4 of a block of eight, 16 bytes of each from `offset`, side by side.
[[gnu::target("avx2")]] inline __m256i recordPair(const char* record, int offset)
{
    const __m128i early = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record + offset));
    const __m128i late = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record + 4 * kDayRecordSize + offset));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(early), late, 1);
}

// Four fields of eight records, from `offset` on: each vector one field of the eight
// days, in order.
struct FourFields {
    __m256i first, second, third, fourth;
};

[[gnu::target("avx2")]] inline FourFields transposed(const char* block, int offset)
{
    const __m256i r0 = recordPair(block, offset);
    const __m256i r1 = recordPair(block + kDayRecordSize, offset);
    const __m256i r2 = recordPair(block + 2 * kDayRecordSize, offset);
    const __m256i r3 = recordPair(block + 3 * kDayRecordSize, offset);
    const __m256i low01 = _mm256_unpacklo_epi32(r0, r1);
    const __m256i low23 = _mm256_unpacklo_epi32(r2, r3);
    const __m256i high01 = _mm256_unpackhi_epi32(r0, r1);
    const __m256i high23 = _mm256_unpackhi_epi32(r2, r3);
    return {_mm256_unpacklo_epi64(low01, low23), _mm256_unpackhi_epi64(low01, low23), _mm256_unpacklo_epi64(high01, high23),
            _mm256_unpackhi_epi64(high01, high23)};
}

[[gnu::target("avx2")]] inline void storeDays(std::span<std::int32_t> column, std::size_t day, __m256i values)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(column.data() + day), values);
}

[[gnu::target("avx2")]] inline __m256i zeroLanes(__m256i values)
{
    return _mm256_cmpeq_epi32(values, _mm256_setzero_si256());
}

// Each lane's date and the one before it: the day before the block's first comes from
// the block before.
[[gnu::target("avx2")]] inline __m256i previousDates(__m256i dates, __m256i before)
{
    const __m256i shifted = _mm256_permutevar8x32_epi32(dates, _mm256_setr_epi32(7, 0, 1, 2, 3, 4, 5, 6));
    return _mm256_blend_epi32(shifted, _mm256_permutevar8x32_epi32(before, _mm256_set1_epi32(7)), 0x01);
}

[[gnu::target("avx2")]] inline std::int32_t highestLane(__m256i values)
{
    __m128i half = _mm_max_epi32(_mm256_castsi256_si128(values), _mm256_extracti128_si256(values, 1));
    half = _mm_max_epi32(half, _mm_shuffle_epi32(half, 0x4E));
    return _mm_cvtsi128_si32(_mm_max_epi32(half, _mm_shuffle_epi32(half, 0xB1)));
}

[[gnu::target("avx2")]] inline std::int32_t lowestLane(__m256i values)
{
    __m128i half = _mm_min_epi32(_mm256_castsi256_si128(values), _mm256_extracti128_si256(values, 1));
    half = _mm_min_epi32(half, _mm_shuffle_epi32(half, 0x4E));
    return _mm_cvtsi128_si32(_mm_min_epi32(half, _mm_shuffle_epi32(half, 0xB1)));
}

// Eight records at a time are transposed in registers (the compiler does not derive
// this from plain loops), so that each column takes one store of eight days, and all
// seven fields are tested for zero and the facts gathered in the same pass; the days
// past the last whole block go the plain way.
[[gnu::target("avx2")]] bool splitAvx2(std::span<const char> records, const Columns& columns, DecodedFacts& facts)
{
    const std::size_t blocked = records.size() / kDayRecordSize / 8 * 8;
    const __m256i all = _mm256_set1_epi32(-1);
    __m256i zero = _mm256_setzero_si256();
    __m256i highest = _mm256_set1_epi32(facts.highest);
    __m256i lowest = _mm256_set1_epi32(facts.lowest);
    __m256i highs = _mm256_setzero_si256(); // or-ed: the sign of a negative high
    __m256i notLater = _mm256_setzero_si256();
    __m256i before = _mm256_setzero_si256();
    __m256i unlike = _mm256_setr_epi32(-1, 0, 0, 0, 0, 0, 0, 0); // the first day has none before it
    for (std::size_t day = 0; day < blocked; day += 8) {
        const char* block = records.data() + day * kDayRecordSize;
        const FourFields front = transposed(block, 0); // date, the field between date and high, high, low
        const FourFields back = transposed(block, 16); // close, amount, volume, 4 bytes not read
        storeDays(columns.date, day, front.first);
        storeDays(columns.high, day, front.third);
        storeDays(columns.low, day, front.fourth);
        storeDays(columns.close, day, back.first);
        storeDays(columns.amount, day, back.second);
        storeDays(columns.volume, day, back.third);
        zero = _mm256_or_si256(zero,
                               _mm256_or_si256(_mm256_or_si256(zeroLanes(front.first), zeroLanes(front.second)),
                                               _mm256_or_si256(zeroLanes(front.third), zeroLanes(front.fourth))));
        zero = _mm256_or_si256(
            zero, _mm256_or_si256(_mm256_or_si256(zeroLanes(back.first), zeroLanes(back.second)), zeroLanes(back.third)));
        highest = _mm256_max_epi32(highest, front.third);
        lowest = _mm256_min_epi32(lowest, front.fourth);
        highs = _mm256_or_si256(highs, front.third);
        const __m256i later = _mm256_cmpgt_epi32(front.first, previousDates(front.first, before));
        notLater = _mm256_or_si256(notLater, _mm256_andnot_si256(_mm256_or_si256(later, unlike), all));
        before = front.first;
        unlike = _mm256_setzero_si256();
    }
    facts.highest = highestLane(highest);
    facts.lowest = lowestLane(lowest);
    facts.cleaningStopped = _mm256_movemask_ps(_mm256_castsi256_ps(highs)) != 0;
    facts.ascending = _mm256_testz_si256(notLater, notLater);
    const Columns rest{columns.date.subspan(blocked),  columns.high.subspan(blocked),   columns.low.subspan(blocked),
                       columns.close.subspan(blocked), columns.amount.subspan(blocked), columns.volume.subspan(blocked)};
    const bool restZero = splitAll(records.subspan(blocked * kDayRecordSize), rest);
    addFacts(columns, blocked, records.size() / kDayRecordSize, facts);
    return !_mm256_testz_si256(zero, zero) || restZero;
}

// Decodes the records again, removing each defective day as it comes: only files
// that have a zero field anywhere take this way.
std::size_t splitCleaning(std::span<const char> records, const Columns& columns)
{
    std::size_t kept = 0;
    DayCleaning cleaning;
    for (const char* record = records.data(); record != records.data() + records.size(); record += kDayRecordSize) {
        if (cleaning.removes(record))
            continue;
        columns.date[kept] = dayRecordField(record, 0);
        columns.high[kept] = dayRecordField(record, 2);
        columns.low[kept] = dayRecordField(record, 3);
        columns.close[kept] = dayRecordField(record, 4);
        columns.amount[kept] = dayRecordField(record, 5);
        columns.volume[kept] = dayRecordField(record, 6);
        ++kept;
    }
    return kept;
}

} // namespace

void DayColumns::decode(std::span<const char> bytes, InstructionSet set)
{
    const std::size_t whole = bytes.size() / kDayRecordSize;
    const std::size_t records = std::min<std::size_t>(whole, kRows);
    const std::span<const char> recent = bytes.subspan((whole - records) * kDayRecordSize, records * kDayRecordSize);
    const Columns columns{date_, high_, low_, close_, amount_, volume_};
    facts_ = {};
    const bool zero = set == InstructionSet::Avx2 ? splitAvx2(recent, columns, facts_) : splitBaseline(recent, columns, facts_);
    if (zero) {
        count_ = static_cast<int>(splitCleaning(recent, columns));
        facts_ = {};
        addFacts(columns, 0, static_cast<std::size_t>(count_), facts_);
    } else {
        count_ = static_cast<int>(records);
    }
}

} // namespace verdaxil
