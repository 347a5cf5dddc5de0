#include "app/ChartSeries.h"

#include "support/DayValues.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace verdaxil {
namespace {

using testing::DayValues;

const QDate kFirstDay(2025, 1, 2);

// 80 days, every other calendar day, with selection points at rows 62, 66 and 70. Bought
// at 10.000 each and judged on three days without fee: the first sells at 11.000 the
// next day (10 %), the second at 10.200 (2 %), the third never above its buy price.
DayValues threePoints()
{
    DayValues days(80);
    for (std::size_t row = 0; row < 80; ++row) {
        days.date[row] = kFirstDay.addDays(2 * static_cast<qint64>(row)).toString(u"yyyyMMdd").toInt();
        days.close[row] = 8119;
        days.avgPrice[row] = days.low[row] = days.high[row] = 10000;
        days.ma60[row] = 9005;
        days.ma10[row] = row == 62 || row == 66 || row == 70 ? 9005 : 9004;
        days.volume[row] = row;
    }
    days.high[63] = 12000;
    days.high[67] = 10400;
    days.close[75] = 9000; // up, and down the day after
    return days;
}

struct SeriesCase {
    int decimals;
    bool points;
    qint64 listDayAfterFirst; // calendar days
    std::optional<qsizetype> listRow;
    QString unit;
    double close;
    QString readout; // of row 70
};

class ChartSeriesBuilt : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(ChartSeriesBuilt, PricesAsTheListShowsThemAndPointsByOutcome)
{
    const SeriesCase& c = GetParam();
    const DayValues days = threePoints();
    const ChartSeries series =
        BuildChartSeries(days.view(),
                         {.title = {},
                          .decimals = c.decimals,
                          .points = c.points,
                          .horizon = 3,
                          .fee = 0,
                          .listDay = kFirstDay.addDays(c.listDayAfterFirst).toString(u"yyyyMMdd").toInt()});
    ASSERT_TRUE(series.datesOnAxis);
    EXPECT_EQ(series.unit, c.unit);
    ASSERT_EQ(series.close.size(), 80);
    EXPECT_DOUBLE_EQ(series.close[0].y(), c.close);
    EXPECT_EQ(series.ma10.size(), 71);
    EXPECT_EQ(series.ma60.size(), 21);
    EXPECT_EQ(series.ma60.front().x(), series.close[59].x());
    EXPECT_EQ(series.readouts[70], c.readout);
    EXPECT_TRUE(series.readouts[0].endsWith(QStringLiteral(" 10日 — 60日 — 成交量 0"))) << series.readouts[0].toStdString();

    // Each day's range and close, coloured by the close against the day before.
    ASSERT_EQ(series.bars.size(), 80);
    EXPECT_EQ(series.bars[63].high, 12.0);
    EXPECT_EQ(series.bars[63].low, 10.0);
    EXPECT_EQ(series.bars[75].close, 9.0);
    EXPECT_EQ(series.high, 12.0);
    EXPECT_EQ(series.mostVolume, 79.0);
    for (int row = 0; row < 80; ++row)
        EXPECT_EQ(series.bars[row].change, row == 75 ? DayChange::Rose : row == 76 ? DayChange::Fell : DayChange::Same) << row;

    const auto pointsOf = [&](Outcome outcome) { return series.points[static_cast<std::size_t>(outcome)]; };
    EXPECT_EQ(pointsOf(Outcome::TenPercent), QList{series.close[62]});
    EXPECT_EQ(pointsOf(Outcome::Profit), QList{series.close[66]});
    EXPECT_EQ(pointsOf(Outcome::NoProfit), QList{series.close[70]});
    EXPECT_TRUE(pointsOf(Outcome::NotScored).isEmpty());

    EXPECT_EQ(series.listDay, c.listRow ? std::optional(series.close[*c.listRow].x()) : std::nullopt);
    const qreal step = series.close[41].x() - series.close[40].x();
    EXPECT_EQ(nearestDay(series, series.close[40].x() + 0.4 * step), 40);
    EXPECT_EQ(nearestDay(series, series.close[40].x() + 0.6 * step), 41);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartSeriesBuilt,
    ::testing::Values(
        SeriesCase{
            2, false, 150, 75, QStringLiteral("元"), 8.11,
            QStringLiteral(
                "2025-05-22 最高 10.00 最低 10.00 收盘 8.11 均价 10.00 10日 9.00 60日 9.00 成交量 70\n选股点：3日内未盈利")},
        // A list's day the security did not trade on: its next trading day.
        SeriesCase{3, false, 149, 75, QStringLiteral("元"), 8.119,
                   QStringLiteral("2025-05-22 最高 10.000 最低 10.000 收盘 8.119 均价 10.000 10日 9.005 60日 9.005 成交量 "
                                  "70\n选股点：3日内未盈利")},
        SeriesCase{
            2, true, 159, std::nullopt, QStringLiteral("点"), 8.11,
            QStringLiteral(
                "2025-05-22 最高 10.00 最低 10.00 收盘 8.11 均价 10.00 10日 9.00 60日 9.00 成交量 70\n选股点：3日内未盈利")},
        SeriesCase{3, true, -1, std::nullopt, QStringLiteral("点"), 8.119,
                   QStringLiteral("2025-05-22 最高 10.000 最低 10.000 收盘 8.119 均价 10.000 10日 9.005 60日 9.005 成交量 "
                                  "70\n选股点：3日内未盈利")}));

TEST(ChartSeriesOfADamagedFile, CountsRowsWhereADateGoesBack)
{
    DayValues days = threePoints();
    days.date[40] = days.date[39];
    const ChartSeries series = BuildChartSeries(days.view(), {});
    EXPECT_FALSE(series.datesOnAxis);
    EXPECT_EQ(series.close[40].x(), 40);
}

// Any range, from a bond's thousandths to an index's points: the scale holds it in at
// most the steps allowed, each 1, 2 or 5 times a power of ten, its ends on whole steps.
TEST(PriceScale, HoldsAnyRangeInFewRoundSteps)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> exponent(-3, 6);
    std::uniform_real_distribution<double> rise(-3, 1); // 250 days rise 0.1 % to ten times over
    for (int trial = 0; trial < 2000; ++trial) {
        const double low = std::pow(10, exponent(random));
        const double high = trial % 10 == 0 ? low : low * (1 + std::pow(10, rise(random)));
        const int most = 2 + trial % 7;
        const PriceScale scale = priceScale(low, high, most);
        ASSERT_LE(scale.min, low);
        ASSERT_GE(scale.max, high);
        ASSERT_GE(scale.intervals, 1);
        ASSERT_LE(scale.intervals, most);
        const double step = (scale.max - scale.min) / scale.intervals;
        const double mantissa = step / std::pow(10, std::floor(std::log10(step) + 1e-9));
        ASSERT_TRUE(std::abs(mantissa - 1) < 1e-6 || std::abs(mantissa - 2) < 1e-6 || std::abs(mantissa - 5) < 1e-6) << step;
        ASSERT_NEAR(scale.min / step, std::round(scale.min / step), 1e-6) << low << ' ' << high;
    }
}

} // namespace
} // namespace verdaxil
