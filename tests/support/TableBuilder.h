#pragma once

#include "quotes/DayTable.h"

#include <memory>

namespace verdaxil::testing {

// A day table of `count` rows with every cell at the fill value, for tests that set
// the columns they need.
inline std::unique_ptr<DayTable> filledTable(int count)
{
    auto table = std::make_unique<DayTable>();
    for (DayTable::Row& row : table->rows)
        row.fill(DayTable::kFill);
    table->count = count;
    return table;
}

} // namespace verdaxil::testing
