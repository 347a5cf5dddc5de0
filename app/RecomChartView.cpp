#include "app/RecomChartView.h"

#include "analysis/Indicators.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace verdaxil {

namespace {

QLineSeries* line(const QList<QPointF>& points, const QString& name, const QColor& color, qreal width,
                  Qt::PenStyle style = Qt::SolidLine)
{
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(color, width, style));
    series->replace(points);
    return series;
}

QScatterSeries* markers(const QList<QPointF>& points, const QString& name, const QColor& color)
{
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setColor(color);
    // A white ring keeps a point apart from the lines under it.
    series->setBorderColor(Qt::white);
    series->setMarkerSize(11);
    series->replace(points);
    return series;
}

QString outcomeName(Outcome outcome, std::int64_t horizon)
{
    switch (outcome) {
    case Outcome::NotScored: return QStringLiteral("未计的选股点（价格无效）");
    case Outcome::NoProfit: return QStringLiteral("%1日内未盈利").arg(horizon);
    case Outcome::Profit: return QStringLiteral("%1日内盈利不足10%").arg(horizon);
    case Outcome::TenPercent: break;
    }
    return QStringLiteral("%1日内盈利10%以上").arg(horizon);
}

// Drawn in this order, so that the best outcomes lie on top.
constexpr std::pair<Outcome, QRgb> kOutcomeColors[] = {
    {Outcome::NotScored, 0xcfcfcf},
    {Outcome::NoProfit, 0x8c8c8c},
    {Outcome::Profit, 0xf57c00},
    {Outcome::TenPercent, 0xd32f2f},
};

QAbstractAxis* timeAxis(bool dates)
{
    if (!dates) {
        auto* rows = new QValueAxis;
        rows->setLabelFormat(QStringLiteral("%.0f"));
        return rows;
    }
    auto* axis = new QDateTimeAxis;
    axis->setFormat(QStringLiteral("yyyy-MM-dd"));
    axis->setTickCount(6);
    return axis;
}

} // namespace

RecomChartView::RecomChartView(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    showDays({}, {});
}

void RecomChartView::showDays(const EvaluatedDays& days, const ChartRequest& request)
{
    const ChartSeries shown = BuildChartSeries(days, request);
    auto* chart = new QChart;
    chart->setTitle(request.title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view owns the chart it shows, but lets go of the one it showed before.
    const std::unique_ptr<QChart> previous(this->chart());
    setChart(chart);
    if (shown.close.isEmpty())
        return;

    QAbstractAxis* xAxis = timeAxis(shown.datesOnAxis);
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText(shown.unit);
    yAxis->setLabelFormat(QStringLiteral("%.%1f").arg(request.decimals));
    yAxis->setRange(shown.low, shown.high);
    yAxis->applyNiceNumbers();
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    // Later series are drawn over earlier ones: the close over the averages, the points
    // over every line.
    std::vector<QXYSeries*> series = {
        line(shown.average, QStringLiteral("均价"), QColor(0x8f, 0xb8, 0xe6), 1.5),
        line(shown.ma10, QStringLiteral("%1日均线").arg(kShortAverageDays), QColor(0x00, 0x89, 0x7b), 1.5),
        line(shown.ma60, QStringLiteral("%1日均线").arg(kLongAverageDays), QColor(0x7a, 0x2e, 0xa8), 1.5),
        line(shown.close, QStringLiteral("收盘价"), QColor(0x20, 0x20, 0x20), 2.2),
    };
    if (shown.listDay) {
        series.push_back(line({{*shown.listDay, yAxis->min()}, {*shown.listDay, yAxis->max()}}, QStringLiteral("荐股日"),
                              QColor(0x15, 0x65, 0xc0), 1.5, Qt::DashLine));
    }
    for (const auto& [outcome, color] : kOutcomeColors) {
        const QList<QPointF>& points = shown.points[static_cast<std::size_t>(outcome)];
        // Only a damaged file has points that cannot be scored; the legend names them then.
        if (outcome != Outcome::NotScored || !points.isEmpty())
            series.push_back(markers(points, outcomeName(outcome, request.horizon), QColor(color)));
    }
    for (QXYSeries* each : series) {
        chart->addSeries(each);
        each->attachAxis(xAxis);
        each->attachAxis(yAxis);
    }
}

void RecomChartView::wheelEvent(QWheelEvent* event)
{
    if (!chart())
        return;
    chart()->zoom(event->angleDelta().y() > 0 ? 1.25 : 0.8);
    event->accept();
}

void RecomChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (chart())
        chart()->zoomReset();
    event->accept();
}

} // namespace verdaxil
