#pragma once

#include "analysis/BackTestDefaults.h"
#include "scan/ListColumns.h"
#include "scan/ListFilter.h"
#include "scan/ScanRow.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <optional>
#include <vector>

namespace verdaxil {

class SecurityNames;

// The scanned rows, one column for each list column.
class RecomTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Names longer than this show their start, and whole on hovering.
    static constexpr int kNameShown = 20;

    using QAbstractTableModel::QAbstractTableModel;

    // The rows of a scan with the list's day it found.
    void setRows(std::vector<ScanRow> rows, std::int64_t horizon, std::optional<std::int32_t> listDay);
    // Names the rows anew, after a name list was imported.
    void setNames(const SecurityNames& names);
    const ScanRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    const std::vector<ScanRow>& rows() const { return rows_; }
    std::optional<std::int32_t> listDay() const { return listDay_; }
    std::int64_t horizon() const { return horizon_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ScanRow> rows_;
    std::optional<std::int32_t> listDay_;
    std::int64_t horizon_ = kDefaultHorizon;
};

// The rows the list window shows, in the list's order (sortsBefore): empty cells after
// every number, whichever the order; equal cells by their selection points, more first.
class RecomFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFilter(const ListFilter& filter);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    ListFilter filter_;
};

} // namespace verdaxil
