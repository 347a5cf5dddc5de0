#include "scan/SignalCheck.h"

namespace verdaxil {

std::optional<std::int64_t> CheckCounts::meanBp() const
{
    if (events == 0)
        return std::nullopt;
    return static_cast<std::int64_t>(sumBp / events);
}

CheckCounts& CheckCounts::operator+=(const CheckCounts& other)
{
    events += other.events;
    wins += other.wins;
    hits5 += other.hits5;
    hits10 += other.hits10;
    sumBp += other.sumBp;
    return *this;
}

namespace {

YearCounts& operator+=(YearCounts& counts, const YearCounts& other)
{
    for (std::size_t kind = 0; kind < counts.size(); ++kind)
        counts[kind] += other[kind];
    return counts;
}

} // namespace

void SignalCheck::add(SecurityClass securityClass, int year, const YearCounts& counts)
{
    counts_[{securityClass, year}] += counts;
}

void SignalCheck::merge(const SignalCheck& other)
{
    for (const auto& [key, counts] : other.counts_)
        counts_[key] += counts;
}

std::map<int, YearCounts> SignalCheck::years(std::optional<SecurityClass> securityClass) const
{
    std::map<int, YearCounts> years;
    for (const auto& [key, counts] : counts_) {
        if (!securityClass || key.first == *securityClass)
            years[key.second] += counts;
    }
    std::erase_if(years, [](const auto& year) { return year.second[0].events == 0; });
    return years;
}

YearCounts SignalCheck::total(std::optional<SecurityClass> securityClass) const
{
    YearCounts total{};
    for (const auto& [year, counts] : years(securityClass))
        total += counts;
    return total;
}

} // namespace verdaxil
