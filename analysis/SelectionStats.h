#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/InstructionSet.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace verdaxil {

// What the back-test of the selection points found. Counters count selection
// points, never days; MaxGainPercent belongs to the day that set MaxGain.
struct SelectionStats {
    std::int64_t PointCount = 0;
    std::int64_t ProfitHits = 0;
    std::int64_t Hits5 = 0;
    std::int64_t Hits10 = 0;
    std::int64_t Hits50 = 0;
    std::int64_t Hits100 = 0;
    std::int64_t MaxGain = 0;
    std::int64_t MaxGainPercent = 0;

    bool operator==(const SelectionStats&) const = default;
};

// A selection point is a day from 60 on whose 10-day average moved from at or below
// the 60-day average on the day before to at or above it, the gap growing. `day` must
// be below the count.
bool IsSelectionPoint(const EvaluatedDays& days, int day);

// Each point is bought at (AvgPrice + low) / 2 and judged on the days i .. i+horizon-1
// that exist, each sold at (high + AvgPrice) / 2, less the fee in the file's price
// unit. A point is judged by its best day alone, so the cost is the same at any
// horizon. The loops run on `set`.
SelectionStats ComputeSelectionStats(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee,
                                     InstructionSet set = BestInstructionSet());

// How a selection point did within the horizon, judged as ComputeSelectionStats judges
// it by its best window day: a point it does not score, or a net gain of 0 or less,
// below 10 % or of 10 % and more. With a horizon of 0 or less no point is scored.
enum class Outcome : std::uint8_t { NotScored, NoProfit, Profit, TenPercent };
struct PointOutcome {
    int day = 0;
    Outcome outcome = Outcome::NotScored;
};

// Every selection point of the days, oldest first, with its outcome.
std::vector<PointOutcome> SelectionPointOutcomes(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee);

// The numbers the eight result boxes show; the shares are none without a selection
// point, where their boxes show placeholders.
struct DisplayedStats {
    std::int64_t points = 0;
    std::int64_t maxGain = 0; // tenths of the file's price unit
    std::int64_t maxGainPercent = 0;
    std::optional<std::int64_t> profitShare;
    std::optional<std::int64_t> share5;
    std::optional<std::int64_t> share10;
    std::optional<std::int64_t> share50;
    std::optional<std::int64_t> share100;
};
DisplayedStats displayed(const SelectionStats& stats);

} // namespace verdaxil
