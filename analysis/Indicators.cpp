#include "analysis/Indicators.h"

#include "analysis/CrossingRules.h"
#include "analysis/PriceUnit.h"

#include <algorithm>
#include <limits>

namespace verdaxil {

namespace {

struct Extremes {
    std::int32_t highest = 0; // never below 0
    std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
};

[[gnu::always_inline]] inline Extremes extremes(const EvaluatedDays& days)
{
    Extremes found;
    for (const std::int32_t high : days.high)
        found.highest = std::max(found.highest, high);
    for (const std::int32_t low : days.low)
        found.lowest = std::min(found.lowest, low);
    return found;
}

Extremes extremesBaseline(const EvaluatedDays& days)
{
    return extremes(days);
}

[[gnu::target("avx2")]] Extremes extremesAvx2(const EvaluatedDays& days)
{
    return extremes(days);
}

} // namespace

bool IsRecommended(const EvaluatedDays& days, int latest)
{
    const auto at = static_cast<std::size_t>(latest);
    return signalHolds(days.ma10[at], days.ma60[at], days.ma10[at - 1], days.ma60[at - 1]);
}

IndicatorSummary SummarizeIndicators(const EvaluatedDays& days, InstructionSet set)
{
    const Extremes extremes = set == InstructionSet::Avx2 ? extremesAvx2(days) : extremesBaseline(days);
    IndicatorSummary summary;
    summary.high = extremes.highest;
    // The low is searched from the high, not from a large constant.
    summary.low = std::min(extremes.highest, extremes.lowest);
    const int count = days.count();
    if (count > 0) {
        const auto latest = static_cast<std::size_t>(count - 1);
        summary.latest = LatestDay{days.date[latest], days.close[latest]};
    }
    if (count >= 2)
        summary.recommended = IsRecommended(days, count - 1);
    return summary;
}

DisplayedIndicators displayed(const IndicatorSummary& summary)
{
    DisplayedIndicators shown{fenOfFilePrice(summary.high), fenOfFilePrice(summary.low), {}, {}, summary.recommended};
    if (summary.latest) {
        shown.date = summary.latest->date;
        shown.price = fenOfFilePrice(summary.latest->close);
    }
    return shown;
}

} // namespace verdaxil
