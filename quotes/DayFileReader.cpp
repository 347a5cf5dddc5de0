#include "quotes/DayFileReader.h"

#include "quotes/DayRecord.h"
#include "runtime/FileSystem.h"

#include <algorithm>
#include <bit>

namespace verdaxil {

namespace {

// A table row has the size of a record, and its first seven cells are the record's
// fields: the file is read straight into the rows and decoded where it lies.
static_assert(sizeof(DayTable::Row) == kDayRecordSize);

char* tableBytes(DayTable& table)
{
    return reinterpret_cast<char*>(table.rows.data());
}

bool hasZeroField(const DayTable::Row& row)
{
    bool zero = false;
    for (int field = 0; field < kDayRecordFields; ++field)
        zero |= row[static_cast<std::size_t>(field)] == 0;
    return zero;
}

// Rows 0 to records-1 hold the raw records. Removes every row with a zero field,
// keeping the order, until a row whose high is negative: that row and all after it
// stay as they are. Rows from the new count up to `previousCount` get the fill value.
void cleanInPlace(DayTable& table, int records, int previousCount)
{
    int kept = 0;
    bool cleaning = true;
    for (int row = 0; row < records; ++row) {
        DayTable::Row& cells = table.rows[static_cast<std::size_t>(row)];
        if constexpr (std::endian::native != std::endian::little) {
            for (int field = 0; field < kDayRecordFields; ++field)
                cells[static_cast<std::size_t>(field)] = dayRecordField(reinterpret_cast<const char*>(cells.data()), field);
        }
        cleaning = cleaning && cells[Column::High] >= 0;
        if (cleaning && hasZeroField(cells))
            continue;
        cells[Column::AvgPrice] = cells[Column::Ma60] = cells[Column::Ma10] = DayTable::kFill;
        // Most files have no defective day, and then no row moves.
        if (kept != row)
            table.rows[static_cast<std::size_t>(kept)] = cells;
        ++kept;
    }
    for (int row = kept; row < std::min(std::max(records, previousCount), DayTable::kRows); ++row)
        table.rows[static_cast<std::size_t>(row)].fill(DayTable::kFill);
    table.count = kept;
}

} // namespace

void ReadDayTable(const ReadOnlyFile& file, DayTable& table)
{
    const std::int64_t records = file.size() / kDayRecordSize;
    // Past the table's room, the most recent days are the ones that matter.
    const std::int64_t first = std::max<std::int64_t>(0, records - DayTable::kRows);
    const auto wanted = static_cast<std::size_t>(records - first) * kDayRecordSize;
    // A file that shrinks while it is read gives the whole records that were read.
    const std::size_t got = file.readAt(first * kDayRecordSize, tableBytes(table), wanted);
    // A read cut inside a record wrote part of the row after the whole ones: it is
    // refilled with the rest.
    const auto touched = static_cast<int>((got + kDayRecordSize - 1) / kDayRecordSize);
    cleanInPlace(table, static_cast<int>(got / kDayRecordSize), std::max(table.count, touched));
}

void DecodeDayTable(std::span<const char> bytes, DayTable& table)
{
    const std::size_t records = std::min<std::size_t>(bytes.size() / kDayRecordSize, DayTable::kRows);
    const std::size_t first = bytes.size() / kDayRecordSize - records;
    // Not memcpy: an empty span may hold no pointer at all, which memcpy must not get.
    std::copy_n(bytes.data() + first * kDayRecordSize, records * kDayRecordSize, tableBytes(table));
    cleanInPlace(table, static_cast<int>(records), table.count);
}

} // namespace verdaxil
