#include "analysis/SelectionStats.h"

#include "analysis/CrossingRules.h"
#include "analysis/Indicators.h"
#include "analysis/PriceUnit.h"
#include "quotes/DayTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>

namespace verdaxil {

namespace {

constexpr int kFirstRow = kLongAverageDays; // the first day whose day before has a 60-day average
constexpr std::int32_t kLowestScoredAvgPrice = 3;
constexpr std::int64_t kTenPercent = 10;

using Days = std::array<std::int32_t, DayTable::kRows>;
using Marks = std::array<std::uint8_t, DayTable::kRows>;

std::int64_t buyPrice(const EvaluatedDays& days, int day)
{
    const auto at = static_cast<std::size_t>(day);
    return (std::int64_t{days.avgPrice[at]} + days.low[at]) / 2;
}

std::int64_t gainPercent(std::int64_t gain, std::int64_t buy)
{
    return gain * 100 / buy;
}

// Every flag of a point and MaxGain depend only on the point's best window day: the
// net gain grows with the exit price, and so does its percentage.
void scoreBestDay(std::int64_t gain, std::int64_t buy, SelectionStats& stats)
{
    if (gain <= 0)
        return;
    const std::int64_t percent = gainPercent(gain, buy);
    ++stats.ProfitHits;
    // Strictly greater: of equal gains the first in scan order keeps its percentage.
    if (gain > stats.MaxGain) {
        stats.MaxGain = gain;
        stats.MaxGainPercent = percent;
    }
    stats.Hits5 += percent >= 5;
    stats.Hits10 += percent >= kTenPercent;
    stats.Hits50 += percent >= 50;
    stats.Hits100 += percent >= 100;
}

// The largest exit price of days [first, end): (high + AvgPrice) / 2 truncated toward
// zero, in 32 bits. The sum of the halves' floors and the carry of two odd values is
// the mean's floor, one below the truncated mean when the sum is negative and odd.
[[gnu::always_inline]] inline std::int32_t largestExit(const EvaluatedDays& days, std::int64_t first, std::int64_t end)
{
    std::int32_t best = std::numeric_limits<std::int32_t>::min();
    for (auto day = static_cast<std::size_t>(first); day < static_cast<std::size_t>(end); ++day) {
        const std::int32_t high = days.high[day];
        const std::int32_t average = days.avgPrice[day];
        const std::int32_t floor = (high >> 1) + (average >> 1) + (high & average & 1);
        best = std::max(best, floor + ((floor >> 31) & (high ^ average) & 1));
    }
    return best;
}

// Marks and counts the selection points.
[[gnu::always_inline]] inline std::int64_t markPoints(const EvaluatedDays& days, Marks& marks)
{
    int points = 0;
    for (auto day = static_cast<std::size_t>(kFirstRow); day < days.date.size(); ++day) {
        const bool point = crossesUp(days.ma10[day], days.ma60[day], days.ma10[day - 1], days.ma60[day - 1]);
        points += point;
        marks[day] = point;
    }
    return points;
}

// The best exit price of each point's window [point, point + horizon - 1], cut at the
// latest day, with every day searched at most twice whatever the horizon. Days from
// the first point on are split into blocks of `horizon` days; a window spans at most
// two, so its best day is the larger of the best from its first day to its block's end
// and the best from the next block's start to its last day. Each of these is searched
// from the one of the point before in the same block.
[[gnu::always_inline]] inline void bestExits(const EvaluatedDays& days, std::span<const int> points, std::int64_t horizon,
                                             Days& best)
{
    const std::int64_t count = days.count();
    const std::int64_t from = points.front();
    const std::int64_t block = std::min<std::int64_t>(horizon, count - from);
    const auto blockOf = [&](std::int64_t day) { return (day - from) / block; };
    for (std::size_t k = points.size(); k-- > 0;) {
        const int point = points[k];
        const std::int64_t end = std::min<std::int64_t>(count, from + (blockOf(point) + 1) * block);
        const bool nextInBlock = k + 1 < points.size() && points[k + 1] < end;
        best[k] = nextInBlock ? std::max(largestExit(days, point, points[k + 1]), best[k + 1]) : largestExit(days, point, end);
    }
    std::int64_t reachedBlock = -1;
    std::int64_t reached = 0;
    std::int32_t fromBlockStart = 0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const std::int64_t last = std::min<std::int64_t>(count, points[k] + std::min<std::int64_t>(horizon, count)) - 1;
        const std::int64_t lastBlock = blockOf(last);
        if (lastBlock == blockOf(points[k]))
            continue;
        if (lastBlock == reachedBlock)
            fromBlockStart = std::max(fromBlockStart, largestExit(days, reached + 1, last + 1));
        else
            fromBlockStart = largestExit(days, from + lastBlock * block, last + 1);
        reachedBlock = lastBlock;
        reached = last;
        best[k] = std::max(best[k], fromBlockStart);
    }
}

// Calls judge(day, gain, buy) for each marked point that is scored, in the order of the
// days, with the net gain of its best window day. The horizon must be positive.
template <class Judge>
[[gnu::always_inline]] inline void judgeScoredPoints(const EvaluatedDays& days, const Marks& marks, std::int64_t horizon,
                                                     std::int64_t fee, Judge&& judge)
{
    // Points are rare: the library's search skips the days between them many at a time.
    // A point whose average price is 2 or less, or whose buy price is not positive (the
    // percentage divides by it), is counted and judged no further.
    std::array<int, DayTable::kRows> points;
    std::size_t pointCount = 0;
    const std::uint8_t* const first = marks.data();
    const std::uint8_t* const end = first + days.count();
    for (auto* at = static_cast<const std::uint8_t*>(std::memchr(first + kFirstRow, 1, end - first - kFirstRow)); at;
         at = static_cast<const std::uint8_t*>(std::memchr(at + 1, 1, static_cast<std::size_t>(end - at - 1)))) {
        const auto day = static_cast<int>(at - first);
        points[pointCount] = day;
        pointCount += days.avgPrice[static_cast<std::size_t>(day)] >= kLowestScoredAvgPrice && buyPrice(days, day) > 0;
    }
    if (pointCount == 0)
        return;

    const std::span<const int> scoredPoints = std::span(points).first(pointCount);
    Days best;
    bestExits(days, scoredPoints, horizon, best);
    for (std::size_t k = 0; k < pointCount; ++k) {
        const std::int64_t buy = buyPrice(days, scoredPoints[k]);
        judge(scoredPoints[k], best[k] - buy - fee, buy);
    }
}

[[gnu::always_inline]] inline SelectionStats selectionStats(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee)
{
    SelectionStats stats;
    if (days.count() <= kFirstRow)
        return stats;
    Marks marks;
    stats.PointCount = markPoints(days, marks);
    // With a horizon of 0 or less every window is empty.
    if (stats.PointCount == 0 || horizon <= 0)
        return stats;
    judgeScoredPoints(days, marks, horizon, fee,
                      [&](int, std::int64_t gain, std::int64_t buy) { scoreBestDay(gain, buy, stats); });
    return stats;
}

SelectionStats selectionStatsBaseline(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee)
{
    return selectionStats(days, horizon, fee);
}

[[gnu::target("avx2")]] SelectionStats selectionStatsAvx2(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee)
{
    return selectionStats(days, horizon, fee);
}

} // namespace

bool IsSelectionPoint(const EvaluatedDays& days, int day)
{
    const auto at = static_cast<std::size_t>(day);
    return day >= kFirstRow && crossesUp(days.ma10[at], days.ma60[at], days.ma10[at - 1], days.ma60[at - 1]);
}

SelectionStats ComputeSelectionStats(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee, InstructionSet set)
{
    return set == InstructionSet::Avx2 ? selectionStatsAvx2(days, horizon, fee) : selectionStatsBaseline(days, horizon, fee);
}

std::vector<PointOutcome> SelectionPointOutcomes(const EvaluatedDays& days, std::int64_t horizon, std::int64_t fee)
{
    std::vector<PointOutcome> outcomes;
    if (days.count() <= kFirstRow)
        return outcomes;
    Marks marks;
    outcomes.reserve(static_cast<std::size_t>(markPoints(days, marks)));
    for (int day = kFirstRow; day < days.count(); ++day) {
        if (marks[static_cast<std::size_t>(day)])
            outcomes.push_back({day, Outcome::NotScored});
    }
    if (outcomes.empty() || horizon <= 0)
        return outcomes;
    auto next = outcomes.begin();
    judgeScoredPoints(days, marks, horizon, fee, [&](int day, std::int64_t gain, std::int64_t buy) {
        next = std::find_if(next, outcomes.end(), [&](const PointOutcome& point) { return point.day == day; });
        next->outcome = gain <= 0                   ? Outcome::NoProfit
            : gainPercent(gain, buy) >= kTenPercent ? Outcome::TenPercent
                                                    : Outcome::Profit;
    });
    return outcomes;
}

DisplayedStats displayed(const SelectionStats& stats)
{
    DisplayedStats shown{stats.PointCount, fenOfFilePrice(stats.MaxGain), stats.MaxGainPercent, {}, {}, {}, {}, {}};
    // Without a selection point there is no share to show.
    if (stats.PointCount > 0) {
        const auto share = [&](std::int64_t hits) { return hits * 100 / stats.PointCount; };
        shown.profitShare = share(stats.ProfitHits);
        shown.share5 = share(stats.Hits5);
        shown.share10 = share(stats.Hits10);
        shown.share50 = share(stats.Hits50);
        shown.share100 = share(stats.Hits100);
    }
    return shown;
}

} // namespace verdaxil
