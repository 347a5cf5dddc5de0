#include "analysis/SelectionStats.h"

#include "analysis/ClearResults.h"
#include "analysis/Indicators.h"
#include "runtime/IntegerText.h"

#include <algorithm>
#include <array>
#include <optional>

namespace verdaxil {

namespace {

constexpr int kFirstRow = kLongAverageDays; // the first row whose previous row has a 60-day average
constexpr std::int32_t kLowestScoredAvgPrice = 3;

std::int64_t gap(const DayTable::Row& row)
{
    return std::int64_t{row[Column::Ma10]} - row[Column::Ma60];
}

// The price a window day sells at; within 32 bits, as the mean of two 32-bit values.
std::int32_t exitPrice(const DayTable::Row& day)
{
    return static_cast<std::int32_t>((std::int64_t{day[Column::High]} + day[Column::AvgPrice]) / 2);
}

// The largest exit price of each window [first, first + horizon - 1], cut at the
// latest row, in time linear in the rows whatever the horizon. The rows from `from` on
// are split into blocks of `horizon` rows; a window spans at most two blocks, so its
// maximum is the larger of the maximum from its first row to the end of its block
// and the maximum from the start of the next block to its last row.
class WindowMaxima {
public:
    WindowMaxima(const DayTable& table, int count, int from, std::int64_t horizon)
        : count_(count), from_(from), block_(static_cast<int>(std::min<std::int64_t>(horizon, count)))
    {
        for (int start = from; start < count; start += block_) {
            const int end = std::min(start + block_, count);
            std::int32_t running = exitPrice(table.rows[index(start)]);
            for (int row = start; row < end; ++row)
                fromBlockStart_[index(row)] = running = std::max(running, exitPrice(table.rows[index(row)]));
            running = exitPrice(table.rows[index(end - 1)]);
            for (int row = end - 1; row >= start; --row)
                toBlockEnd_[index(row)] = running = std::max(running, exitPrice(table.rows[index(row)]));
        }
    }

    std::int32_t of(int first) const
    {
        const int last = static_cast<int>(std::min<std::int64_t>(count_ - 1, std::int64_t{first} + block_ - 1));
        const bool oneBlock = (first - from_) / block_ == (last - from_) / block_;
        return oneBlock ? toBlockEnd_[index(first)] : std::max(toBlockEnd_[index(first)], fromBlockStart_[index(last)]);
    }

private:
    static std::size_t index(int row) { return static_cast<std::size_t>(row); }

    int count_;
    int from_;
    int block_;
    std::array<std::int32_t, DayTable::kRows> toBlockEnd_;
    std::array<std::int32_t, DayTable::kRows> fromBlockStart_;
};

bool isSelectionPoint(const DayTable::Row& day, const DayTable::Row& previous)
{
    const std::int64_t today = gap(day);
    const std::int64_t before = gap(previous);
    return (today >= 0) & (before <= 0) & (today > before);
}

// The buy price of a selection point, or 0 for a point that is not evaluated: one
// whose average price is 2 or less, or whose buy price is not positive (the
// percentage divides by it).
std::int64_t buyPrice(const DayTable::Row& day)
{
    const std::int64_t buy = (std::int64_t{day[Column::AvgPrice]} + day[Column::Low]) / 2;
    return day[Column::AvgPrice] >= kLowestScoredAvgPrice && buy > 0 ? buy : 0;
}

// Every flag of a point and MaxGain depend only on the point's best window day: the
// net gain grows with the exit price, and so does its percentage.
void scoreBestDay(std::int64_t gain, std::int64_t buy, SelectionStats& stats)
{
    if (gain <= 0)
        return;
    const std::int64_t percent = gain * 100 / buy;
    ++stats.ProfitHits;
    // Strictly greater: of equal gains the first in scan order keeps its percentage.
    if (gain > stats.MaxGain) {
        stats.MaxGain = gain;
        stats.MaxGainPercent = percent;
    }
    stats.Hits5 += percent >= 5;
    stats.Hits10 += percent >= 10;
    stats.Hits50 += percent >= 50;
    stats.Hits100 += percent >= 100;
}

} // namespace

bool IsSelectionPoint(const DayTable& table, int row)
{
    return row >= kFirstRow
        && isSelectionPoint(table.rows[static_cast<std::size_t>(row)], table.rows[static_cast<std::size_t>(row - 1)]);
}

SelectionStats ComputeSelectionStats(const DayTable& table, int count, std::int64_t horizon, std::int64_t fee)
{
    SelectionStats stats;
    // The selection points that are evaluated, in scan order.
    std::array<int, DayTable::kRows> evaluated;
    std::size_t evaluatedCount = 0;
    // Without branches: whether a day is a selection point is a coin toss to the
    // processor, and a mispredicted branch costs more than the whole test.
    for (int row = kFirstRow; row < count; ++row) {
        const DayTable::Row& day = table.rows[static_cast<std::size_t>(row)];
        const bool point = isSelectionPoint(day, table.rows[static_cast<std::size_t>(row - 1)]);
        stats.PointCount += point;
        evaluated[evaluatedCount] = row;
        evaluatedCount += point & (buyPrice(day) > 0);
    }
    // With a horizon of 0 or less every window is empty.
    if (evaluatedCount == 0 || horizon <= 0)
        return stats;

    const auto score = [&](auto bestExit) {
        for (std::size_t k = 0; k < evaluatedCount; ++k) {
            const int row = evaluated[k];
            const std::int64_t buy = buyPrice(table.rows[static_cast<std::size_t>(row)]);
            scoreBestDay(bestExit(row) - buy - fee, buy, stats);
        }
    };
    // Short windows are cheaper to search one by one than to cover with blocks.
    const std::int64_t window = std::min<std::int64_t>(horizon, count - evaluated[0]);
    if (window * static_cast<std::int64_t>(evaluatedCount) <= count - evaluated[0]) {
        score([&](int first) {
            std::int32_t best = exitPrice(table.rows[static_cast<std::size_t>(first)]);
            for (std::int64_t row = first + 1; row < std::min<std::int64_t>(count, first + horizon); ++row)
                best = std::max(best, exitPrice(table.rows[static_cast<std::size_t>(row)]));
            return best;
        });
    } else {
        const WindowMaxima maxima(table, count, evaluated[0], horizon);
        score([&](int first) { return maxima.of(first); });
    }
    return stats;
}

DisplayedStats displayed(const SelectionStats& stats)
{
    DisplayedStats shown{stats.PointCount, stats.MaxGain / 10, stats.MaxGainPercent, {}, {}, {}, {}, {}};
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

void ShowSelectionStats(QueryWindow& window, const SelectionStats& stats)
{
    const DisplayedStats shown = displayed(stats);
    window.setText(Control::HighestPriceinDate, intToText(shown.maxGain));
    window.setText(Control::EdtRiseRateinHistory, intToText(shown.maxGainPercent));

    const std::pair<Control, std::optional<std::int64_t>> shares[] = {
        {Control::Edt5P, shown.share5},
        {Control::Edt10P, shown.share10},
        {Control::Edt50P, shown.share50},
        {Control::Edt100P, shown.share100},
        {Control::EdtRiseRateinDate, shown.profitShare},
    };
    // The previous security's figures must not stay next to the new code.
    for (const auto& [control, value] : shares)
        window.setText(control, value ? intToText(*value) : placeholderText(control));
    window.setText(Control::EdtSNum, intToText(shown.points));
}

} // namespace verdaxil
