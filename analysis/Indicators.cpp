#include "analysis/Indicators.h"

#include "analysis/ClearResults.h"
#include "runtime/IntegerText.h"
#include "runtime/WideArithmetic.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace verdaxil {

namespace {

// Ma10 - Ma60 of a row, exact in 64 bits.
std::int64_t gap(const DayTable::Row& row)
{
    return std::int64_t{row[Column::Ma10]} - row[Column::Ma60];
}

// Rows before the first whole window hold the fill value.
void fillMovingAverage(DayTable& table, int column, int length)
{
    std::int64_t sum = 0;
    for (int row = 0; row < table.count; ++row) {
        DayTable::Row& cells = table.rows[static_cast<std::size_t>(row)];
        sum += cells[Column::AvgPrice];
        if (row >= length)
            sum -= table.rows[static_cast<std::size_t>(row - length)][Column::AvgPrice];
        cells[static_cast<std::size_t>(column)] =
            row >= length - 1 ? static_cast<std::int32_t>(sum / length) : DayTable::kFill;
    }
}

void showRecommendation(QueryWindow& window, bool recommended)
{
    const Control no = recommended ? Control::RBtnNo : Control::RBtnYes;
    const Control yes = recommended ? Control::RBtnYes : Control::RBtnNo;
    window.setRadio(no, {false, false});
    window.setRadio(yes, {true, true});
}

} // namespace

std::int32_t AveragePrice(std::int32_t amount, std::int32_t volume)
{
    if (volume == 0)
        return 0;
    // amount * 1000 is below 2^53, where a double quotient truncates to exactly the
    // integer quotient; a 64-bit integer division here costs more than reading the file.
    const double quotient = std::trunc(static_cast<double>(amount) * 1000.0 / volume);
    return clampToInt32(static_cast<std::int64_t>(quotient) * 10);
}

void ComputeIndicators(DayTable& table)
{
    for (int row = 0; row < table.count; ++row) {
        DayTable::Row& cells = table.rows[static_cast<std::size_t>(row)];
        cells[Column::AvgPrice] = AveragePrice(cells[Column::Amount], cells[Column::Volume]);
    }
    fillMovingAverage(table, Column::Ma60, 60);
    fillMovingAverage(table, Column::Ma10, 10);
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
    for (const DayTable::Row& row : valid)
        summary.high = std::max(summary.high, row[Column::High]);
    // The low is searched from the high, not from a large constant.
    summary.low = summary.high;
    for (const DayTable::Row& row : valid)
        summary.low = std::min(summary.low, row[Column::Low]);
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
