#include "app/RecomChartView.h"

#include "analysis/Indicators.h"
#include "analysis/SelectionStats.h"

#include <QChart>
#include <QDate>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>
#include <memory>

namespace verdaxil {

namespace {

// A day file's date as the axis's time; an invalid date is none.
std::optional<qreal> timeOf(std::int32_t date)
{
    const QDate day(date / 10000, date / 100 % 100, date % 100);
    if (!day.isValid())
        return std::nullopt;
    return static_cast<qreal>(day.startOfDay(Qt::UTC).toMSecsSinceEpoch());
}

QLineSeries* line(const QString& name, const QColor& color, qreal width)
{
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(color);
    pen.setWidthF(width);
    series->setPen(pen);
    return series;
}

} // namespace

RecomChartView::RecomChartView(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    showDays({}, {});
}

void RecomChartView::showDays(const EvaluatedDays& days, const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view owns the chart it shows, but lets go of the one it showed before.
    const std::unique_ptr<QChart> previous(this->chart());
    setChart(chart);
    const int count = days.count();
    if (count == 0)
        return;

    const int first = std::max(0, count - kDaysShown);
    // Dates that are no calendar days (a damaged file) fall back to the day's number.
    bool datesValid = true;
    for (int row = first; row < count && datesValid; ++row)
        datesValid = timeOf(days.date[static_cast<std::size_t>(row)]).has_value();

    auto* average = line(QStringLiteral("均价"), QColor(0x1f, 0x5f, 0xbf), 2.0);
    auto* ma10 = line(QStringLiteral("%1日均线").arg(kShortAverageDays), QColor(0xe0, 0x8a, 0x00), 1.5);
    auto* ma60 = line(QStringLiteral("%1日均线").arg(kLongAverageDays), QColor(0x7a, 0x2e, 0xa8), 1.5);
    auto* close = line(QStringLiteral("收盘价"), QColor(0x9e, 0x9e, 0x9e), 1.0);
    auto* points = new QScatterSeries;
    points->setName(QStringLiteral("选股点"));
    points->setColor(QColor(0xd3, 0x2f, 0x2f));
    points->setMarkerSize(9);

    // Prices in 分, as the window shows them.
    const auto price = [](std::int32_t value) { return value / 10.0; };
    for (int row = first; row < count; ++row) {
        const auto day = static_cast<std::size_t>(row);
        const qreal x = datesValid ? *timeOf(days.date[day]) : row;
        average->append(x, price(days.avgPrice[day]));
        close->append(x, price(days.close[day]));
        if (row >= kShortAverageDays - 1)
            ma10->append(x, price(days.ma10[day]));
        if (row >= kLongAverageDays - 1)
            ma60->append(x, price(days.ma60[day]));
        if (IsSelectionPoint(days, row))
            points->append(x, price(days.avgPrice[day]));
    }

    QAbstractAxis* xAxis = nullptr;
    if (datesValid) {
        auto* dates = new QDateTimeAxis;
        dates->setFormat(QStringLiteral("yyyy-MM-dd"));
        dates->setTickCount(6);
        xAxis = dates;
    } else {
        xAxis = new QValueAxis;
    }
    auto* yAxis = new QValueAxis;
    yAxis->setTitleText(QStringLiteral("分"));
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(close), static_cast<QXYSeries*>(average), static_cast<QXYSeries*>(ma10),
                              static_cast<QXYSeries*>(ma60), static_cast<QXYSeries*>(points)}) {
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    // Every line fits, with round numbers at the ends.
    qreal low = average->at(0).y();
    qreal high = low;
    for (const QLineSeries* series : {close, average, ma10, ma60}) {
        for (const QPointF& point : series->points()) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    yAxis->setRange(low, high);
    yAxis->applyNiceNumbers();
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
