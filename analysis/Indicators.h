#pragma once

#include "analysis/QueryWindow.h"
#include "quotes/DayTable.h"
#include "runtime/WideArithmetic.h"

#include <cstdint>
#include <optional>

namespace verdaxil {

// The windows of the two moving averages of the average trade price, in rows.
inline constexpr int kShortAverageDays = 10;
inline constexpr int kLongAverageDays = 60;

// Average trade price of a day: amount * 1000 / volume * 10 in that order, 0 for a
// zero volume. Computed without wrapping and clamped to the 32-bit cell.
inline std::int32_t AveragePrice(std::int32_t amount, std::int32_t volume)
{
    if (volume == 0)
        return 0;
    // amount * 1000 is below 2^53, where the double quotient truncated toward zero is
    // exactly the integer quotient; a 64-bit integer division here would cost more
    // than reading the file.
    const auto quotient = static_cast<std::int64_t>(static_cast<double>(amount) * 1000.0 / volume);
    return clampToInt32(quotient * 10);
}

// Fills AvgPrice, Ma60 and Ma10 of rows 0 to count-1. A moving average needs its
// whole window: Ma60 starts at row 59, Ma10 at row 9; earlier rows hold -1.
void ComputeIndicators(DayTable& table);

// Buy signal of the latest row L against the previous row P: recommended when the
// 10-day average is at or above the 60-day one on L and either was at or below it on
// P (it crossed) or the gap between them widened.
bool IsRecommended(const DayTable::Row& latest, const DayTable::Row& previous);

struct LatestDay {
    std::int32_t date = 0;
    std::int32_t close = 0;
    bool operator==(const LatestDay&) const = default;
};

// What the indicators say of a security, in the file's price unit.
struct IndicatorSummary {
    std::int32_t high = 0;           // the all-time high, never below 0
    std::int32_t low = 0;            // the all-time low, searched from the high
    std::optional<LatestDay> latest; // none for an empty table
    std::optional<bool> recommended; // none with fewer than two days
    bool operator==(const IndicatorSummary&) const = default;
};

// Reads a table whose indicators are computed.
IndicatorSummary SummarizeIndicators(const DayTable& table);

// The numbers the result boxes show for a summary: prices in tenths of the file's
// unit. None where a box shows its placeholder instead.
struct DisplayedIndicators {
    std::int64_t high = 0;
    std::int64_t low = 0;
    std::optional<std::int64_t> date;
    std::optional<std::int64_t> price;
    std::optional<bool> recommended;
};
DisplayedIndicators displayed(const IndicatorSummary& summary);

// Shows the all-time high and low, the recommendation, and the latest date and price.
void ShowIndicators(QueryWindow& window, const IndicatorSummary& summary);

} // namespace verdaxil
