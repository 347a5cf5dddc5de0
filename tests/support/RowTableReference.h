#pragma once

// The evaluation as it was first written, on a row table: the reference the columns
// must agree with, figure for figure. Plain loops, one row at a time.

#include "analysis/Indicators.h"
#include "quotes/DayRecord.h"
#include "quotes/DayTable.h"
#include "support/DayByDayStats.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <span>

namespace verdaxil::testing {

// The most recent rows of a day file's bytes; rows with a zero field are removed until
// the first row whose high is negative.
inline std::unique_ptr<DayTable> referenceRows(std::span<const char> bytes)
{
    auto table = std::make_unique<DayTable>();
    const std::size_t whole = bytes.size() / kDayRecordSize;
    const std::size_t records = std::min<std::size_t>(whole, DayTable::kRows);
    bool cleaning = true;
    for (std::size_t k = whole - records; k < whole; ++k) {
        DayTable::Row row;
        row.fill(DayTable::kFill);
        bool zero = false;
        for (int field = 0; field < kDayRecordFields; ++field) {
            row[static_cast<std::size_t>(field)] = dayRecordField(bytes.data() + k * kDayRecordSize, field);
            zero |= row[static_cast<std::size_t>(field)] == 0;
        }
        cleaning = cleaning && row[Column::High] >= 0;
        if (!(cleaning && zero))
            table->rows[static_cast<std::size_t>(table->count++)] = row;
    }
    return table;
}

// amount * 1000 / volume * 10 in that order by 64-bit integer division, 0 for a zero
// volume, clamped to 32 bits.
inline std::int32_t referenceAveragePrice(std::int32_t amount, std::int32_t volume)
{
    if (volume == 0)
        return 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{amount} * 1000 / volume * 10,
                                                              std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// AvgPrice, and each moving average summed afresh over its window.
inline void referenceIndicators(DayTable& table)
{
    const auto cell = [&](int row, int column) -> std::int32_t& {
        return table.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    };
    for (int row = 0; row < table.count; ++row)
        cell(row, Column::AvgPrice) = referenceAveragePrice(cell(row, Column::Amount), cell(row, Column::Volume));
    for (const auto& [column, length] : {std::pair{Column::Ma10, kShortAverageDays}, std::pair{Column::Ma60, kLongAverageDays}}) {
        for (int row = length - 1; row < table.count; ++row) {
            std::int64_t sum = 0;
            for (int k = row - length + 1; k <= row; ++k)
                sum += cell(k, Column::AvgPrice);
            cell(row, column) = static_cast<std::int32_t>(sum / length);
        }
    }
}

inline IndicatorSummary referenceSummary(const DayTable& table)
{
    IndicatorSummary summary;
    std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
    for (int row = 0; row < table.count; ++row) {
        summary.high = std::max(summary.high, table.rows[static_cast<std::size_t>(row)][Column::High]);
        lowest = std::min(lowest, table.rows[static_cast<std::size_t>(row)][Column::Low]);
    }
    summary.low = std::min(summary.high, lowest);
    if (table.count > 0) {
        const DayTable::Row& latest = table.rows[static_cast<std::size_t>(table.count - 1)];
        summary.latest = LatestDay{latest[Column::Date], latest[Column::Close]};
    }
    if (table.count >= 2) {
        const DayTable::Row& latest = table.rows[static_cast<std::size_t>(table.count - 1)];
        const DayTable::Row& previous = table.rows[static_cast<std::size_t>(table.count - 2)];
        const std::int64_t gap = std::int64_t{latest[Column::Ma10]} - latest[Column::Ma60];
        const std::int64_t previousGap = std::int64_t{previous[Column::Ma10]} - previous[Column::Ma60];
        summary.recommended = gap >= 0 && (previousGap <= 0 || gap > previousGap);
    }
    return summary;
}

} // namespace verdaxil::testing
