#include "app/RecomTableModel.h"

#include <QColor>

#include "scan/NameListFiles.h"
#include "scan/SecurityNames.h"

namespace verdaxil {

void RecomTableModel::setRows(std::vector<ScanRow> rows, std::int64_t horizon, std::optional<std::int32_t> listDay)
{
    beginResetModel();
    rows_ = std::move(rows);
    listDay_ = listDay;
    horizon_ = horizon;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void RecomTableModel::setNames(const SecurityNames& names)
{
    AssignNames(rows_, names);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
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
    const ListColumn column = kListColumns[static_cast<std::size_t>(index.column())];
    const ListCell cell = listCell(row(index.row()), column);
    switch (role) {
    case Qt::ForegroundRole: {
        if (column != ListColumn::Since || cell.value.isNull())
            return {};
        // Prices across an ex-rights day tell no rise or fall: grey.
        if (row(index.row()).sinceExRights == true)
            return QColor(0x9e, 0x9e, 0x9e);
        if (cell.value.toDouble() == 0)
            return {};
        // A rise in red and a fall in green, as Chinese quote screens show them.
        return QColor(cell.value.toDouble() > 0 ? QColor(0xc6, 0x28, 0x28) : QColor(0x2e, 0x7d, 0x32));
    }
    case Qt::DisplayRole:
        if (column == ListColumn::Name && cell.text.size() > kNameShown)
            return cell.text.left(kNameShown - 1) + u'…';
        return cell.text;
    case Qt::ToolTipRole:
        if (column == ListColumn::Since && row(index.row()).sinceExRights == true)
            return QStringLiteral("期间除权，涨幅不可比");
        return column == ListColumn::Name && cell.text.size() > kNameShown ? QVariant(cell.text) : QVariant();
    case Qt::TextAlignmentRole: {
        const bool number = cell.kind != CellKind::Text;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default: return {};
    }
}

QVariant RecomTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ListColumn column = kListColumns[static_cast<std::size_t>(section)];
    // Short titles keep every column in view; the whole title on hovering.
    switch (role) {
    case Qt::DisplayRole: return columnTitle(column);
    case Qt::ToolTipRole: return columnLongTitle(column, horizon_);
    default: return QAbstractTableModel::headerData(section, orientation, role);
    }
}

void RecomFilter::setFilter(const ListFilter& filter)
{
    filter_ = filter;
    invalidateFilter();
}

bool RecomFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* model = static_cast<const RecomTableModel*>(sourceModel());
    return showsRow(filter_, model->row(sourceRow), model->listDay());
}

// Qt asks whether right comes before left for a descending sort; the list's order is
// asked as it is, the same as verdaxil-scan --sort gives it.
bool RecomFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto* model = static_cast<const RecomTableModel*>(sourceModel());
    const ScanRow& a = model->row(left.row());
    const ScanRow& b = model->row(right.row());
    const auto column = static_cast<ListColumn>(left.column());
    return sortOrder() == Qt::DescendingOrder ? sortsBefore(b, a, column, true) : sortsBefore(a, b, column, false);
}

} // namespace verdaxil
