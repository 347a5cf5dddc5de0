#pragma once

#include "quotes/DayRecord.h"
#include "quotes/DayTable.h"

#include <array>
#include <cstddef>
#include <span>

namespace verdaxil {

class ReadOnlyFile;

// Room for a day file's most recent DayTable::kRows records as they lie in the file. It
// starts on a page boundary: the kernel copies a file into it many times faster than
// into memory that starts inside a page.
struct alignas(4096) DayRecordBlock {
    std::array<char, std::size_t{DayTable::kRows} * kDayRecordSize> bytes;
};

// Reads the file's most recent DayTable::kRows whole records into the block with one
// read and returns them. A trailing part of fewer than 40 bytes is left out, and so is
// one that a file shrinking while it is read cut short. Records at the end whose 40
// bytes are all zero are no records (a crashed or pre-allocated download leaves them):
// the records before them are read as if the file ended there.
std::span<const char> ReadDayRecords(const ReadOnlyFile& file, DayRecordBlock& block);

// Whether the record's 40 bytes are all zero.
bool isZeroRecord(const char* record);

// The zero records searched past before a file is taken to hold no days: a million,
// 40 MB, far more than any download leaves.
inline constexpr std::int64_t kLongestZeroTail = 1'000'000;

// The number of the file's first `records` records that remain when a tail of zero
// records is left out.
std::int64_t RecordsBeforeZeroTail(const ReadOnlyFile& file, std::int64_t records);

} // namespace verdaxil
