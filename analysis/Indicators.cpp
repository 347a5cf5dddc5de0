#include "analysis/Indicators.h"

#include "analysis/CrossingRules.h"
#include "analysis/PriceUnit.h"

#include <algorithm>
#include <limits>

namespace verdaxil {

bool IsRecommended(const EvaluatedDays& days, int latest)
{
    const auto at = static_cast<std::size_t>(latest);
    return signalHolds(days.ma10[at], days.ma60[at], days.ma10[at - 1], days.ma60[at - 1]);
}

IndicatorSummary SummarizeIndicators(const EvaluatedDays& days, const DecodedFacts& decoded)
{
    IndicatorSummary summary;
    summary.high = decoded.highest;
    // The low is searched from the high, not from a large constant.
    summary.low = std::min(decoded.highest, decoded.lowest);
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
