#include "analysis/Indicators.h"

#include "analysis/ClearResults.h"
#include "runtime/IntegerText.h"
#include "runtime/WideArithmetic.h"

#include <algorithm>
#include <span>

namespace verdaxil {

namespace {

// Ma10 - Ma60 of a row, exact in 64 bits.
std::int64_t gap(const DayTable::Row& row)
{
    return std::int64_t{row[Column::Ma10]} - row[Column::Ma60];
}

void fillMovingAverage(DayTable& table, int column, int length)
{
    std::int64_t sum = 0;
    for (int row = 0; row < table.count; ++row) {
        sum += table.rows[static_cast<std::size_t>(row)][Column::AvgPrice];
        if (row >= length)
            sum -= table.rows[static_cast<std::size_t>(row - length)][Column::AvgPrice];
        if (row >= length - 1)
            table.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                static_cast<std::int32_t>(sum / length);
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
    return clampToInt32(std::int64_t{amount} * 1000 / volume * 10);
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

void ShowIndicators(QueryWindow& window, const DayTable& table)
{
    const auto valid = std::span(table.rows).first(static_cast<std::size_t>(table.count));
    std::int32_t high = 0;
    for (const DayTable::Row& row : valid)
        high = std::max(high, row[Column::High]);
    // The low is searched from the high, not from a large constant.
    std::int32_t low = high;
    for (const DayTable::Row& row : valid)
        low = std::min(low, row[Column::Low]);
    window.setText(Control::EdtHHigh, intToText(high / 10));
    window.setText(Control::EdtLowest, intToText(low / 10));

    // With fewer than two days there is no signal, and nothing of the previous
    // security may stay next to the new code.
    if (table.count >= 2)
        showRecommendation(window, IsRecommended(valid[valid.size() - 1], valid[valid.size() - 2]));
    else
        resetRecommendation(window);

    if (table.count >= 1) {
        const DayTable::Row& latest = valid.back();
        window.setText(Control::LblCDate, intToText(latest[Column::Date]));
        window.setText(Control::stockprice, intToText(latest[Column::Close] / 10));
    } else {
        window.setText(Control::LblCDate, placeholderText(Control::LblCDate));
        window.setText(Control::stockprice, placeholderText(Control::stockprice));
    }
}

} // namespace verdaxil
