#pragma once

#include "quotes/DayTable.h"
#include "runtime/PageAlignedBuffer.h"

#include <span>

namespace verdaxil {

class ReadOnlyFile;

// Room for the most recent DayTable::kRows records of a day file.
class DayFileBuffer : public PageAlignedBuffer {
public:
    DayFileBuffer();
};

// Fills the table from an open day file with one read into `buffer`, removing
// defective days as it goes. A file of more than DayTable::kRows whole records gives
// its most recent kRows; a trailing part of fewer than 40 bytes is ignored.
void ReadDayTable(const ReadOnlyFile& file, DayTable& table, DayFileBuffer& buffer);

// The same for a day file's bytes in memory.
void DecodeDayTable(std::span<const char> bytes, DayTable& table);

} // namespace verdaxil
