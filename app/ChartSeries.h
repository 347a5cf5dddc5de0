#pragma once

#include "analysis/BackTestDefaults.h"
#include "analysis/EvaluatedDays.h"
#include "analysis/SelectionStats.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace verdaxil {

// What the chart of one security shows, and how.
struct ChartRequest {
    QString title;                          // "上海 600000 浦发银行"
    int decimals = 2;                       // 2, or 3 for funds, bonds and Shanghai B shares
    bool points = false;                    // an index: the axis in 点, else 元
    std::int64_t horizon = kDefaultHorizon; // for each selection point's outcome
    std::int64_t fee = kDefaultFee;
    std::optional<std::int32_t> listDay{};   // a past list's day (YYYYMMDD): a vertical line there
    std::vector<std::size_t> exRightsRows{}; // suspected ex-rights days: a dotted line at each
};

// Whether a day's close rose from the day before, fell, or neither (the first day).
enum class DayChange { Same, Rose, Fell };

// A day's range from its low to its high, its close and its volume.
struct DayBar {
    qreal x = 0;
    qreal low = 0;
    qreal high = 0;
    qreal close = 0;
    qreal volume = 0;
    DayChange change = DayChange::Same;
};

// The chart's lines and points, apart from any view. x is the day's time, or its row in
// the table when the dates are no ascending calendar days (a damaged file); y is the
// price in 元 or 点, to the request's decimals as the list shows it.
struct ChartSeries {
    static constexpr int kDaysShown = 250;

    bool datesOnAxis = false;
    QString unit; // 元 or 点
    QList<QPointF> close;
    QList<DayBar> bars; // one a day, as `close`
    qreal mostVolume = 0;
    QList<QPointF> average;
    QList<QPointF> ma10;
    QList<QPointF> ma60;
    std::array<QList<QPointF>, 4> points; // the selection points on the close, indexed by Outcome
    std::optional<qreal> listDay;         // where the past list's line stands
    QList<qreal> exRights;                // where the suspected ex-rights days' lines stand
    qreal low = 0;                        // of the prices: every line fits between low and high
    qreal high = 0;
    QStringList readouts; // one a day, as `close`; a selection point's tells its outcome
};

// "30日内盈利10%以上": what became of a selection point within the horizon.
QString outcomeName(Outcome outcome, std::int64_t horizon);

// The latest kDaysShown days; none give empty series.
ChartSeries BuildChartSeries(const EvaluatedDays& days, const ChartRequest& request);

// A price axis from low to high in at most maxIntervals steps of 1, 2 or 5 times a power
// of ten, its ends on whole steps: labels stay few enough to be read in a short chart.
struct PriceScale {
    qreal min = 0;
    qreal max = 1;
    int intervals = 1;
};
PriceScale priceScale(qreal low, qreal high, int maxIntervals);

// The index of the day shown nearest to x, in `close` and `readouts`.
std::optional<qsizetype> nearestDay(const ChartSeries& series, qreal x);

} // namespace verdaxil
