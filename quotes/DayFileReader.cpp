#include "quotes/DayFileReader.h"

#include "quotes/DayRecord.h"
#include "runtime/FileSystem.h"

#include <algorithm>

namespace verdaxil {

namespace {

constexpr std::size_t kTableBytes = std::size_t{DayTable::kRows} * kDayRecordSize;

// The table's rows past its count hold the fill value. A table that is read again and
// again only needs the rows refilled that the previous file used.
void refillFrom(DayTable& table, int count, int previousCount)
{
    for (int row = count; row < std::min(previousCount, DayTable::kRows); ++row)
        table.rows[static_cast<std::size_t>(row)].fill(DayTable::kFill);
}

} // namespace

DayFileBuffer::DayFileBuffer() : PageAlignedBuffer(kTableBytes) {}

void ReadDayTable(const ReadOnlyFile& file, DayTable& table, DayFileBuffer& buffer)
{
    const std::int64_t records = file.size() / kDayRecordSize;
    // Past the table's room, the most recent days are the ones that matter.
    const std::int64_t first = std::max<std::int64_t>(0, records - DayTable::kRows);
    const auto wanted = static_cast<std::size_t>(records - first) * kDayRecordSize;
    // A file that shrinks while it is read gives the whole records that were read.
    const std::size_t got = file.readAt(first * kDayRecordSize, buffer.data(), wanted);
    DecodeDayTable(std::span<const char>(buffer.data(), got), table);
}

void DecodeDayTable(std::span<const char> bytes, DayTable& table)
{
    const auto records = static_cast<int>(std::min<std::size_t>(bytes.size() / kDayRecordSize, DayTable::kRows));
    const char* record = bytes.data() + (bytes.size() / kDayRecordSize - static_cast<std::size_t>(records)) * kDayRecordSize;

    // A row with a zero in any field is dropped and the later ones move up, until a
    // row whose high is negative: that row and every one after it stay as they are.
    bool cleaning = true;
    int kept = 0;
    for (int k = 0; k < records; ++k, record += kDayRecordSize) {
        DayTable::Row& row = table.rows[static_cast<std::size_t>(kept)];
        bool anyZero = false;
        for (int field = 0; field < kDayRecordFields; ++field) {
            const std::int32_t value = dayRecordField(record, field);
            row[static_cast<std::size_t>(field)] = value;
            anyZero |= value == 0;
        }
        row[Column::AvgPrice] = row[Column::Ma60] = row[Column::Ma10] = DayTable::kFill;
        cleaning = cleaning && row[Column::High] >= 0;
        kept += cleaning && anyZero ? 0 : 1;
    }
    // The last dropped row was decoded into the first row past the count.
    refillFrom(table, kept, std::max(table.count, kept + 1));
    table.count = kept;
}

} // namespace verdaxil
