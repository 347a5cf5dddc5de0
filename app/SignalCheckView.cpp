#include "app/SignalCheckView.h"

#include "app/ChartStyle.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QValueAxis>

#include <algorithm>
#include <memory>

namespace verdaxil {

void SignalCheckModel::setLines(const QStringList& titles, std::vector<std::vector<ListCell>> cells)
{
    beginResetModel();
    titles_ = titles;
    cells_ = std::move(cells);
    endResetModel();
}

int SignalCheckModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int SignalCheckModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant SignalCheckModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const ListCell& cell = cells_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole: return cell.text;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (cell.kind == CellKind::Text ? Qt::AlignLeft : Qt::AlignRight));
    default: return {};
    }
}

QVariant SignalCheckModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::ToolTipRole) && section >= 0
        && section < titles_.size())
        return titles_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void drawWinRates(QChartView& view, const CheckReport& report)
{
    auto* chart = new QChart;
    makeCompact(chart);
    chart->setTitle(QStringLiteral("各年胜率（%）"));
    // The view owns the chart it shows, but lets go of the one it showed before.
    const std::unique_ptr<QChart> previous(view.chart());
    view.setChart(chart);

    auto* series = new QBarSeries;
    QStringList years;
    const auto byYear = report.check.years(report.securityClass);
    for (const CheckKind kind : kCheckKinds) {
        auto* bars = new QBarSet(checkKindName(kind));
        for (const auto& [year, counts] : byYear) {
            const CheckCounts& c = counts[static_cast<std::size_t>(kind)];
            // Hundredths of a percent, truncated as the table shows them.
            bars->append(c.events > 0 ? static_cast<double>(c.wins * 10000 / c.events) / 100.0 : 0.0);
        }
        series->append(bars);
    }
    // Where every year's label would be cut, every fifth year is named and the others
    // carry labels of invisible spaces, as a category axis wants its labels distinct.
    const int labelWidth = QFontMetrics(chart->legend()->font()).horizontalAdvance(QStringLiteral("2000")) + 12;
    // A page not shown yet has no width of its own; the chart spans most of the window.
    const int width = std::max(view.width(), view.window()->width() * 9 / 10);
    const bool everyFifth = !byYear.empty() && width * 8 / 10 / static_cast<int>(byYear.size()) < labelWidth;
    for (const auto& [year, counts] : byYear)
        years.append(!everyFifth || year % 5 == 0 ? QString::number(year) : QString(years.size() + 1, QChar(0x200B)));
    chart->addSeries(series);
    auto* xAxis = new QBarCategoryAxis;
    xAxis->append(years);
    auto* yAxis = new QValueAxis;
    yAxis->setRange(0, 100);
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    // Qt gives each label an equal share of the axis's height and elides a taller one:
    // three percentages read whole in the chart's least height.
    yAxis->setTickCount(3);
    addCompactAxis(chart, xAxis, Qt::AlignBottom);
    addCompactAxis(chart, yAxis, Qt::AlignLeft);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
}

} // namespace verdaxil
