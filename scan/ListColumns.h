#pragma once

#include "scan/ScanRow.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>

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

inline constexpr std::array kListColumns = {
    ListColumn::Market,      ListColumn::Code,    ListColumn::Name,           ListColumn::New,
    ListColumn::Class,       ListColumn::Board,   ListColumn::Date,           ListColumn::Status,
    ListColumn::Price,       ListColumn::Since,   ListColumn::Recommended,    ListColumn::Points,
    ListColumn::ProfitShare, ListColumn::Share5,  ListColumn::Share10,        ListColumn::Share50,
    ListColumn::Share100,    ListColumn::MaxGain, ListColumn::MaxGainPercent, ListColumn::High,
    ListColumn::Low,         ListColumn::Error,
};

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
