#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/DayColumns.h"

#include <cstdint>
#include <optional>

namespace verdaxil {

// The windows of the two moving averages of the average trade price, in rows.
inline constexpr int kShortAverageDays = 10;
inline constexpr int kLongAverageDays = 60;

// Buy signal of day `latest` against the day before it: recommended when the 10-day
// average is at or above the 60-day one on `latest` and either was at or below it the
// day before (it crossed) or the gap between them widened. `latest` is at least 1.
bool IsRecommended(const EvaluatedDays& days, int latest);

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

// The summary of the days, whose extremes decoding found.
IndicatorSummary SummarizeIndicators(const EvaluatedDays& days, const DecodedFacts& decoded);

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

} // namespace verdaxil
