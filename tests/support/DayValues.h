#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/DayTable.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace verdaxil::testing {

// Days whose columns a test sets by hand, every value starting at the fill value.
struct DayValues {
    explicit DayValues(int count)
        : date(filled(count)),
          high(filled(count)),
          low(filled(count)),
          close(filled(count)),
          avgPrice(filled(count)),
          ma10(filled(count)),
          ma60(filled(count)),
          volume(filled(count))
    {}

    EvaluatedDays view() const { return {date, high, low, close, avgPrice, ma10, ma60, volume}; }

    // The same days as rows, for the references that read rows.
    std::unique_ptr<DayTable> table() const
    {
        auto table = std::make_unique<DayTable>();
        table->count = static_cast<int>(date.size());
        for (std::size_t row = 0; row < date.size(); ++row) {
            DayTable::Row& cells = table->rows[row];
            cells[Column::Date] = date[row];
            cells[Column::High] = high[row];
            cells[Column::Low] = low[row];
            cells[Column::Close] = close[row];
            cells[Column::AvgPrice] = avgPrice[row];
            cells[Column::Ma10] = ma10[row];
            cells[Column::Ma60] = ma60[row];
        }
        return table;
    }

    static std::vector<std::int32_t> filled(int count)
    {
        return std::vector<std::int32_t>(static_cast<std::size_t>(count), DayTable::kFill);
    }

    std::vector<std::int32_t> date, high, low, close, avgPrice, ma10, ma60, volume;
};

} // namespace verdaxil::testing
