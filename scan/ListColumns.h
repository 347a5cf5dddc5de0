#pragma once

#include "scan/ScanRow.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>

namespace verdaxil {

// The columns of the recommendation list, in the order the list window and the CSV
// file show them.
enum class ListColumn {
    Market,
    Code,
    Class,
    Date,
    Status,
    Price,
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
    ListColumn::Market,  ListColumn::Code,        ListColumn::Class,    ListColumn::Date,        ListColumn::Status,
    ListColumn::Price,   ListColumn::Recommended, ListColumn::Points,   ListColumn::ProfitShare, ListColumn::Share5,
    ListColumn::Share10, ListColumn::Share50,     ListColumn::Share100, ListColumn::MaxGain,     ListColumn::MaxGainPercent,
    ListColumn::High,    ListColumn::Low,         ListColumn::Error,
};

// The column's Chinese title; the up-share's title names the horizon.
QString columnTitle(ListColumn column, std::int64_t horizon);

// The key of the column in the JSON form of a row.
QString columnKey(ListColumn column);

// The row's value in the column: a qint64 for a number the main window would show
// after a query of that security, a bool for the recommendation, a QString for a
// text; a null QVariant where the window would show a placeholder.
QVariant columnValue(const ScanRow& row, ListColumn column);

// The value as the list shows it: numbers in decimal, the recommendation as 是 or 否,
// nothing for a null value.
QString columnText(const ScanRow& row, ListColumn column);

} // namespace verdaxil
