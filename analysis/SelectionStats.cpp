#include "analysis/SelectionStats.h"

#include "analysis/ClearResults.h"
#include "runtime/IntegerText.h"

#include <algorithm>

namespace verdaxil {

namespace {

constexpr int kFirstRow = 60;  // the first row whose previous row has a 60-day average
constexpr std::int32_t kLowestScoredAvgPrice = 3;

std::int64_t gap(const DayTable::Row& row)
{
    return std::int64_t{row[Column::Ma10]} - row[Column::Ma60];
}

bool isSelectionPoint(const DayTable::Row& day, const DayTable::Row& previous)
{
    return day[Column::Ma10] >= day[Column::Ma60] && previous[Column::Ma10] <= previous[Column::Ma60]
        && gap(day) > gap(previous);
}

// Adds to `counter` once per selection point: `flag` remembers that it did.
void hitOnce(bool reached, bool& flag, std::int64_t& counter)
{
    if (reached && !flag) {
        flag = true;
        ++counter;
    }
}

void evaluatePoint(const DayTable& table, int count, int point, std::int64_t horizon, std::int64_t fee,
                   SelectionStats& stats)
{
    const DayTable::Row& day = table.rows[static_cast<std::size_t>(point)];
    if (day[Column::AvgPrice] < kLowestScoredAvgPrice)
        return;
    const std::int64_t buy = (std::int64_t{day[Column::AvgPrice]} + day[Column::Low]) / 2;
    // The percentage divides by the buy price; a point without a positive one scores nothing.
    if (buy <= 0)
        return;

    bool profit = false, five = false, ten = false, fifty = false, hundred = false;
    const std::int64_t last = std::min<std::int64_t>(count - 1, point + horizon - 1);
    for (std::int64_t j = point; j <= last; ++j) {
        const DayTable::Row& exitDay = table.rows[static_cast<std::size_t>(j)];
        const std::int64_t exit = (std::int64_t{exitDay[Column::High]} + exitDay[Column::AvgPrice]) / 2;
        const std::int64_t gain = exit - buy - fee;
        if (gain <= 0)
            continue;
        hitOnce(true, profit, stats.ProfitHits);
        const std::int64_t percent = gain * 100 / buy;
        if (gain > stats.MaxGain) {
            stats.MaxGain = gain;
            stats.MaxGainPercent = percent;
        }
        hitOnce(percent >= 5, five, stats.Hits5);
        hitOnce(percent >= 10, ten, stats.Hits10);
        hitOnce(percent >= 50, fifty, stats.Hits50);
        hitOnce(percent >= 100, hundred, stats.Hits100);
    }
}

QString share(std::int64_t hits, std::int64_t points)
{
    return intToText(hits * 100 / points);
}

} // namespace

SelectionStats ComputeSelectionStats(const DayTable& table, int count, std::int64_t horizon, std::int64_t fee)
{
    SelectionStats stats;
    for (int row = kFirstRow; row < count; ++row) {
        if (!isSelectionPoint(table.rows[static_cast<std::size_t>(row)], table.rows[static_cast<std::size_t>(row - 1)]))
            continue;
        ++stats.PointCount;
        evaluatePoint(table, count, row, horizon, fee, stats);
    }
    return stats;
}

void ShowSelectionStats(QueryWindow& window, const SelectionStats& stats)
{
    window.setText(Control::HighestPriceinDate, intToText(stats.MaxGain / 10));
    window.setText(Control::EdtRiseRateinHistory, intToText(stats.MaxGainPercent));

    const std::pair<Control, std::int64_t> shares[] = {
        {Control::Edt5P, stats.Hits5},     {Control::Edt10P, stats.Hits10},
        {Control::Edt50P, stats.Hits50},   {Control::Edt100P, stats.Hits100},
        {Control::EdtRiseRateinDate, stats.ProfitHits},
    };
    for (const auto& [control, hits] : shares) {
        // Without a selection point there is no share to show, and the previous
        // security's figures must not stay next to the new code.
        window.setText(control, stats.PointCount > 0 ? share(hits, stats.PointCount) : placeholderText(control));
    }
    window.setText(Control::EdtSNum, intToText(stats.PointCount));
}

} // namespace verdaxil
