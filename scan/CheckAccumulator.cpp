#include "scan/CheckAccumulator.h"

#include "analysis/CrossingRules.h"
#include "analysis/Indicators.h"
#include "quotes/DayTable.h"
#include "quotes/TradingDate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace verdaxil {

// Each day's part of the check, in lanes: whether it is an event of each kind, its
// year and its return.
struct DayLanes {
    std::array<std::int32_t, DayTable::kRows> all;
    std::array<std::int32_t, DayTable::kRows> selection;
    std::array<std::int32_t, DayTable::kRows> recommended;
    std::array<std::int32_t, DayTable::kRows> year;
    std::array<std::int32_t, DayTable::kRows> returnBp;
    std::array<std::int32_t, DayTable::kRows> wide; // a return past 32 bits: counted apart
};

namespace {

// Returns in basis points are computed in doubles: the numerator times 10000 is below
// 2^53 and the price above 0, so the quotient truncated is the integer quotient (as for
// the average price). Within 32 bits they are counted in lanes.
constexpr double kWidestLane = 2147483647.0;

struct Bounds {
    std::int32_t from;
    std::int32_t to;
    std::int32_t today;
    std::int64_t horizon;
    std::int64_t fee;
};

// The events of each kind and their years. Columns come as pointers nothing else
// reaches, so that the compiler keeps their bases in registers and runs the days in lanes.
[[gnu::always_inline]] inline void markEvents(const std::int32_t* __restrict date, const std::int32_t* __restrict entry,
                                              const std::int32_t* __restrict ma10, const std::int32_t* __restrict ma60,
                                              std::size_t first, std::size_t last, const Bounds& b, std::int32_t* __restrict all,
                                              std::int32_t* __restrict selection, std::int32_t* __restrict recommended,
                                              std::int32_t* __restrict year)
{
    for (std::size_t r = first; r <= last; ++r) {
        const std::int32_t day = date[r];
        const std::int32_t event = isPlausibleDate(day, b.today) & (day >= b.from) & (day <= b.to) & (entry[r + 1] > 0);
        all[r] = event;
        selection[r] = event & crossesUp(ma10[r], ma60[r], ma10[r - 1], ma60[r - 1]);
        recommended[r] = event & signalHolds(ma10[r], ma60[r], ma10[r - 1], ma60[r - 1]);
        year[r] = day / 10000;
    }
}

// Every day's return, whether it is an event or not; the conversion truncates.
[[gnu::always_inline]] inline void returns(const std::int32_t* __restrict entry, const std::int32_t* __restrict exit,
                                           std::size_t first, std::size_t last, double fee, std::int32_t* __restrict returnBp,
                                           std::int32_t* __restrict wide)
{
    for (std::size_t r = first; r <= last; ++r) {
        const std::int32_t price = entry[r + 1];
        const double net = static_cast<double>(exit[r]) - static_cast<double>(price) - fee;
        const double quotient = net * 10000.0 / static_cast<double>(price > 1 ? price : 1);
        const bool outside = !(std::fabs(quotient) < kWidestLane);
        wide[r] = outside;
        returnBp[r] = static_cast<std::int32_t>(outside ? 0.0 : quotient);
    }
}

[[gnu::always_inline]] inline void fillLanes(const EvaluatedDays& days, std::size_t first, std::size_t last, const Bounds& b,
                                             DayLanes& lanes)
{
    markEvents(days.date.data(), days.avgPrice.data(), days.ma10.data(), days.ma60.data(), first, last, b, lanes.all.data(),
               lanes.selection.data(), lanes.recommended.data(), lanes.year.data());
    returns(days.avgPrice.data(), days.close.data() + b.horizon, first, last, static_cast<double>(b.fee), lanes.returnBp.data(),
            lanes.wide.data());
}

// The counts of one kind over days [begin, end), in lanes.
[[gnu::always_inline]] inline void countRun(const std::int32_t* __restrict kind, const std::int32_t* __restrict returnBp,
                                            std::size_t begin, std::size_t end, CheckCounts& counts)
{
    std::int32_t events = 0, wins = 0, hits5 = 0, hits10 = 0;
    std::int64_t sum = 0;
    for (std::size_t r = begin; r < end; ++r) {
        const std::int32_t is = kind[r];
        const std::int32_t value = returnBp[r];
        events += is;
        wins += is & (value > 0);
        hits5 += is & (value >= 500);
        hits10 += is & (value >= 1000);
        sum += value & -is;
    }
    counts.events += events;
    counts.wins += wins;
    counts.hits5 += hits5;
    counts.hits10 += hits10;
    counts.sumBp += sum;
}

void fillBaseline(const EvaluatedDays& days, std::size_t first, std::size_t last, const Bounds& bounds, DayLanes& lanes)
{
    fillLanes(days, first, last, bounds, lanes);
}

[[gnu::target("avx2")]] void fillAvx2(const EvaluatedDays& days, std::size_t first, std::size_t last, const Bounds& bounds,
                                      DayLanes& lanes)
{
    fillLanes(days, first, last, bounds, lanes);
}

void countBaseline(const std::int32_t* kind, const std::int32_t* returnBp, std::size_t begin, std::size_t end,
                   CheckCounts& counts)
{
    countRun(kind, returnBp, begin, end, counts);
}

[[gnu::target("avx2")]] void countAvx2(const std::int32_t* kind, const std::int32_t* returnBp, std::size_t begin, std::size_t end,
                                       CheckCounts& counts)
{
    countRun(kind, returnBp, begin, end, counts);
}

} // namespace

CheckAccumulator::CheckAccumulator(std::int64_t horizon, std::int64_t fee, const CheckSettings& settings, std::int32_t today)
    : horizon_(horizon),
      fee_(fee),
      from_(settings.from.value_or(std::numeric_limits<std::int32_t>::min())),
      to_(settings.to.value_or(std::numeric_limits<std::int32_t>::max())),
      today_(today),
      set_(BestInstructionSet()),
      counts_(std::make_unique<std::array<std::array<YearCounts, kYears>, kClasses>>()),
      lanes_(std::make_unique<DayLanes>())
{}

CheckAccumulator::~CheckAccumulator() = default;

void CheckAccumulator::addDays(const EvaluatedDays& days, SecurityClass securityClass)
{
    // The last day whose exit day is in the table.
    const std::int64_t lastDay = std::int64_t{days.count()} - 1 - horizon_;
    if (horizon_ <= 0 || lastDay < kLongAverageDays)
        return;
    const std::size_t first = kLongAverageDays;
    const auto last = static_cast<std::size_t>(lastDay);
    const Bounds bounds{from_, to_, today_, horizon_, fee_};
    if (set_ == InstructionSet::Avx2)
        fillAvx2(days, first, last, bounds, *lanes_);
    else
        fillBaseline(days, first, last, bounds, *lanes_);

    DayLanes& lanes = *lanes_;
    // Absurd prices give returns past what doubles add exactly: those tables are counted
    // day by day in integers.
    bool exact = true;
    for (std::size_t r = first; r <= last; ++r)
        exact &= !(lanes.all[r] & lanes.wide[r]);
    auto& years = (*counts_)[static_cast<std::size_t>(securityClass)];
    const std::array<const std::int32_t*, kCheckKinds.size()> kinds = {lanes.all.data(), lanes.selection.data(),
                                                                       lanes.recommended.data()};
    // Days of one year at a time: in a file whose dates ascend, a few long runs.
    for (std::size_t begin = first, end; begin <= last; begin = end) {
        end = begin + 1;
        while (end <= last && lanes.year[end] == lanes.year[begin])
            ++end;
        if (!std::any_of(lanes.all.begin() + static_cast<std::ptrdiff_t>(begin),
                         lanes.all.begin() + static_cast<std::ptrdiff_t>(end), [](std::int32_t event) { return event != 0; }))
            continue;
        YearCounts& year = years[static_cast<std::size_t>(std::clamp(lanes.year[begin] - kFirstYear, 0, kYears - 1))];
        for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
            if (!exact) {
                for (std::size_t r = begin; r < end; ++r) {
                    if (!kinds[kind][r])
                        continue;
                    const std::int32_t entry = days.avgPrice[r + 1];
                    const std::int64_t returnBp =
                        (std::int64_t{days.close[r + static_cast<std::size_t>(horizon_)]} - entry - fee_) * 10000 / entry;
                    CheckCounts& counts = year[kind];
                    ++counts.events;
                    counts.wins += returnBp > 0;
                    counts.hits5 += returnBp >= 500;
                    counts.hits10 += returnBp >= 1000;
                    counts.sumBp += returnBp;
                }
            } else if (set_ == InstructionSet::Avx2) {
                countAvx2(kinds[kind], lanes.returnBp.data(), begin, end, year[kind]);
            } else {
                countBaseline(kinds[kind], lanes.returnBp.data(), begin, end, year[kind]);
            }
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
