#pragma once

#include "quotes/DayTable.h"

namespace verdaxil {

class ReadOnlyFile;

// Fills the table from an open day file and removes defective days. A file of more
// than DayTable::kRows whole records gives its most recent kRows; a trailing part of
// fewer than 40 bytes is ignored.
void ReadDayTable(const ReadOnlyFile& file, DayTable& table);

// Removes every row with a zero in columns 0 to 6, keeping the order, until a row
// whose high is negative: that row and all after it stay as they are.
void CleanDayTable(DayTable& table);

} // namespace verdaxil
