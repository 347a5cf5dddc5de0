#include "quotes/DayFileReader.h"

#include "runtime/FileSystem.h"

#include <algorithm>

namespace verdaxil {

std::span<const char> ReadDayRecords(const ReadOnlyFile& file, DayRecordBlock& block)
{
    const std::int64_t records = file.size() / kDayRecordSize;
    // Past the block's room, the most recent days are the ones that matter.
    const std::int64_t first = std::max<std::int64_t>(0, records - DayTable::kRows);
    const auto wanted = static_cast<std::size_t>(records - first) * kDayRecordSize;
    const std::size_t got = file.readAt(first * kDayRecordSize, block.bytes.data(), wanted);
    return std::span<const char>(block.bytes).first(got / kDayRecordSize * kDayRecordSize);
}

} // namespace verdaxil
