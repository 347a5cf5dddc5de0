#include "analysis/SelectionStats.h"

#include "support/DayByDayStats.h"
#include "support/DayValues.h"
#include "support/ShownTexts.h"

#include <gtest/gtest.h>

#include <QHash>

#include <algorithm>
#include <random>
#include <vector>

namespace verdaxil {

using testing::dayByDay;
using testing::DayValues;

void PrintTo(const SelectionStats& s, std::ostream* out)
{
    *out << "{points " << s.PointCount << ", profit " << s.ProfitHits << ", 5% " << s.Hits5 << ", 10% " << s.Hits10 << ", 50% "
         << s.Hits50 << ", 100% " << s.Hits100 << ", max gain " << s.MaxGain << " at " << s.MaxGainPercent << "%}";
}

namespace {

// Days that never score: 10-day average below the 60-day one, sold below any buy price.
class StatsTable {
public:
    explicit StatsTable(int count) : days_(count)
    {
        for (int row = 0; row < count; ++row) {
            setGap(row, -1);
            setPrices(row, 1000, 900, 1000);
        }
    }

    void setGap(int row, std::int64_t gap)
    {
        days_.ma60[at(row)] = 1000;
        days_.ma10[at(row)] = static_cast<std::int32_t>(1000 + gap);
    }

    // Makes `row` a selection point (gap -1 the day before, 0 on the day).
    void selectAt(int row)
    {
        setGap(row - 1, -1);
        setGap(row, 0);
    }

    void setPrices(int row, std::int32_t avgPrice, std::int32_t low, std::int32_t high)
    {
        days_.avgPrice[at(row)] = avgPrice;
        days_.low[at(row)] = low;
        days_.high[at(row)] = high;
    }

    DayValues& days() { return days_; }
    const DayValues& days() const { return days_; }

    SelectionStats compute(std::int64_t horizon, std::int64_t fee = 6, InstructionSet set = BestInstructionSet()) const
    {
        return ComputeSelectionStats(days_.view(), horizon, fee, set);
    }

private:
    static std::size_t at(int row) { return static_cast<std::size_t>(row); }

    DayValues days_;
};

// Selection day at row 60 bought at (10,000 + 9,800) / 2 = 9,900; row 61 sold at
// (10,500 + 10,300) / 2 = 10,400.
StatsTable workedExample()
{
    StatsTable days(70);
    days.selectAt(60);
    days.setPrices(60, 10000, 9800, 9000);
    days.setPrices(61, 10300, 9000, 10500);
    return days;
}

TEST(SelectionStatsOf, WorkedExampleWithFeeSix)
{
    const SelectionStats stats = workedExample().compute(30, 6);
    // Net gain 494 is 4.99 %, truncated to 4: a profit, no 5 % hit.
    EXPECT_EQ(stats, (SelectionStats{1, 1, 0, 0, 0, 0, 494, 4}));
}

TEST(SelectionStatsOf, WorkedExampleWithFeeFive)
{
    EXPECT_EQ(workedExample().compute(30, 5), (SelectionStats{1, 1, 1, 0, 0, 0, 495, 5}));
}

TEST(SelectionStatsOf, NetGainOfZeroIsNoProfit)
{
    EXPECT_EQ(workedExample().compute(30, 500), (SelectionStats{1, 0, 0, 0, 0, 0, 0, 0}));
}

struct RuleCase {
    std::int64_t previousGap;
    std::int64_t gap;
    bool point;
};

class SelectionRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SelectionRule, CrossingDaysOnly)
{
    StatsTable days(61);
    days.setGap(59, GetParam().previousGap);
    days.setGap(60, GetParam().gap);
    EXPECT_EQ(days.compute(30).PointCount, GetParam().point ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, SelectionRule,
    ::testing::Values(RuleCase{-3, 0, true}, RuleCase{0, 4, true}, RuleCase{-2, 5, true}, RuleCase{0, 0, false},
                      RuleCase{2, 5, false}, // above already and widening: a buy signal, not a selection point
                      RuleCase{-5, -2, false}, RuleCase{1, 0, false}, RuleCase{0, -1, false}));

TEST(SelectionStatsOf, GapsBeyondThirtyTwoBits)
{
    StatsTable days(61);
    days.days().ma10[59] = INT32_MIN;
    days.days().ma60[59] = INT32_MAX;
    days.days().ma10[60] = INT32_MAX;
    days.days().ma60[60] = INT32_MIN;
    EXPECT_EQ(days.compute(30).PointCount, 1);
}

TEST(SelectionStatsOf, RowSixtyIsTheFirstExamined)
{
    StatsTable sixty(60);
    sixty.selectAt(59);
    EXPECT_EQ(sixty.compute(30).PointCount, 0);

    StatsTable sixtyOne(61);
    sixtyOne.selectAt(60);
    EXPECT_EQ(sixtyOne.compute(30).PointCount, 1);
}

TEST(SelectionStatsOf, HorizonOneIsTheSelectionDayAlone)
{
    StatsTable days(70);
    days.selectAt(60);
    days.setPrices(60, 10000, 9000, 11000); // buy 9,500, sell 10,500
    days.setPrices(61, 10000, 9000, 30000); // outside the window
    EXPECT_EQ(days.compute(1, 6), (SelectionStats{1, 1, 1, 1, 0, 0, 994, 10}));
}

TEST(SelectionStatsOf, HorizonOfZeroOrLessCountsPointsOnly)
{
    for (std::int64_t horizon : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{INT32_MIN}})
        EXPECT_EQ(workedExample().compute(horizon), (SelectionStats{1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SelectionStatsOf, WindowEndsAtTheLatestDay)
{
    StatsTable days(64);
    days.selectAt(60);
    days.setPrices(60, 10000, 10000, 9000);
    days.setPrices(63, 20000, 1, 20000); // the latest day, fourth of the window: +100 %
    for (std::int64_t horizon : {std::int64_t{4}, std::int64_t{30}, std::int64_t{INT32_MAX}})
        EXPECT_EQ(days.compute(horizon, 0), (SelectionStats{1, 1, 1, 1, 1, 1, 10000, 100})) << horizon;
    EXPECT_EQ(days.compute(3, 0).ProfitHits, 0);
}

TEST(SelectionStatsOf, OneStrongDayScoresForEveryOverlappingWindow)
{
    StatsTable days(100);
    days.selectAt(60);
    days.selectAt(65);
    days.setPrices(60, 10000, 10000, 9000); // buy 10,000
    days.setPrices(65, 5000, 5000, 4000);   // buy 5,000
    days.setPrices(70, 10600, 9000, 10600); // sell 10,600
    const SelectionStats stats = days.compute(30, 0);
    // +6 % for the first point, +112 % for the second; MaxGain is the larger gain.
    EXPECT_EQ(stats, (SelectionStats{2, 2, 2, 1, 1, 1, 5600, 112}));
}

TEST(SelectionStatsOf, TiesOfMaxGainKeepTheFirstInScanOrder)
{
    StatsTable days(100);
    days.selectAt(60);
    days.selectAt(80);
    days.setPrices(60, 10000, 10000, 9000); // buy 10,000
    days.setPrices(62, 10500, 9000, 10500); // gain 500: 5 %
    days.setPrices(80, 5000, 5000, 4000);   // buy 5,000
    days.setPrices(82, 5500, 4000, 5500);   // gain 500 again: 10 %
    const SelectionStats stats = days.compute(30, 0);
    EXPECT_EQ(stats.MaxGain, 500);
    EXPECT_EQ(stats.MaxGainPercent, 5);
    EXPECT_EQ(stats.Hits10, 1); // the larger percentage counts, but does not replace MaxGainPercent
}

class UnscoredPoint : public ::testing::TestWithParam<std::pair<std::int32_t, std::int32_t>> {};

// A selection day with AvgPrice of 2 or less, or with a buy price of 0 or less, is
// counted and evaluated no further; nothing divides by its buy price.
TEST_P(UnscoredPoint, CountsButNeverScores)
{
    StatsTable days(70);
    days.selectAt(60);
    days.setPrices(60, GetParam().first, GetParam().second, 9000);
    days.setPrices(61, 20000, 9000, 20000);
    EXPECT_EQ(days.compute(INT32_MAX, 6), (SelectionStats{1, 0, 0, 0, 0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Prices, UnscoredPoint,
                         ::testing::Values(std::pair{0, 9000}, std::pair{2, 9000}, std::pair{-5, 9000}, std::pair{3, -3},
                                           std::pair{3, -2}, std::pair{10000, -10000}, std::pair{INT32_MIN, INT32_MIN}));

// Few distinct prices make equal gains, and so ties of MaxGain, common; an extreme
// table's prices are any 32-bit values.
StatsTable randomTable(int count, bool extreme, std::mt19937& random)
{
    std::uniform_int_distribution<std::int32_t> gap(-3, 3);
    std::uniform_int_distribution<std::int32_t> coarsePrice(0, 12);
    std::uniform_int_distribution<std::int32_t> anyPrice(INT32_MIN, INT32_MAX);
    StatsTable days(count);
    for (int row = 0; row < count; ++row) {
        days.setGap(row, gap(random));
        const auto price = [&] { return extreme ? anyPrice(random) : 9000 + 250 * coarsePrice(random); };
        days.setPrices(row, price(), price(), price());
    }
    return days;
}

std::vector<std::int64_t> horizonsFor(int count)
{
    return {INT32_MIN, -1, 0, 1, 2, 30, 59, count - 61, count, count + 1, 5000, INT32_MAX};
}

class AgainstTheDayByDayLoop : public ::testing::TestWithParam<std::tuple<int, InstructionSet>> {};

TEST_P(AgainstTheDayByDayLoop, SameStatsOnRandomTables)
{
    const auto [count, set] = GetParam();
    if (!IsSupported(set))
        GTEST_SKIP() << "this processor lacks the instruction set";
    std::mt19937 random(static_cast<unsigned>(count) * 7919u);
    std::uniform_int_distribution<std::int32_t> fee(1, 300);
    // The loop's cost grows with the square of the rows.
    const int rounds = count >= 1000 ? 2 : 40;
    for (int round = 0; round < rounds; ++round) {
        const StatsTable days = randomTable(count, round % 4 == 1, random);
        const auto table = days.days().table();
        for (std::int64_t horizon : horizonsFor(count)) {
            const std::int64_t f = fee(random);
            ASSERT_EQ(days.compute(horizon, f, set), dayByDay(*table, count, horizon, f))
                << "round " << round << ", horizon " << horizon << ", fee " << f;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, AgainstTheDayByDayLoop,
                         ::testing::Combine(::testing::Values(0, 60, 61, 75, 500, DayTable::kRows),
                                            ::testing::Values(InstructionSet::Baseline, InstructionSet::Avx2)));

// The table with `point` its only selection point: every gap before the day before it
// is that day's, every gap after it its own, so that no other day crosses.
StatsTable alone(const StatsTable& table, int point)
{
    StatsTable copy = table;
    const auto gap = [&](int row) {
        return std::int64_t{table.days().ma10[static_cast<std::size_t>(row)]} - table.days().ma60[static_cast<std::size_t>(row)];
    };
    const int count = static_cast<int>(table.days().date.size());
    for (int row = 0; row < count; ++row) {
        if (row < point - 1 || row > point)
            copy.setGap(row, gap(row < point ? point - 1 : point));
    }
    return copy;
}

class OutcomesOfThePoints : public ::testing::TestWithParam<int> {};

// The outcomes add up to the stats, and a point's outcome is what the stats make of it
// when it is the table's only point.
TEST_P(OutcomesOfThePoints, AreHowTheStatsJudgeThem)
{
    const int count = GetParam();
    std::mt19937 random(static_cast<unsigned>(count) * 104729u);
    std::uniform_int_distribution<std::int32_t> fee(1, 300);
    for (int round = 0; round < 8; ++round) {
        const StatsTable days = randomTable(count, round % 4 == 1, random);
        for (std::int64_t horizon : horizonsFor(count)) {
            const std::int64_t f = fee(random);
            const std::vector<PointOutcome> points = SelectionPointOutcomes(days.days().view(), horizon, f);
            const SelectionStats stats = days.compute(horizon, f);
            const auto counted = [&](Outcome outcome) {
                return std::count_if(points.begin(), points.end(), [&](const PointOutcome& p) { return p.outcome == outcome; });
            };
            ASSERT_EQ(static_cast<std::int64_t>(points.size()), stats.PointCount) << horizon;
            ASSERT_EQ(counted(Outcome::Profit) + counted(Outcome::TenPercent), stats.ProfitHits) << round << ", " << horizon;
            ASSERT_EQ(counted(Outcome::TenPercent), stats.Hits10) << round << ", " << horizon;
            if (points.empty())
                continue;
            const PointOutcome& point = points[std::uniform_int_distribution<std::size_t>(0, points.size() - 1)(random)];
            const SelectionStats single = alone(days, point.day).compute(horizon, f);
            ASSERT_EQ(single.PointCount, 1);
            ASSERT_EQ(point.outcome == Outcome::TenPercent, single.Hits10 == 1) << point.day;
            ASSERT_EQ(point.outcome == Outcome::Profit, single.ProfitHits - single.Hits10 == 1) << point.day;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, OutcomesOfThePoints, ::testing::Values(0, 61, 75, 500, DayTable::kRows));

TEST(ShownStats, SharesAreTruncatedPercentagesOfThePoints)
{
    const auto texts = testing::shownTexts({.stats = SelectionStats{3, 2, 2, 1, 1, 0, 494, 4}});
    EXPECT_EQ(texts[QueryField::MaxGain], QStringLiteral("49"));
    EXPECT_EQ(texts[QueryField::MaxGainPercent], QStringLiteral("4"));
    EXPECT_EQ(texts[QueryField::Share5], QStringLiteral("66"));
    EXPECT_EQ(texts[QueryField::Share10], QStringLiteral("33"));
    EXPECT_EQ(texts[QueryField::Share50], QStringLiteral("33"));
    EXPECT_EQ(texts[QueryField::Share100], QStringLiteral("0"));
    EXPECT_EQ(texts[QueryField::ProfitShare], QStringLiteral("66"));
    EXPECT_EQ(texts[QueryField::Points], QStringLiteral("3"));
}

TEST(ShownStats, NoPointLeavesNothingOfAnEarlierSecurity)
{
    const auto texts = testing::shownTexts({.stats = SelectionStats{}});
    EXPECT_EQ(texts[QueryField::MaxGain], QStringLiteral("0"));
    EXPECT_EQ(texts[QueryField::MaxGainPercent], QStringLiteral("0"));
    EXPECT_EQ(texts[QueryField::Points], QStringLiteral("0"));
    EXPECT_EQ(texts[QueryField::Share5], QStringLiteral("上涨5%的几率"));
    EXPECT_EQ(texts[QueryField::Share10], QStringLiteral("上涨10%以上的几率"));
    EXPECT_EQ(texts[QueryField::Share50], QStringLiteral("上涨50%以上的几率"));
    EXPECT_EQ(texts[QueryField::Share100], QStringLiteral("上涨100%以上的几率"));
    EXPECT_EQ(texts[QueryField::ProfitShare], QStringLiteral("上涨比例"));
}

} // namespace
} // namespace verdaxil
