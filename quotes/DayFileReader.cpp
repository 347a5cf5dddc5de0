#include "quotes/DayFileReader.h"

#include "quotes/DayRecord.h"
#include "runtime/FileSystem.h"

#include <algorithm>

namespace verdaxil {

namespace {

constexpr int kRecordFields = 7;
constexpr int kRecordsPerRead = 128;

std::int32_t littleEndian32(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16
                                     | std::uint32_t{b[3]} << 24);
}

bool hasZeroField(const DayTable::Row& row)
{
    return std::any_of(row.begin(), row.begin() + kRecordFields, [](std::int32_t value) { return value == 0; });
}

void fillRecordFields(DayTable::Row& row)
{
    std::fill(row.begin(), row.begin() + kRecordFields, DayTable::kFill);
}

} // namespace

void ReadDayTable(const ReadOnlyFile& file, DayTable& table)
{
    for (DayTable::Row& row : table.rows)
        row.fill(DayTable::kFill);

    const std::int64_t records = file.size() / kDayRecordSize;
    // Past the table's room, the most recent days are the ones that matter.
    const std::int64_t first = std::max<std::int64_t>(0, records - DayTable::kRows);
    const int wanted = static_cast<int>(records - first);

    char buffer[kRecordsPerRead * kDayRecordSize];
    int count = 0;
    while (count < wanted) {
        const int batch = std::min(kRecordsPerRead, wanted - count);
        const std::size_t got = file.readAt((first + count) * kDayRecordSize, buffer,
                                            static_cast<std::size_t>(batch) * kDayRecordSize);
        const int whole = static_cast<int>(got / kDayRecordSize);
        for (int k = 0; k < whole; ++k) {
            DayTable::Row& row = table.rows[static_cast<std::size_t>(count + k)];
            for (int field = 0; field < kRecordFields; ++field)
                row[static_cast<std::size_t>(field)] = littleEndian32(buffer + k * kDayRecordSize + field * 4);
        }
        count += whole;
        if (whole < batch)
            break;  // the file shrank while being read: keep the whole records read
    }
    table.count = count;
    CleanDayTable(table);
}

void CleanDayTable(DayTable& table)
{
    // One pass that keeps the good rows in order gives the same table as removing
    // each defective row and moving the later ones up, without the quadratic moves.
    const int oldCount = table.count;
    int kept = 0;
    int row = 0;
    for (; row < oldCount; ++row) {
        const DayTable::Row& current = table.rows[static_cast<std::size_t>(row)];
        if (current[Column::High] < 0)
            break;
        if (hasZeroField(current))
            continue;
        if (kept != row)
            std::copy_n(current.begin(), kRecordFields, table.rows[static_cast<std::size_t>(kept)].begin());
        ++kept;
    }
    for (; row < oldCount; ++row, ++kept) {
        if (kept != row)
            std::copy_n(table.rows[static_cast<std::size_t>(row)].begin(), kRecordFields,
                        table.rows[static_cast<std::size_t>(kept)].begin());
    }
    for (int vacated = kept; vacated < oldCount; ++vacated)
        fillRecordFields(table.rows[static_cast<std::size_t>(vacated)]);
    table.count = kept;
}

} // namespace verdaxil
