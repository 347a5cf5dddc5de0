#include "analysis/Indicators.h"

#include "analysis/TextWindow.h"
#include "support/TableBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace verdaxil {
namespace {

using testing::filledTable;

struct AverageCase {
    std::int32_t amount;
    std::int32_t volume;
    std::int32_t average;
};

class AveragePriceOf : public ::testing::TestWithParam<AverageCase> {};

TEST_P(AveragePriceOf, Day)
{
    EXPECT_EQ(AveragePrice(GetParam().amount, GetParam().volume), GetParam().average);
}

INSTANTIATE_TEST_SUITE_P(Examples, AveragePriceOf,
                         ::testing::Values(AverageCase{12345, 7, 17635710},
                                           AverageCase{1, 3, 3330},    // divide before the last * 10
                                           AverageCase{-7, 2, -35000}, // truncates toward zero
                                           AverageCase{-1, 3, -3330}, AverageCase{5, 0, 0},
                                           AverageCase{3000000, 100, 300000000}, // turnover past 2.1 billion yuan does not wrap
                                           AverageCase{2500000, 1000, 25000000},
                                           AverageCase{INT32_MAX, 1, INT32_MAX}, // absurd files clamp to the cell
                                           AverageCase{INT32_MIN, 1, INT32_MIN}, AverageCase{INT32_MIN, -1, INT32_MAX}));

// The average price by 64-bit integer division, as the formula says it.
std::int32_t integerAveragePrice(std::int32_t amount, std::int32_t volume)
{
    if (volume == 0)
        return 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{amount} * 1000 / volume * 10, INT32_MIN, INT32_MAX));
}

TEST(AveragePriceOf, RandomAndExtremeDaysMatchTheIntegerDivision)
{
    std::mt19937 random(936);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-1000, 1000);
    const std::int32_t edges[] = {INT32_MIN, INT32_MIN + 1, -1000,         -7,       -3, -2, -1, 1, 2, 3, 7, 999,
                                  1000,      1001,          INT32_MAX - 1, INT32_MAX};
    for (std::int32_t amount : edges)
        for (std::int32_t volume : edges)
            ASSERT_EQ(AveragePrice(amount, volume), integerAveragePrice(amount, volume)) << amount << " / " << volume;
    for (int k = 0; k < 1'000'000; ++k) {
        const std::int32_t amount = any(random);
        // Volumes near the quotient's size make quotients close to whole numbers.
        const std::int32_t volume = k % 3 == 0 ? small(random) : k % 3 == 1 ? any(random) : any(random) >> (k % 31);
        ASSERT_EQ(AveragePrice(amount, volume), integerAveragePrice(amount, volume)) << amount << " / " << volume;
    }
}

// A naive per-row recomputation of one moving average, for comparison.
std::int32_t naiveMean(const DayTable& table, int row, int length)
{
    std::int64_t sum = 0;
    for (int r = row - length + 1; r <= row; ++r)
        sum += table.rows[static_cast<std::size_t>(r)][Column::AvgPrice];
    return static_cast<std::int32_t>(sum / length);
}

class MovingAverages : public ::testing::TestWithParam<int> {};

TEST_P(MovingAverages, MatchANaiveRecomputationOnRandomDays)
{
    const int count = GetParam();
    std::mt19937 random(static_cast<unsigned>(count));
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-3, 3);
    auto table = filledTable(count);
    for (int row = 0; row < count; ++row) {
        auto& cells = table->rows[static_cast<std::size_t>(row)];
        cells[Column::Amount] = any(random);
        cells[Column::Volume] = row % 7 == 0 ? small(random) : any(random) % 100000;
    }
    ComputeIndicators(*table);

    for (int row = 0; row < DayTable::kRows; ++row) {
        const auto& cells = table->rows[static_cast<std::size_t>(row)];
        if (row >= count) {
            ASSERT_EQ(cells[Column::AvgPrice], -1);
            ASSERT_EQ(cells[Column::Ma10], -1);
            continue;
        }
        ASSERT_EQ(cells[Column::AvgPrice], AveragePrice(cells[Column::Amount], cells[Column::Volume]));
        ASSERT_EQ(cells[Column::Ma60], row >= 59 ? naiveMean(*table, row, 60) : -1) << "row " << row;
        ASSERT_EQ(cells[Column::Ma10], row >= 9 ? naiveMean(*table, row, 10) : -1) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, MovingAverages, ::testing::Values(0, 1, 9, 10, 59, 60, 61, 777, DayTable::kRows));

struct SignalCase {
    std::int32_t latestMa10, latestMa60, previousMa10, previousMa60;
    bool recommended;
};

class Signal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(Signal, FromTheLatestTwoDays)
{
    const SignalCase& c = GetParam();
    DayTable::Row latest{}, previous{};
    latest[Column::Ma10] = c.latestMa10;
    latest[Column::Ma60] = c.latestMa60;
    previous[Column::Ma10] = c.previousMa10;
    previous[Column::Ma60] = c.previousMa60;
    EXPECT_EQ(IsRecommended(latest, previous), c.recommended);
}

INSTANTIATE_TEST_SUITE_P(Examples, Signal,
                         ::testing::Values(SignalCase{1000, 1000, 990, 1000, true},   // crossed up to it
                                           SignalCase{1010, 1000, 1020, 1000, false}, // above, gap shrinks
                                           SignalCase{1030, 1000, 1020, 1000, true},  // above, gap widens
                                           SignalCase{1020, 1000, 1020, 1000, false}, // above, gap unchanged
                                           SignalCase{999, 1000, 900, 1000, false},   // still below
                                           SignalCase{1000, 1000, 1000, 1000, true},  // equal on both days
                                           SignalCase{5, -1, 3, -1, true},   // fewer than 60 days: Ma60 is the fill value
                                           SignalCase{-1, -1, -1, -1, true}, // fewer than 10 days
                                           SignalCase{INT32_MAX, INT32_MIN, INT32_MAX, 0,
                                                      true})); // gaps beyond 32 bits compare right

class ShownIndicators : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setText(Control::LblCDate, QStringLiteral("earlier"));
        window.setText(Control::stockprice, QStringLiteral("earlier"));
        window.setRadio(Control::RBtnYes, {true, true});
    }
    TextWindow window;
};

TEST_F(ShownIndicators, EmptyTable)
{
    const auto table = filledTable(0);
    ShowIndicators(window, SummarizeIndicators(*table));
    EXPECT_EQ(window.text(Control::EdtHHigh), QStringLiteral("0"));
    EXPECT_EQ(window.text(Control::EdtLowest), QStringLiteral("0"));
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("当前荐股日期"));
    EXPECT_EQ(window.text(Control::stockprice), QStringLiteral("当前股价"));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});
    EXPECT_EQ(window.radio(Control::RBtnNo), RadioState{});
}

TEST_F(ShownIndicators, OneDayHasADateAndPriceButNoSignal)
{
    auto table = filledTable(1);
    table->rows[0] = {-20240102, 1, 12345, 9999, 10239, 1, 1, 1, -1, -1};
    ShowIndicators(window, SummarizeIndicators(*table));
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("-20240102"));
    EXPECT_EQ(window.text(Control::stockprice), QStringLiteral("1023"));
    EXPECT_EQ(window.text(Control::EdtHHigh), QStringLiteral("1234"));
    EXPECT_EQ(window.text(Control::EdtLowest), QStringLiteral("999"));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});
}

TEST_F(ShownIndicators, LowIsSearchedFromTheHigh)
{
    auto table = filledTable(2);
    table->rows[0] = {20240102, 1, -50, 700, 600, 1, 1, 1, -1, -1};
    table->rows[1] = {20240103, 1, 505, 800, 610, 1, 1, 1, -1, -1};
    ShowIndicators(window, SummarizeIndicators(*table));
    EXPECT_EQ(window.text(Control::EdtHHigh), QStringLiteral("50"));
    EXPECT_EQ(window.text(Control::EdtLowest), QStringLiteral("50")); // every low above the high
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("20240103"));
    EXPECT_EQ(window.text(Control::stockprice), QStringLiteral("61"));
}

TEST_F(ShownIndicators, RecommendationChecksExactlyOneButton)
{
    auto table = filledTable(2);
    table->rows[0][Column::Ma10] = 1020;
    table->rows[0][Column::Ma60] = 1000;
    table->rows[1][Column::Ma10] = 1010;
    table->rows[1][Column::Ma60] = 1000;
    ShowIndicators(window, SummarizeIndicators(*table));
    EXPECT_EQ(window.radio(Control::RBtnNo), (RadioState{true, true}));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});

    table->rows[1][Column::Ma10] = 1030;
    ShowIndicators(window, SummarizeIndicators(*table));
    EXPECT_EQ(window.radio(Control::RBtnYes), (RadioState{true, true}));
    EXPECT_EQ(window.radio(Control::RBtnNo), RadioState{});
}

} // namespace
} // namespace verdaxil
