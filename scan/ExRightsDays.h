#pragma once

#include "analysis/EvaluatedDays.h"
#include "quotes/TradingDate.h"
#include "scan/SecurityClass.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace verdaxil {

// The day files hold prices as traded: on a bonus issue or split the price falls
// overnight by more than any trading day's limit allows. Such a day cannot be a market
// move; it is taken as an ex-rights day, so that returns and averages across it are
// not read as gains or losses.
enum class PriceLimit {
    None,            // indices, bonds and other codes: no such day is told
    Tenth,           // 10 % a day
    Fifth,           // 20 % a day: the STAR market
    FifthFrom2020824 // 20 % from 2020-08-24 on, 10 % before: ChiNext
};

PriceLimit priceLimitOf(SecurityClass securityClass, Board board);

// Kept day t, from the sixth on, with a plausible date from 1996-12-16 on (the limits'
// start), is one when its high lies below the day before's close by more than the
// limit (plus a point for rounding). Plain arithmetic, so that loops run it in lanes.
inline bool isSuspectedExRights(PriceLimit limit, std::int64_t t, std::int32_t date, std::int32_t high,
                                std::int32_t previousClose, std::int32_t today)
{
    const bool wide = (limit == PriceLimit::Fifth) | ((limit == PriceLimit::FifthFrom2020824) & (date >= 20200824));
    const std::int64_t keptShare = wide ? 100 - 21 : 100 - 11;
    return (limit != PriceLimit::None) & (t >= 5) & isPlausibleDate(date, today) & (date >= 19961216) & (previousClose > 0)
        & (high > 0) & (std::int64_t{high} * 100 < std::int64_t{previousClose} * keptShare);
}

inline bool isSuspectedExRights(PriceLimit limit, const EvaluatedDays& days, std::size_t t, std::int32_t today)
{
    return t >= 1
        && isSuspectedExRights(limit, static_cast<std::int64_t>(t), days.date[t], days.high[t], days.close[t - 1], today);
}

// How many of a list's last kept days may hold its latest ex-rights day: as many as its
// longer average spans.
inline constexpr std::size_t kRecentExRightsDays = 60;

// The date of the latest suspected ex-rights day among the last 60 kept days; none when
// there is none.
std::optional<std::int32_t> latestExRightsDay(PriceLimit limit, const EvaluatedDays& days, std::int32_t today);

// Every suspected ex-rights day's index, ascending, for a chart to mark.
std::vector<std::size_t> exRightsDays(PriceLimit limit, const EvaluatedDays& days, std::int32_t today);

} // namespace verdaxil
