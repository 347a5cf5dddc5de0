#include "scan/CheckAccumulator.h"

#include "analysis/CrossingRules.h"
#include "analysis/Indicators.h"
#include "quotes/TradingDate.h"

#include <algorithm>
#include <limits>

namespace verdaxil {

CheckAccumulator::CheckAccumulator(std::int64_t horizon, std::int64_t fee, const CheckSettings& settings, std::int32_t today)
    : horizon_(horizon),
      fee_(fee),
      from_(settings.from.value_or(std::numeric_limits<std::int32_t>::min())),
      to_(settings.to.value_or(std::numeric_limits<std::int32_t>::max())),
      today_(today),
      counts_(std::make_unique<std::array<std::array<YearCounts, kYears>, kClasses>>())
{}

void CheckAccumulator::addDays(const EvaluatedDays& days, SecurityClass securityClass)
{
    // The last day whose exit day is in the table.
    const std::int64_t lastDay = std::int64_t{days.count()} - 1 - horizon_;
    if (horizon_ <= 0 || lastDay < kLongAverageDays)
        return;
    auto& years = (*counts_)[static_cast<std::size_t>(securityClass)];
    const auto last = static_cast<std::size_t>(lastDay);
    const auto n = static_cast<std::size_t>(horizon_);
    for (std::size_t r = kLongAverageDays; r <= last; ++r) {
        const std::int32_t date = days.date[r];
        const std::int32_t entry = days.avgPrice[r + 1];
        if (!isPlausibleDate(date, today_) || date < from_ || date > to_ || entry <= 0)
            continue;
        const std::int64_t returnBp = (std::int64_t{days.close[r + n]} - entry - fee_) * 10000 / entry;
        const bool kinds[] = {true, crossesUp(days.ma10[r], days.ma60[r], days.ma10[r - 1], days.ma60[r - 1]),
                              signalHolds(days.ma10[r], days.ma60[r], days.ma10[r - 1], days.ma60[r - 1])};
        YearCounts& year = years[static_cast<std::size_t>(std::min(date / 10000 - kFirstYear, kYears - 1))];
        for (std::size_t kind = 0; kind < kCheckKinds.size(); ++kind) {
            if (!kinds[kind])
                continue;
            CheckCounts& counts = year[kind];
            ++counts.events;
            counts.wins += returnBp > 0;
            counts.hits5 += returnBp >= 500;
            counts.hits10 += returnBp >= 1000;
            counts.sumBp += returnBp;
        }
    }
}

SignalCheck CheckAccumulator::result() const
{
    SignalCheck check;
    for (std::size_t securityClass = 0; securityClass < kClasses; ++securityClass) {
        for (int year = 0; year < kYears; ++year) {
            const YearCounts& counts = (*counts_)[securityClass][static_cast<std::size_t>(year)];
            if (counts[0].events > 0)
                check.add(static_cast<SecurityClass>(securityClass), kFirstYear + year, counts);
        }
    }
    return check;
}

} // namespace verdaxil
