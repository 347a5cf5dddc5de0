#include "app/ChartSeries.h"

#include "analysis/Indicators.h"
#include "analysis/PriceUnit.h"
#include "quotes/TradingDate.h"
#include "scan/ListColumns.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace verdaxil {

namespace {

// Local midnight, as the date axis reads times back.
qreal timeOf(std::int32_t date)
{
    return static_cast<qreal>(calendarDay(date).startOfDay().toMSecsSinceEpoch());
}

// A damaged file's dates may be no calendar days or go back; the axis then counts rows.
bool datesAscend(std::span<const std::int32_t> dates)
{
    for (std::size_t k = 0; k < dates.size(); ++k) {
        if (!calendarDay(dates[k]).isValid() || (k > 0 && dates[k] <= dates[k - 1]))
            return false;
    }
    return true;
}

// As the list shows prices.
ListCell price(std::int32_t value, int decimals)
{
    return fixedCell(scaledFilePrice(value, decimals), decimals);
}

// Adds the day's moving average to its line from its first whole window on; gives its
// text for the read-out.
QString addAverage(QList<QPointF>& line, qreal x, std::int32_t value, int row, int window, int decimals)
{
    if (row < window - 1)
        return QStringLiteral("—");
    const ListCell cell = price(value, decimals);
    line.append({x, cell.value.toDouble()});
    return cell.text;
}

} // namespace

ChartSeries BuildChartSeries(const EvaluatedDays& days, const ChartRequest& request)
{
    ChartSeries series;
    series.unit = request.points ? QStringLiteral("点") : QStringLiteral("元");
    const int count = days.count();
    if (count == 0)
        return series;
    const int first = std::max(0, count - ChartSeries::kDaysShown);
    const auto at = [](int row) { return static_cast<std::size_t>(row); };
    series.datesOnAxis = datesAscend(days.date.subspan(at(first)));
    const auto xOf = [&](int row) { return series.datesOnAxis ? timeOf(days.date[at(row)]) : static_cast<qreal>(row); };

    const bool volumes = days.volume.size() == days.date.size();
    for (int row = first; row < count; ++row) {
        const qreal x = xOf(row);
        const ListCell close = price(days.close[at(row)], request.decimals);
        const ListCell average = price(days.avgPrice[at(row)], request.decimals);
        const ListCell high = price(days.high[at(row)], request.decimals);
        const ListCell low = price(days.low[at(row)], request.decimals);
        const std::int32_t volume = volumes ? days.volume[at(row)] : 0;
        series.close.append({x, close.value.toDouble()});
        series.average.append({x, average.value.toDouble()});
        const DayChange change = row == 0                   ? DayChange::Same
            : days.close[at(row)] > days.close[at(row - 1)] ? DayChange::Rose
            : days.close[at(row)] < days.close[at(row - 1)] ? DayChange::Fell
                                                            : DayChange::Same;
        series.bars.append(
            {x, low.value.toDouble(), high.value.toDouble(), close.value.toDouble(), static_cast<qreal>(volume), change});
        series.mostVolume = std::max(series.mostVolume, static_cast<qreal>(volume));
        const QString ma10 = addAverage(series.ma10, x, days.ma10[at(row)], row, kShortAverageDays, request.decimals);
        const QString ma60 = addAverage(series.ma60, x, days.ma60[at(row)], row, kLongAverageDays, request.decimals);
        series.readouts.append(QStringLiteral("%1 最高 %2 最低 %3 收盘 %4 均价 %5 %6日 %7 %8日 %9")
                                   .arg(dateText(days.date[at(row)]), high.text, low.text, close.text, average.text,
                                        QString::number(kShortAverageDays), ma10, QString::number(kLongAverageDays), ma60)
                               + (volumes ? QStringLiteral(" 成交量 %1").arg(volume) : QString()));
    }

    // Found on the whole table: the selection rule counts its rows from the first.
    for (const PointOutcome& point : SelectionPointOutcomes(days, request.horizon, request.fee)) {
        if (point.day < first)
            continue;
        const auto shown = static_cast<qsizetype>(point.day - first);
        series.points[static_cast<std::size_t>(point.outcome)].append(series.close[shown]);
        series.readouts[shown] += QStringLiteral("\n选股点：") + outcomeName(point.outcome, request.horizon);
    }

    // A list's day this security did not trade on is marked at its next trading day.
    if (request.listDay && *request.listDay >= days.date[at(first)] && *request.listDay <= days.date[at(count - 1)]) {
        int row = first;
        while (days.date[at(row)] < *request.listDay)
            ++row;
        series.listDay = xOf(row);
    }

    for (const std::size_t row : request.exRightsRows) {
        if (row >= at(first) && row < at(count))
            series.exRights.append(xOf(static_cast<int>(row)));
    }

    series.low = series.high = series.close.front().y();
    for (const QList<QPointF>* line : {&series.close, &series.average, &series.ma10, &series.ma60}) {
        for (const QPointF& point : *line) {
            series.low = std::min(series.low, point.y());
            series.high = std::max(series.high, point.y());
        }
    }
    for (const DayBar& bar : series.bars) {
        series.low = std::min(series.low, bar.low);
        series.high = std::max(series.high, bar.high);
    }
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

PriceScale priceScale(qreal low, qreal high, int maxIntervals)
{
    const qreal span = high > low ? high - low : std::max(std::abs(high), qreal(1)) / 100;
    qreal power = std::pow(qreal(10), std::floor(std::log10(span / maxIntervals)));
    for (;; power *= 10) {
        for (const qreal factor : {1, 2, 5}) {
            const qreal step = factor * power;
            const qreal min = std::floor(low / step) * step;
            const qreal max = std::max(std::ceil(high / step) * step, min + step);
            const int intervals = static_cast<int>(std::lround((max - min) / step));
            if (intervals <= maxIntervals)
                return {min, max, intervals};
        }
    }
}

std::optional<qsizetype> nearestDay(const ChartSeries& series, qreal x)
{
    const QList<QPointF>& days = series.close;
    if (days.isEmpty())
        return std::nullopt;
    const auto after =
        std::lower_bound(days.begin(), days.end(), x, [](const QPointF& day, qreal value) { return day.x() < value; });
    if (after == days.begin())
        return 0;
    if (after == days.end())
        return days.size() - 1;
    const auto before = after - 1;
    return (x - before->x() <= after->x() - x ? before : after) - days.begin();
}

} // namespace verdaxil
