#include "quotes/DayColumns.h"

#include "quotes/DayRecord.h"

#include <algorithm>

namespace verdaxil {

namespace {

struct Columns {
    std::span<std::int32_t> date, high, low, close, amount, volume;
};

// Decodes days `day` and `next` into their rows, and says whether the field that is
// not kept is 0 in either.
[[gnu::always_inline]] inline bool splitPair(const char* records, const Columns& columns, std::size_t day, std::size_t next)
{
    const char* first = records + day * kDayRecordSize;
    const char* second = records + next * kDayRecordSize;
    columns.date[day] = dayRecordField(first, 0);
    columns.date[next] = dayRecordField(second, 0);
    columns.high[day] = dayRecordField(first, 2);
    columns.high[next] = dayRecordField(second, 2);
    columns.low[day] = dayRecordField(first, 3);
    columns.low[next] = dayRecordField(second, 3);
    columns.close[day] = dayRecordField(first, 4);
    columns.close[next] = dayRecordField(second, 4);
    columns.amount[day] = dayRecordField(first, 5);
    columns.amount[next] = dayRecordField(second, 5);
    columns.volume[day] = dayRecordField(first, 6);
    columns.volume[next] = dayRecordField(second, 6);
    return (dayRecordField(first, 1) == 0) | (dayRecordField(second, 1) == 0);
}

// Decodes the records into the columns, day k into row k, and says whether the field
// that is not kept is 0 in any. Two days at a time, each column's two values written
// side by side: the compiler moves them as one 8-byte value, halving the stores, which
// bound this loop.
[[gnu::always_inline]] inline bool split(std::span<const char> records, const Columns& columns)
{
    const std::size_t days = records.size() / kDayRecordSize;
    bool zero = false;
    for (std::size_t day = 0; day + 1 < days; day += 2)
        zero |= splitPair(records.data(), columns, day, day + 1);
    // An odd last day is decoded as a pair with itself.
    if (days % 2 == 1)
        zero |= splitPair(records.data(), columns, days - 1, days - 1);
    return zero;
}

// Whether any kept field of the first `days` rows is 0, in lanes.
[[gnu::always_inline]] inline bool anyZero(const Columns& columns, std::size_t days)
{
    int zero = 0;
    for (std::size_t day = 0; day < days; ++day)
        zero |= (columns.date[day] == 0) | (columns.high[day] == 0) | (columns.low[day] == 0) | (columns.close[day] == 0)
            | (columns.amount[day] == 0) | (columns.volume[day] == 0);
    return zero != 0;
}

[[gnu::always_inline]] inline bool splitAll(std::span<const char> records, const Columns& columns)
{
    const bool openZero = split(records, columns);
    return openZero || anyZero(columns, records.size() / kDayRecordSize);
}

bool splitBaseline(std::span<const char> records, const Columns& columns)
{
    return splitAll(records, columns);
}

[[gnu::target("avx2")]] bool splitAvx2(std::span<const char> records, const Columns& columns)
{
    return splitAll(records, columns);
}

// Decodes the records again, removing each defective day as it comes: only files
// that have a zero field anywhere take this way.
std::size_t splitCleaning(std::span<const char> records, const Columns& columns)
{
    std::size_t kept = 0;
    bool cleaning = true;
    for (const char* record = records.data(); record != records.data() + records.size(); record += kDayRecordSize) {
        bool zero = false;
        for (int field = 0; field < kDayRecordFields; ++field)
            zero |= dayRecordField(record, field) == 0;
        cleaning = cleaning && dayRecordField(record, 2) >= 0;
        if (cleaning && zero)
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
    const bool zero = set == InstructionSet::Avx2 ? splitAvx2(recent, columns) : splitBaseline(recent, columns);
    count_ = static_cast<int>(zero ? splitCleaning(recent, columns) : records);
}

} // namespace verdaxil
