#include "quotes/DayFileReader.h"

#include "runtime/FileSystem.h"

#include <algorithm>
#include <vector>

namespace verdaxil {

namespace {

std::span<const char> readRecent(const ReadOnlyFile& file, std::int64_t records, DayRecordBlock& block)
{
    // Past the block's room, the most recent days are the ones that matter.
    const std::int64_t first = std::max<std::int64_t>(0, records - DayTable::kRows);
    const auto wanted = static_cast<std::size_t>(records - first) * kDayRecordSize;
    const std::size_t got = file.readAt(first * kDayRecordSize, block.bytes.data(), wanted);
    return std::span<const char>(block.bytes).first(got / kDayRecordSize * kDayRecordSize);
}

} // namespace

bool isZeroRecord(const char* record)
{
    return std::all_of(record, record + kDayRecordSize, [](char byte) { return byte == 0; });
}

std::int64_t RecordsBeforeZeroTail(const ReadOnlyFile& file, std::int64_t records)
{
    // A sparse file's holes hold nothing; past them, backwards in steps of many records
    // as far as kLongestZeroTail: a tail of zeros longer than that holds no days.
    constexpr std::int64_t kStep = 4096;
    records = std::min(records, (file.dataEnd() + kDayRecordSize - 1) / kDayRecordSize);
    const std::int64_t last = std::max<std::int64_t>(0, records - kLongestZeroTail);
    std::vector<char> chunk(static_cast<std::size_t>(kStep) * kDayRecordSize);
    while (records > last) {
        const std::int64_t first = std::max(last, records - kStep);
        const std::size_t wanted = static_cast<std::size_t>(records - first) * kDayRecordSize;
        if (file.readAt(first * kDayRecordSize, chunk.data(), wanted) != wanted)
            return first; // shrunk while read: what is gone holds no days
        for (std::int64_t record = records - 1; record >= first; --record) {
            if (!isZeroRecord(chunk.data() + static_cast<std::size_t>(record - first) * kDayRecordSize))
                return record + 1;
        }
        records = first;
    }
    return 0;
}

std::span<const char> ReadDayRecords(const ReadOnlyFile& file, DayRecordBlock& block)
{
    std::int64_t records = file.size() / kDayRecordSize;
    std::span<const char> read = readRecent(file, records, block);
    // Only a file that ends in zeros is looked at again.
    if (!read.empty() && isZeroRecord(read.data() + read.size() - kDayRecordSize)) {
        records = RecordsBeforeZeroTail(file, records);
        read = readRecent(file, records, block);
    }
    return read;
}

} // namespace verdaxil
