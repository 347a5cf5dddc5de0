#include "scan/ListFilter.h"

#include "scan/SecurityNames.h"

namespace verdaxil {

bool showsRow(const ListFilter& filter, const ScanRow& row, std::optional<std::int32_t> listDay)
{
    return (!filter.daysListOnly || IsOnDaysList(row, listDay))
        && (!filter.securityClass || row.securityClass == *filter.securityClass)
        && (!filter.board || BoardOf(row.market, row.code) == *filter.board)
        && !(filter.hideSpecialTreatment && isSpecialTreatmentOrDelisting(row.name));
}

namespace {

// What a row sorts by in a column: the cell's value, the state's rank for 状态 so that
// its rows stay grouped; null where the cell is empty.
QVariant sortValue(const ScanRow& row, ListColumn column)
{
    // Rows of one state together, those of the list's day first, whatever the texts say.
    if (column == ListColumn::Status)
        return static_cast<qint64>(row.state);
    return listCell(row, column).value;
}

} // namespace

bool sortsBefore(const ScanRow& left, const ScanRow& right, ListColumn column, bool descending)
{
    const QVariant a = sortValue(left, column);
    const QVariant b = sortValue(right, column);
    if (a.isNull() || b.isNull())
        return b.isNull() && !a.isNull();
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Equivalent)
        return column != ListColumn::Points && sortsBefore(left, right, ListColumn::Points, true);
    return descending ? order == QPartialOrdering::Greater : order == QPartialOrdering::Less;
}

std::optional<ListColumn> columnWithKey(const QString& key)
{
    for (ListColumn column : kListColumns) {
        if (columnKey(column) == key)
            return column;
    }
    return std::nullopt;
}

} // namespace verdaxil
