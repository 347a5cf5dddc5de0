#pragma once

#include "scan/CheckReport.h"

#include <QAbstractTableModel>

#include <vector>

class QChartView;

namespace verdaxil {

// The signal check a year (or a horizon) a line, as the list window's second tab shows it.
class SignalCheckModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Lines under their titles; none to show no record.
    void setLines(const QStringList& titles, std::vector<std::vector<ListCell>> cells);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList titles_;
    std::vector<std::vector<ListCell>> cells_;
};

// Bars of the win rate by year, one set for each kind of day.
void drawWinRates(QChartView& view, const CheckReport& report);

} // namespace verdaxil
