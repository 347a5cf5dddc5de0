#include "app/RecomChartView.h"

#include "analysis/Indicators.h"
#include "app/ChartStyle.h"

#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDateTimeAxis>
#include <QGraphicsLineItem>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
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

// A rise in red and a fall in green, as Chinese quote screens show them.
QColor changeColor(DayChange change)
{
    switch (change) {
    case DayChange::Rose: return {0xe5, 0x39, 0x35};
    case DayChange::Fell: return {0x2e, 0x7d, 0x32};
    case DayChange::Same: break;
    }
    return {0x75, 0x75, 0x75};
}

// Each day a bar from `from` to `to` in the day's colour: the range with a tick at the
// close (a body of no height), or the volume from nought.
QCandlestickSeries* dayBars(const QList<DayBar>& bars, const QString& name, bool volume)
{
    auto* series = new QCandlestickSeries;
    series->setName(name);
    series->setCapsVisible(false);
    series->setBodyOutlineVisible(true);
    series->setMinimumColumnWidth(1);
    series->setBodyWidth(volume ? 0.7 : 0.9);
    // The legend's colour; each day has its own.
    series->setBrush(changeColor(DayChange::Same));
    series->setPen(QPen(changeColor(DayChange::Same)));
    for (const DayBar& bar : bars) {
        auto* set = volume ? new QCandlestickSet(0, bar.volume, 0, bar.volume, bar.x)
                           : new QCandlestickSet(bar.close, bar.high, bar.low, bar.close, bar.x);
        const QColor color = changeColor(bar.change);
        set->setPen(QPen(color, volume ? 0.5 : 1.2));
        set->setBrush(volume ? color.lighter(130) : color);
        series->append(set);
    }
    return series;
}

// Four steps keep the price labels legible in the chart's least height.
constexpr int kPriceIntervals = 4;
// The volume pane below the prices takes this share of the plot's height.
constexpr qreal kVolumeShare = 0.25;

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

RecomChartView::RecomChartView(QWidget* parent) : QChartView(parent), readout_(new QLabel(viewport()))
{
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    readout_->setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 235); border: 1px solid #8c8c8c; padding: 2px 6px;"));
    // The label must not take the mouse from the plot it lies over.
    readout_->setAttribute(Qt::WA_TransparentForMouseEvents);
    readout_->hide();
    showDays({}, {});
}

void RecomChartView::showDays(const EvaluatedDays& days, const ChartRequest& request)
{
    shown_ = BuildChartSeries(days, request);
    request_ = request;
    draw();
}

// Qt gives each price label an equal share of the axis's height and elides a label
// that is taller: as many steps as the height holds, from one to four.
int RecomChartView::priceIntervals() const
{
    const int line = QFontMetrics(chart()->legend()->font()).height();
    const int axis = height() - 5 * line;
    return std::clamp(axis / (line + 8) - 2, 1, kPriceIntervals);
}

void RecomChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    if (!shown_.close.isEmpty() && priceIntervals() != drawnIntervals_)
        draw();
}

void RecomChartView::draw()
{
    const ChartRequest& request = request_;
    hideReadout();
    auto* chart = new QChart;
    makeCompact(chart);
    chart->setTitle(request.title);
    // The view owns the chart it shows, but lets go of the one it showed before.
    const std::unique_ptr<QChart> previous(this->chart());
    setChart(chart);
    hoveredDay_ = new QGraphicsLineItem(chart);
    hoveredDay_->setPen(QPen(QColor(0x60, 0x60, 0x60), 1, Qt::DotLine));
    hoveredDay_->hide();
    if (shown_.close.isEmpty())
        return;

    QAbstractAxis* xAxis = timeAxis(shown_.datesOnAxis);
    // The prices above, labelled on round steps only; the volume pane below them.
    drawnIntervals_ = priceIntervals();
    const PriceScale scale = priceScale(shown_.low, shown_.high, drawnIntervals_);
    const qreal step = (scale.max - scale.min) / scale.intervals;
    const qreal bottom = scale.min - (scale.max - scale.min) * kVolumeShare / (1 - kVolumeShare);
    auto* yAxis = new QCategoryAxis;
    yAxis->setTitleText(shown_.unit);
    yAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    yAxis->setRange(bottom, scale.max);
    yAxis->setStartValue(bottom);
    for (int tick = 0; tick <= scale.intervals; ++tick) {
        const qreal value = scale.min + tick * step;
        yAxis->append(QString::number(value, 'f', request.decimals), value);
    }
    auto* volumeAxis = new QValueAxis;
    volumeAxis->setRange(0, std::max(shown_.mostVolume, qreal(1)) / kVolumeShare);
    addCompactAxis(chart, xAxis, Qt::AlignBottom);
    addCompactAxis(chart, yAxis, Qt::AlignLeft);
    addCompactAxis(chart, volumeAxis, Qt::AlignRight);
    volumeAxis->setVisible(false);

    QCandlestickSeries* volume = dayBars(shown_.bars, QStringLiteral("成交量"), true);
    chart->addSeries(volume);
    volume->attachAxis(xAxis);
    volume->attachAxis(volumeAxis);
    QCandlestickSeries* bars = dayBars(shown_.bars, QStringLiteral("日线"), false);
    chart->addSeries(bars);
    bars->attachAxis(xAxis);
    bars->attachAxis(yAxis);

    // Later series are drawn over earlier ones: the averages over the day bars, the
    // points over every line.
    std::vector<QXYSeries*> series = {
        line(shown_.average, QStringLiteral("均价"), QColor(0x15, 0x65, 0xc0), 1.2),
        line(shown_.ma10, QStringLiteral("%1日均线").arg(kShortAverageDays), QColor(0xf5, 0x9e, 0x0b), 1.2),
        line(shown_.ma60, QStringLiteral("%1日均线").arg(kLongAverageDays), QColor(0x7a, 0x2e, 0xa8), 1.2),
    };
    if (shown_.listDay) {
        series.push_back(line({{*shown_.listDay, yAxis->min()}, {*shown_.listDay, yAxis->max()}}, QStringLiteral("荐股日"),
                              QColor(0x20, 0x20, 0x20), 1.5, Qt::DashLine));
    }
    // One entry in the legend for all of them.
    for (qsizetype k = 0; k < shown_.exRights.size(); ++k) {
        const qreal x = shown_.exRights[k];
        series.push_back(line({{x, yAxis->min()}, {x, yAxis->max()}}, k == 0 ? QStringLiteral("除权?") : QString(),
                              QColor(0xe6, 0x51, 0x00), 1.2, Qt::DotLine));
    }
    for (const auto& [outcome, color] : kOutcomeColors) {
        const QList<QPointF>& points = shown_.points[static_cast<std::size_t>(outcome)];
        // Only a damaged file has points that cannot be scored; the legend names them then.
        if (outcome != Outcome::NotScored || !points.isEmpty())
            series.push_back(markers(points, outcomeName(outcome, request.horizon), QColor(color)));
    }
    for (QXYSeries* each : series) {
        chart->addSeries(each);
        each->attachAxis(xAxis);
        each->attachAxis(yAxis);
    }
    for (QLegendMarker* marker : chart->legend()->markers()) {
        if (marker->label().isEmpty())
            marker->setVisible(false);
    }
}

void RecomChartView::wheelEvent(QWheelEvent* event)
{
    if (!chart())
        return;
    chart()->zoom(event->angleDelta().y() > 0 ? 1.25 : 0.8);
    showReadout(event->position());
    event->accept();
}

void RecomChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (chart())
        chart()->zoomReset();
    showReadout(event->position());
    event->accept();
}

void RecomChartView::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    showReadout(event->position());
}

bool RecomChartView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        hideReadout();
    return QChartView::viewportEvent(event);
}

void RecomChartView::showReadout(QPointF position)
{
    QChart* const shownChart = chart();
    const QPointF inChart = shownChart->mapFromScene(mapToScene(position.toPoint()));
    const QRectF plot = shownChart->plotArea();
    if (shown_.close.isEmpty() || !plot.contains(inChart)) {
        hideReadout();
        return;
    }
    QAbstractSeries* const anySeries = shownChart->series().front();
    const std::optional<qsizetype> day = nearestDay(shown_, shownChart->mapToValue(inChart, anySeries).x());
    const qreal dayX = shownChart->mapToPosition(shown_.close[*day], anySeries).x();
    if (dayX < plot.left() || dayX > plot.right()) {
        hideReadout();
        return;
    }
    hoveredDay_->setLine(dayX, plot.top(), dayX, plot.bottom());
    hoveredDay_->show();

    readout_->setText(shown_.readouts[*day]);
    readout_->adjustSize();
    // Beside the mouse, on whichever side has room, and inside the plot.
    const QRect area = mapFromScene(shownChart->mapToScene(plot)).boundingRect();
    const QSize size = readout_->size();
    constexpr int kGap = 14;
    int x = static_cast<int>(position.x()) + kGap;
    if (x + size.width() > area.right())
        x = static_cast<int>(position.x()) - kGap - size.width();
    const int y = static_cast<int>(position.y()) - kGap - size.height();
    readout_->move(std::max(area.left(), x), std::max(area.top(), y));
    readout_->show();
}

void RecomChartView::hideReadout()
{
    readout_->hide();
    if (hoveredDay_)
        hoveredDay_->hide();
}

} // namespace verdaxil
