#include "scan/SignalCheck.h"

#include <algorithm>

namespace verdaxil {

namespace {

std::optional<std::int64_t> quotient(WideSum sum, std::int64_t count)
{
    if (count == 0)
        return std::nullopt;
    return static_cast<std::int64_t>(sum / count);
}

} // namespace

std::optional<std::int64_t> CheckCounts::meanBp() const
{
    return quotient(sumBp, events);
}

std::optional<std::int64_t> CheckCounts::winBp() const
{
    return quotient(winSumBp, wins);
}

std::optional<std::int64_t> CheckCounts::lossBp() const
{
    return quotient(sumBp - winSumBp, events - wins);
}

void CheckCounts::add(std::int64_t bp)
{
    ++events;
    wins += bp > 0;
    hits5 += bp >= 500;
    hits10 += bp >= 1000;
    sumBp += bp;
    winSumBp += bp > 0 ? bp : 0;
    returns.add(bp);
}

CheckCounts& CheckCounts::operator+=(const CheckCounts& other)
{
    events += other.events;
    wins += other.wins;
    hits5 += other.hits5;
    hits10 += other.hits10;
    excluded += other.excluded;
    sumBp += other.sumBp;
    winSumBp += other.winSumBp;
    returns += other.returns;
    return *this;
}

YearCounts& operator+=(YearCounts& counts, const YearCounts& other)
{
    for (std::size_t kind = 0; kind < counts.size(); ++kind)
        counts[kind] += other[kind];
    return counts;
}

void SignalCheck::add(SecurityClass securityClass, int year, const YearCounts& counts)
{
    counts_[{securityClass, year}] += counts;
}

void SignalCheck::addHorizon(SecurityClass securityClass, std::int64_t horizon, const YearCounts& counts)
{
    horizonCounts_[{securityClass, horizon}] += counts;
}

void SignalCheck::merge(const SignalCheck& other)
{
    for (const auto& [key, counts] : other.counts_)
        counts_[key] += counts;
    for (const auto& [key, counts] : other.horizonCounts_)
        horizonCounts_[key] += counts;
}

std::map<int, YearCounts> SignalCheck::years(std::optional<SecurityClass> securityClass) const
{
    std::map<int, YearCounts> years;
    for (const auto& [key, counts] : counts_) {
        if (!securityClass || key.first == *securityClass)
            years[key.second] += counts;
    }
    std::erase_if(years, [](const auto& year) { return year.second[0].events == 0 && year.second[0].excluded == 0; });
    return years;
}

YearCounts SignalCheck::total(std::optional<SecurityClass> securityClass) const
{
    YearCounts total{};
    for (const auto& [year, counts] : years(securityClass))
        total += counts;
    return total;
}

std::map<std::int64_t, YearCounts> SignalCheck::horizons(std::optional<SecurityClass> securityClass) const
{
    std::map<std::int64_t, YearCounts> horizons;
    for (const auto& [key, counts] : horizonCounts_) {
        if (!securityClass || key.first == *securityClass)
            horizons[key.second] += counts;
    }
    std::erase_if(horizons, [](const auto& horizon) { return horizon.second[0].events == 0 && horizon.second[0].excluded == 0; });
    return horizons;
}

std::vector<std::int64_t> defaultHorizons(std::int64_t horizon)
{
    std::vector<std::int64_t> horizons = {1, 3, 5, 10, 20, 60};
    if (horizon > 0)
        horizons.push_back(horizon);
    std::sort(horizons.begin(), horizons.end());
    horizons.erase(std::unique(horizons.begin(), horizons.end()), horizons.end());
    return horizons;
}

} // namespace verdaxil
