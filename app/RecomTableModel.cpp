#include "app/RecomTableModel.h"

namespace verdaxil {

void RecomTableModel::setRows(std::vector<ScanRow> rows, std::int64_t horizon, std::int32_t today)
{
    beginResetModel();
    rows_ = std::move(rows);
    listDay_ = AssignListDay(rows_, today);
    horizon_ = horizon;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int RecomTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecomTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kListColumns.size());
}

QVariant RecomTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const ScanRow& scanRow = row(index.row());
    const ListColumn column = kListColumns[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole: return columnText(scanRow, column);
    case SortRole: return columnValue(scanRow, column);
    case Qt::TextAlignmentRole: {
        const bool number = columnValue(scanRow, column).typeId() == QMetaType::LongLong;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default: return {};
    }
}

QVariant RecomTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnTitle(kListColumns[static_cast<std::size_t>(section)], horizon_);
}

void RecomFilter::setFilter(bool daysListOnly, std::optional<SecurityClass> securityClass)
{
    daysListOnly_ = daysListOnly;
    class_ = securityClass;
    invalidateFilter();
}

bool RecomFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* model = static_cast<const RecomTableModel*>(sourceModel());
    const ScanRow& row = model->row(sourceRow);
    if (daysListOnly_ && !IsOnDaysList(row, model->listDay()))
        return false;
    return !class_ || row.securityClass == *class_;
}

bool RecomFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(RecomTableModel::SortRole);
    const QVariant b = right.data(RecomTableModel::SortRole);
    // Descending order asks whether right < left: an empty cell is "least" then.
    const bool emptyLast = sortOrder() == Qt::AscendingOrder;
    if (a.isNull() || b.isNull())
        return a.isNull() != b.isNull() && (a.isNull() ? !emptyLast : emptyLast);
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}

} // namespace verdaxil
