#pragma once

#include "quotes/DayTable.h"

#include <span>

namespace verdaxil {

class ReadOnlyFile;

// Fills the table from an open day file with one read straight into the table's rows,
// then removes defective days. A file of more than DayTable::kRows whole records
// gives its most recent kRows; a trailing part of fewer than 40 bytes is ignored.
void ReadDayTable(const ReadOnlyFile& file, DayTable& table);

// The same for a day file's bytes in memory.
void DecodeDayTable(std::span<const char> bytes, DayTable& table);

} // namespace verdaxil
