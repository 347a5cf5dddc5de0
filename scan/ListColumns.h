#pragma once

#include "scan/ScanRow.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace verdaxil {

// The columns of the recommendation list, in the order the list window and the files
// show them.
enum class ListColumn {
    Market,
    Code,
    Name,
    New,
    Class,
    Board,
    Date,
    Status,
    Price,
    Since,
    Recommended,
    Points,
    ProfitShare,
    Share5,
    Share10,
    Share50,
    Share100,
    MaxGain,
    MaxGainPercent,
    High,
    Low,
    Error,
};

// How the list window offers a column.
enum class ColumnShown {
    Always,      // the first block, which the table scrolls under
    WithPastDay, // how a past day's list did since
    ByDefault,   // shown until the user hides it from the header's menu
    OnAsking,    // hidden until the user shows it there
};

// Everything of a column but its cells.
struct ColumnFacts {
    std::u16string_view title;     // the short title the list window's header shows
    std::u16string_view longTitle; // as the files head the column and the header explains it
    bool namesHorizon;             // the long title follows the horizon: "30日内上涨几率%"
    std::u16string_view key;       // in the JSON form of a row, and for verdaxil-scan --sort
    bool descendingFirst;          // figures sort from the highest first, texts ascending
    ColumnShown shown;
};

// One row a column: a new column is a row here and its cells in columnValue and listCell,
// and the compiler names every switch that lacks it.
constexpr ColumnFacts columnFacts(ListColumn column)
{
    using S = ColumnShown;
    switch (column) {
    case ListColumn::Market: return {u"市场", u"市场", false, u"market", false, S::Always};
    case ListColumn::Code: return {u"代码", u"代码", false, u"code", false, S::Always};
    case ListColumn::Name: return {u"名称", u"名称", false, u"name", false, S::Always};
    case ListColumn::New: return {u"新", u"新", false, u"new", false, S::ByDefault};
    case ListColumn::Class: return {u"类别", u"类别", false, u"class", false, S::OnAsking};
    case ListColumn::Board: return {u"板块", u"板块", false, u"board", false, S::ByDefault};
    case ListColumn::Date: return {u"日期", u"最新日期", false, u"date", true, S::OnAsking};
    case ListColumn::Status: return {u"状态", u"状态", false, u"status", false, S::ByDefault};
    case ListColumn::Price: return {u"现价", u"现价(元)", false, u"price", true, S::ByDefault};
    case ListColumn::Since: return {u"至今%", u"至今涨幅%", false, u"since_bp", true, S::WithPastDay};
    case ListColumn::Recommended: return {u"推荐", u"是否推荐", false, u"recommended", false, S::ByDefault};
    case ListColumn::Points: return {u"选股点", u"选股点", false, u"points", true, S::ByDefault};
    case ListColumn::ProfitShare: return {u"上涨率", u"日内上涨几率%", true, u"profit_share", true, S::ByDefault};
    case ListColumn::Share5: return {u"≥5%", u"5%以上几率%", false, u"share5", true, S::ByDefault};
    case ListColumn::Share10: return {u"≥10%", u"10%以上几率%", false, u"share10", true, S::ByDefault};
    case ListColumn::Share50: return {u"≥50%", u"50%以上几率%", false, u"share50", true, S::OnAsking};
    case ListColumn::Share100: return {u"≥100%", u"100%以上几率%", false, u"share100", true, S::OnAsking};
    case ListColumn::MaxGain: return {u"最大涨幅", u"日内最大涨幅(元)", true, u"max_gain", true, S::OnAsking};
    case ListColumn::MaxGainPercent: return {u"上升比", u"历史最高上升比%", false, u"max_gain_percent", true, S::OnAsking};
    case ListColumn::High: return {u"最高", u"历史最高价(元)", false, u"high", true, S::OnAsking};
    case ListColumn::Low: return {u"最低", u"历史最低价(元)", false, u"low", true, S::OnAsking};
    case ListColumn::Error: return {u"错误", u"错误", false, u"error", false, S::OnAsking};
    }
    return {}; // no column: no key
}

// Every column in the enumeration's order, up to the first value that has no row above.
inline constexpr auto kListColumns = [] {
    constexpr std::size_t count = [] {
        std::size_t n = 0;
        while (!columnFacts(static_cast<ListColumn>(n)).key.empty())
            ++n;
        return n;
    }();
    std::array<ListColumn, count> columns{};
    for (std::size_t n = 0; n < count; ++n)
        columns[n] = static_cast<ListColumn>(n);
    return columns;
}();

// The short title the list window's header shows.
QString columnTitle(ListColumn column);
// The whole title, as the files head the column and the window's header explains it;
// the up-share's title names the horizon.
QString columnLongTitle(ListColumn column, std::int64_t horizon);

// The key of the column in the JSON form of a row.
QString columnKey(ListColumn column);

// The row's value in the column for programs (JSON): a qint64 for a number the main
// window would show after a query of that security (prices in 分, dates as YYYYMMDD),
// or for how it did since in basis points; a bool for the recommendation and for
// whether it is new on the list; a QString for a text; null where the window would
// show a placeholder, or where there is nothing to tell.
QVariant columnValue(const ScanRow& row, ListColumn column);

enum class CellKind {
    Text,
    Integer,
    Date,   // value: the date as YYYYMMDD
    Fixed2, // two decimals, as a price in 元 (点 for an index): the main window's 分 / 100
    Fixed3, // three decimals, as a price in 元: the file's own value / 1000
};

// A cell as people read it: in the list window, the CSV file and the spreadsheet.
struct ListCell {
    CellKind kind = CellKind::Text;
    QVariant value; // what the cell sorts by and a spreadsheet stores; null when empty
    QString text;   // as shown
};
ListCell listCell(const ScanRow& row, ListColumn column);

// A number of hundredths (two decimals) or thousandths (three) as a cell: "8.11",
// "-0.05", exactly.
ListCell fixedCell(std::int64_t scaled, int decimals);

// A price in the file's unit as the row's prices are shown.
ListCell filePriceCell(const ScanRow& row, std::int64_t price);

// Prices of funds, bonds and Shanghai's B shares move in thousandths of a yuan and are
// shown to three decimals; every other price to the main window's 分.
bool hasThreeDecimalPrices(const ScanRow& row);

} // namespace verdaxil
