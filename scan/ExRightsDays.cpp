#include "scan/ExRightsDays.h"

namespace verdaxil {

PriceLimit priceLimitOf(SecurityClass securityClass, Board board)
{
    switch (securityClass) {
    case SecurityClass::AShare:
        return board == Board::Star   ? PriceLimit::Fifth
            : board == Board::ChiNext ? PriceLimit::FifthFrom2020824
                                      : PriceLimit::Tenth;
    case SecurityClass::BShare:
    case SecurityClass::Fund: return PriceLimit::Tenth;
    case SecurityClass::Index:
    case SecurityClass::Bond:
    case SecurityClass::Other: break;
    }
    return PriceLimit::None;
}

std::optional<std::int32_t> latestExRightsDay(PriceLimit limit, const EvaluatedDays& days, std::int32_t today)
{
    const auto count = static_cast<std::size_t>(days.count());
    const std::size_t first = count > kRecentExRightsDays ? count - kRecentExRightsDays : 0;
    std::optional<std::int32_t> latest;
    for (std::size_t t = first; t < count; ++t) {
        // Dates may go back in a damaged file: the latest date, not the last row.
        if (isSuspectedExRights(limit, days, t, today) && (!latest || days.date[t] > *latest))
            latest = days.date[t];
    }
    return latest;
}

std::vector<std::size_t> exRightsDays(PriceLimit limit, const EvaluatedDays& days, std::int32_t today)
{
    std::vector<std::size_t> found;
    for (std::size_t t = 0; t < static_cast<std::size_t>(days.count()); ++t) {
        if (isSuspectedExRights(limit, days, t, today))
            found.push_back(t);
    }
    return found;
}

} // namespace verdaxil
