#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/DayColumns.h"
#include "quotes/DayTable.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
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

    // What decoding would have found of these days, the plain way.
    DecodedFacts facts() const { return factsOf(date, high, low); }

    static DecodedFacts factsOf(std::span<const std::int32_t> date, std::span<const std::int32_t> high,
                                std::span<const std::int32_t> low)
    {
        DecodedFacts facts;
        for (std::size_t day = 0; day < date.size(); ++day) {
            facts.highest = std::max(facts.highest, high[day]);
            facts.lowest = std::min(facts.lowest, low[day]);
            facts.ascending = facts.ascending && (day == 0 || date[day] > date[day - 1]);
            facts.cleaningStopped = facts.cleaningStopped || high[day] < 0;
        }
        return facts;
    }

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
