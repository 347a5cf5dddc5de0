#include "analysis/Indicators.h"

#include "analysis/ClearResults.h"
#include "runtime/IntegerText.h"
#include "runtime/WideArithmetic.h"

#include <algorithm>
#include <limits>
#include <span>

namespace verdaxil {

namespace {

// Ma10 - Ma60 of a row, exact in 64 bits.
std::int64_t gap(const DayTable::Row& row)
{
    return std::int64_t{row[Column::Ma10]} - row[Column::Ma60];
}

void showRecommendation(QueryWindow& window, bool recommended)
{
    const Control no = recommended ? Control::RBtnNo : Control::RBtnYes;
    const Control yes = recommended ? Control::RBtnYes : Control::RBtnNo;
    window.setRadio(no, {false, false});
    window.setRadio(yes, {true, true});
}

} // namespace

// One pass: the average price of each row, then both moving averages from running
// sums. Rows before an average's first whole window hold the fill value.
void ComputeIndicators(DayTable& table)
{
    std::int64_t sumLong = 0;
    std::int64_t sumShort = 0;
    for (int row = 0; row < table.count; ++row) {
        DayTable::Row& cells = table.rows[static_cast<std::size_t>(row)];
        const std::int32_t average = AveragePrice(cells[Column::Amount], cells[Column::Volume]);
        cells[Column::AvgPrice] = average;
        sumLong += average;
        sumShort += average;
        if (row >= kLongAverageDays)
            sumLong -= table.rows[static_cast<std::size_t>(row - kLongAverageDays)][Column::AvgPrice];
        if (row >= kShortAverageDays)
            sumShort -= table.rows[static_cast<std::size_t>(row - kShortAverageDays)][Column::AvgPrice];
        cells[Column::Ma60] =
            row >= kLongAverageDays - 1 ? static_cast<std::int32_t>(sumLong / kLongAverageDays) : DayTable::kFill;
        cells[Column::Ma10] =
            row >= kShortAverageDays - 1 ? static_cast<std::int32_t>(sumShort / kShortAverageDays) : DayTable::kFill;
    }
}

bool IsRecommended(const DayTable::Row& latest, const DayTable::Row& previous)
{
    if (latest[Column::Ma10] < latest[Column::Ma60])
        return false;
    if (previous[Column::Ma10] <= previous[Column::Ma60])
        return true;
    return gap(latest) > gap(previous);
}

IndicatorSummary SummarizeIndicators(const DayTable& table)
{
    const auto valid = std::span(table.rows).first(static_cast<std::size_t>(table.count));
    IndicatorSummary summary;
    std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
    for (const DayTable::Row& row : valid) {
        summary.high = std::max(summary.high, row[Column::High]);
        lowest = std::min(lowest, row[Column::Low]);
    }
    // The low is searched from the high, not from a large constant.
    summary.low = std::min(summary.high, lowest);
    if (!valid.empty())
        summary.latest = LatestDay{valid.back()[Column::Date], valid.back()[Column::Close]};
    if (valid.size() >= 2)
        summary.recommended = IsRecommended(valid[valid.size() - 1], valid[valid.size() - 2]);
    return summary;
}

DisplayedIndicators displayed(const IndicatorSummary& summary)
{
    DisplayedIndicators shown{summary.high / 10, summary.low / 10, {}, {}, summary.recommended};
    if (summary.latest) {
        shown.date = summary.latest->date;
        shown.price = summary.latest->close / 10;
    }
    return shown;
}

void ShowIndicators(QueryWindow& window, const IndicatorSummary& summary)
{
    const DisplayedIndicators shown = displayed(summary);
    window.setText(Control::EdtHHigh, intToText(shown.high));
    window.setText(Control::EdtLowest, intToText(shown.low));

    // With fewer than two days there is no signal, and nothing of the previous
    // security may stay next to the new code.
    if (shown.recommended)
        showRecommendation(window, *shown.recommended);
    else
        resetRecommendation(window);

    for (const auto& [control, value] : {std::pair{Control::LblCDate, shown.date}, std::pair{Control::stockprice, shown.price}})
        window.setText(control, value ? intToText(*value) : placeholderText(control));
}

} // namespace verdaxil
