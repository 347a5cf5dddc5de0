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
// year, the suspected ex-rights days up to it, and for one horizon at a time whether
// its holding holds one and its return.
struct DayLanes {
    std::array<std::int32_t, DayTable::kRows> all;
    std::array<std::int32_t, DayTable::kRows> selection;
    std::array<std::int32_t, DayTable::kRows> recommended;
    std::array<std::int32_t, DayTable::kRows> year;
    std::array<std::int32_t, DayTable::kRows> exRightsUpTo;
    std::array<std::int32_t, DayTable::kRows> excluded;
    std::array<std::int32_t, DayTable::kRows> returnBp;
    std::array<std::int32_t, DayTable::kRows> wide; // a return past 32 bits: counted apart
};

namespace {

// Returns in basis points are computed in doubles: the numerator times 10000 is below
// 2^53 and the price above 0, so the quotient truncated is the integer quotient (as for
// the average price). Within 32 bits, the cost taken off, they are counted in lanes.
constexpr double kWidestLane = 2147483647.0;

struct Bounds {
    std::int32_t from;
    std::int32_t to;
    std::int32_t today;
    PriceLimit limit;
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
        year[r] = dateParts(day).year;
    }
}

// Whether each day is a suspected ex-rights day; summed up to each day after.
[[gnu::always_inline]] inline void markExRights(const std::int32_t* __restrict date, const std::int32_t* __restrict high,
                                                const std::int32_t* __restrict close, std::size_t count, const Bounds& b,
                                                std::int32_t* __restrict exRights)
{
    exRights[0] = 0;
    for (std::size_t t = 1; t < count; ++t)
        exRights[t] = isSuspectedExRights(b.limit, static_cast<std::int64_t>(t), date[t], high[t], close[t - 1], b.today);
}

// Whether the holding of each day, from its entry's day (left out) to its exit's, holds
// a suspected ex-rights day; then every day's return, whether it is an event or not.
// The conversion truncates.
[[gnu::always_inline]] inline void holdings(const std::int32_t* __restrict exRightsUpTo, const std::int32_t* __restrict entry,
                                            const std::int32_t* __restrict exit, std::size_t first, std::size_t last,
                                            std::size_t horizon, double fee, std::int32_t cost, std::int32_t* __restrict excluded,
                                            std::int32_t* __restrict returnBp, std::int32_t* __restrict wide)
{
    const double widest = kWidestLane - cost;
    for (std::size_t r = first; r <= last; ++r)
        excluded[r] = exRightsUpTo[r + horizon] != exRightsUpTo[r + 1];
    for (std::size_t r = first; r <= last; ++r) {
        const std::int32_t price = entry[r + 1];
        const double net = static_cast<double>(exit[r]) - static_cast<double>(price) - fee;
        const double quotient = net * 10000.0 / static_cast<double>(price > 1 ? price : 1);
        const bool outside = !(std::fabs(quotient) < widest);
        wide[r] = outside;
        returnBp[r] = static_cast<std::int32_t>(outside ? 0.0 : quotient) - (outside ? 0 : cost);
    }
}

// The counts of one kind over days [begin, end), in lanes; the returns themselves after.
[[gnu::always_inline]] inline void countRun(const std::int32_t* __restrict kind, const std::int32_t* __restrict excluded,
                                            const std::int32_t* __restrict returnBp, std::size_t begin, std::size_t end,
                                            CheckCounts& counts)
{
    std::int32_t events = 0, wins = 0, hits5 = 0, hits10 = 0, left = 0;
    std::int64_t sum = 0, winSum = 0;
    for (std::size_t r = begin; r < end; ++r) {
        const std::int32_t is = kind[r] & (excluded[r] ^ 1);
        const std::int32_t value = returnBp[r];
        const std::int32_t win = is & (value > 0);
        events += is;
        wins += win;
        hits5 += is & (value >= 500);
        hits10 += is & (value >= 1000);
        left += kind[r] & excluded[r];
        sum += value & -is;
        winSum += value & -win;
    }
    counts.events += events;
    counts.wins += wins;
    counts.hits5 += hits5;
    counts.hits10 += hits10;
    counts.excluded += left;
    counts.sumBp += sum;
    counts.winSumBp += winSum;
    for (std::size_t r = begin; r < end; ++r) {
        if (kind[r] & (excluded[r] ^ 1))
            counts.returns.add(returnBp[r]);
    }
}

void fillBaseline(const EvaluatedDays& days, std::size_t first, std::size_t last, const Bounds& b, DayLanes& lanes)
{
    markEvents(days.date.data(), days.avgPrice.data(), days.ma10.data(), days.ma60.data(), first, last, b, lanes.all.data(),
               lanes.selection.data(), lanes.recommended.data(), lanes.year.data());
    markExRights(days.date.data(), days.high.data(), days.close.data(), days.date.size(), b, lanes.exRightsUpTo.data());
}

[[gnu::target("avx2")]] void fillAvx2(const EvaluatedDays& days, std::size_t first, std::size_t last, const Bounds& b,
                                      DayLanes& lanes)
{
    markEvents(days.date.data(), days.avgPrice.data(), days.ma10.data(), days.ma60.data(), first, last, b, lanes.all.data(),
               lanes.selection.data(), lanes.recommended.data(), lanes.year.data());
    markExRights(days.date.data(), days.high.data(), days.close.data(), days.date.size(), b, lanes.exRightsUpTo.data());
}

void holdingsBaseline(const EvaluatedDays& days, std::size_t first, std::size_t last, std::size_t horizon, double fee,
                      std::int32_t cost, DayLanes& lanes)
{
    holdings(lanes.exRightsUpTo.data(), days.avgPrice.data(), days.close.data() + horizon, first, last, horizon, fee, cost,
             lanes.excluded.data(), lanes.returnBp.data(), lanes.wide.data());
}

[[gnu::target("avx2")]] void holdingsAvx2(const EvaluatedDays& days, std::size_t first, std::size_t last, std::size_t horizon,
                                          double fee, std::int32_t cost, DayLanes& lanes)
{
    holdings(lanes.exRightsUpTo.data(), days.avgPrice.data(), days.close.data() + horizon, first, last, horizon, fee, cost,
             lanes.excluded.data(), lanes.returnBp.data(), lanes.wide.data());
}

void countBaseline(const std::int32_t* kind, const DayLanes& lanes, std::size_t begin, std::size_t end, CheckCounts& counts)
{
    countRun(kind, lanes.excluded.data(), lanes.returnBp.data(), begin, end, counts);
}

[[gnu::target("avx2")]] void countAvx2(const std::int32_t* kind, const DayLanes& lanes, std::size_t begin, std::size_t end,
                                       CheckCounts& counts)
{
    countRun(kind, lanes.excluded.data(), lanes.returnBp.data(), begin, end, counts);
}

} // namespace

CheckAccumulator::CheckAccumulator(std::int64_t horizon, std::int64_t fee, std::int64_t costBp, const CheckSettings& settings,
                                   std::int32_t today)
    : horizon_(horizon),
      fee_(fee),
      cost_(costBp),
      from_(settings.from.value_or(std::numeric_limits<std::int32_t>::min())),
      to_(settings.to.value_or(std::numeric_limits<std::int32_t>::max())),
      today_(today),
      horizons_(settings.horizons.empty() ? defaultHorizons(horizon) : settings.horizons),
      listTrades_(settings.trades),
      set_(BestInstructionSet()),
      counts_(std::make_unique<std::array<std::array<YearCounts, kYears>, kClasses>>()),
      lanes_(std::make_unique<DayLanes>())
{
    for (const std::int64_t other : horizons_) {
        if (other != horizon && other > 0)
            others_.push_back(other);
    }
    horizonCounts_.resize(others_.size());
}

CheckAccumulator::~CheckAccumulator() = default;

void CheckAccumulator::addDays(const EvaluatedDays& days, SecurityClass securityClass, PriceLimit limit, std::size_t file)
{
    const auto count = std::int64_t{days.count()};
    std::int64_t shortest = horizon_ > 0 ? horizon_ : std::numeric_limits<std::int64_t>::max();
    for (const std::int64_t other : others_)
        shortest = std::min(shortest, other);
    // The last day whose exit day is in the table, for the shortest horizon.
    if (count - 1 - shortest < kLongAverageDays)
        return;
    constexpr std::size_t first = kLongAverageDays;
    const Bounds bounds{from_, to_, today_, limit};
    DayLanes& lanes = *lanes_;
    const bool avx2 = set_ == InstructionSet::Avx2;
    (avx2 ? fillAvx2 : fillBaseline)(days, first, static_cast<std::size_t>(count - 1 - shortest), bounds, lanes);
    for (std::size_t t = 1; t < days.date.size(); ++t)
        lanes.exRightsUpTo[t] += lanes.exRightsUpTo[t - 1];

    const std::array<const std::int32_t*, kCheckKinds.size()> kinds = {lanes.all.data(), lanes.selection.data(),
                                                                       lanes.recommended.data()};
    const auto cost = static_cast<std::int32_t>(std::min<std::int64_t>(cost_, std::numeric_limits<std::int32_t>::max()));
    // One horizon's days in runs: each run's counts are those `countsOf` gives for its
    // first day, which also sets where the run ends; none to pass it by.
    const auto countHorizon = [&](std::int64_t horizon, std::size_t last, auto&& countsOf) {
        const auto h = static_cast<std::size_t>(horizon);
        (avx2 ? holdingsAvx2 : holdingsBaseline)(days, first, last, h, static_cast<double>(fee_), cost, lanes);
        // Absurd prices or costs give returns past 32 bits: those tables are counted day
        // by day in integers.
        bool exact = true;
        for (std::size_t r = first; r <= last; ++r)
            exact &= !(lanes.all[r] & lanes.wide[r]);
        for (std::size_t begin = first, end = first; begin <= last; begin = end) {
            YearCounts* const counted = countsOf(begin, end);
            if (!counted)
                continue;
            YearCounts& counts = *counted;
            for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
                if (exact) {
                    (avx2 ? countAvx2 : countBaseline)(kinds[kind], lanes, begin, end, counts[kind]);
                    continue;
                }
                for (std::size_t r = begin; r < end; ++r) {
                    if (!kinds[kind][r])
                        continue;
                    if (lanes.excluded[r]) {
                        ++counts[kind].excluded;
                        continue;
                    }
                    const std::int32_t entry = days.avgPrice[r + 1];
                    counts[kind].add((std::int64_t{days.close[r + h]} - entry - fee_) * 10000 / entry - cost_);
                }
            }
        }
    };

    auto& years = (*counts_)[static_cast<std::size_t>(securityClass)];
    if (horizon_ > 0 && count - 1 - horizon_ >= kLongAverageDays) {
        const auto last = static_cast<std::size_t>(count - 1 - horizon_);
        // Days of one year at a time: in a file whose dates ascend, a few long runs.
        countHorizon(horizon_, last, [&](std::size_t begin, std::size_t& end) -> YearCounts* {
            end = begin + 1;
            while (end <= last && lanes.year[end] == lanes.year[begin])
                ++end;
            const bool any =
                std::any_of(lanes.all.begin() + static_cast<std::ptrdiff_t>(begin),
                            lanes.all.begin() + static_cast<std::ptrdiff_t>(end), [](std::int32_t event) { return event != 0; });
            return any ? &years[static_cast<std::size_t>(std::clamp(lanes.year[begin] - kFirstYear, 0, kYears - 1))] : nullptr;
        });
        if (listTrades_)
            listTrades(days, last, file);
    }
    for (std::size_t k = 0; k < others_.size(); ++k) {
        if (count - 1 - others_[k] < kLongAverageDays)
            continue;
        const auto last = static_cast<std::size_t>(count - 1 - others_[k]);
        countHorizon(others_[k], last, [&](std::size_t, std::size_t& end) {
            end = last + 1;
            return &horizonCounts_[k][static_cast<std::size_t>(securityClass)];
        });
    }
}

// The file's trades of the kinds Selection and Recommended for the horizon, left-out
// ones too, each return in integers as the counts have it.
void CheckAccumulator::listTrades(const EvaluatedDays& days, std::size_t last, std::size_t file)
{
    const DayLanes& lanes = *lanes_;
    const auto h = static_cast<std::size_t>(horizon_);
    for (std::size_t r = kLongAverageDays; r <= last; ++r) {
        for (const CheckKind kind : {CheckKind::Selection, CheckKind::Recommended}) {
            if (!(kind == CheckKind::Selection ? lanes.selection[r] : lanes.recommended[r]))
                continue;
            const std::int32_t entry = days.avgPrice[r + 1];
            const std::int32_t exit = days.close[r + h];
            trades_.push_back({file, days.date[r], kind, days.date[r + 1], days.date[r + h], entry, exit,
                               (std::int64_t{exit} - entry - fee_) * 10000 / entry - cost_, lanes.excluded[r] != 0});
        }
    }
}

SignalCheck CheckAccumulator::result() const
{
    SignalCheck check;
    const bool listed = std::find(horizons_.begin(), horizons_.end(), horizon_) != horizons_.end();
    for (std::size_t securityClass = 0; securityClass < kClasses; ++securityClass) {
        const auto asClass = static_cast<SecurityClass>(securityClass);
        YearCounts total{};
        for (int year = 0; year < kYears; ++year) {
            const YearCounts& counts = (*counts_)[securityClass][static_cast<std::size_t>(year)];
            if (counts[0].events > 0 || counts[0].excluded > 0) {
                check.add(asClass, kFirstYear + year, counts);
                total += counts;
            }
        }
        // The window's horizon in total is its years together.
        if (listed && (total[0].events > 0 || total[0].excluded > 0))
            check.addHorizon(asClass, horizon_, total);
        for (std::size_t k = 0; k < others_.size(); ++k) {
            const YearCounts& counts = horizonCounts_[k][securityClass];
            if (counts[0].events > 0 || counts[0].excluded > 0)
                check.addHorizon(asClass, others_[k], counts);
        }
    }
    return check;
}

} // namespace verdaxil
