#include "analysis/Indicators.h"

#include "analysis/IndicatorColumns.h"
#include "support/DayValues.h"
#include "support/RowTableReference.h"
#include "support/ShownTexts.h"

#include <gtest/gtest.h>

#include <QHash>

#include <algorithm>
#include <random>

namespace verdaxil {
namespace {

using testing::DayValues;

constexpr InstructionSet kSets[] = {InstructionSet::Baseline, InstructionSet::Avx2};

// The average prices of days of these amounts and volumes, on `set`.
std::vector<std::int32_t> averagePrices(const std::vector<std::int32_t>& amount, const std::vector<std::int32_t>& volume,
                                        InstructionSet set)
{
    const auto columns = std::make_unique<IndicatorColumns>();
    columns->compute(amount, volume, set);
    return {columns->avgPrice().begin(), columns->avgPrice().end()};
}

struct AverageCase {
    std::int32_t amount;
    std::int32_t volume;
    std::int32_t average;
};

class AveragePriceOf : public ::testing::TestWithParam<AverageCase> {};

TEST_P(AveragePriceOf, Day)
{
    for (InstructionSet set : kSets) {
        if (IsSupported(set)) {
            EXPECT_EQ(averagePrices({GetParam().amount}, {GetParam().volume}, set), std::vector{GetParam().average});
        }
    }
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

class OnEachInstructionSet : public ::testing::TestWithParam<InstructionSet> {
protected:
    void SetUp() override
    {
        if (!IsSupported(GetParam()))
            GTEST_SKIP() << "this processor lacks the instruction set";
    }
};

// A day file's most of days at a time, with every lane and tail of the loops.
TEST_P(OnEachInstructionSet, AveragePricesMatchTheIntegerDivision)
{
    std::mt19937 random(936);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> small(-1000, 1000);
    const std::int32_t edges[] = {INT32_MIN, INT32_MIN + 1, -1000,         -7,       -3, -2, -1, 0, 1, 2, 3, 7, 999,
                                  1000,      1001,          INT32_MAX - 1, INT32_MAX};
    std::vector<std::int32_t> amount;
    std::vector<std::int32_t> volume;
    for (std::int32_t a : edges) {
        for (std::int32_t v : edges) {
            amount.push_back(a);
            volume.push_back(v);
        }
    }
    for (int round = 0; round < 200; ++round) {
        amount.resize(DayTable::kRows - static_cast<std::size_t>(round % 7));
        volume.resize(amount.size());
        for (std::size_t day = round == 0 ? std::size(edges) * std::size(edges) : 0; day < amount.size(); ++day) {
            amount[day] = any(random);
            // Volumes near the quotient's size make quotients close to whole numbers.
            const int k = static_cast<int>(day);
            volume[day] = k % 3 == 0 ? small(random) : k % 3 == 1 ? any(random) : any(random) >> (k % 31);
        }
        const std::vector<std::int32_t> prices = averagePrices(amount, volume, GetParam());
        for (std::size_t day = 0; day < amount.size(); ++day)
            ASSERT_EQ(prices[day], testing::referenceAveragePrice(amount[day], volume[day]))
                << amount[day] << " / " << volume[day];
    }
}

// Moving averages at their extremes: sums far past 32 bits, and means at the very ends
// of the 32-bit range, against each window summed afresh.
TEST_P(OnEachInstructionSet, MovingAveragesMatchWindowsSummedAfresh)
{
    std::mt19937 random(60);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int> pick(0, 5);
    for (int count : {0, 1, 9, 10, 59, 60, 61, 777, DayTable::kRows}) {
        auto table = std::make_unique<DayTable>();
        table->count = count;
        std::vector<std::int32_t> amount;
        std::vector<std::int32_t> volume;
        for (int row = 0; row < count; ++row) {
            // Runs of the largest and smallest prices, and of prices that average to
            // exact whole numbers, among any others.
            const int kind = pick(random);
            amount.push_back(kind == 0 ? INT32_MAX : kind == 1 ? INT32_MIN : kind == 2 ? 60 * (row % 5) : any(random));
            volume.push_back(kind <= 2 ? 1 : any(random) % 100000);
            table->rows[static_cast<std::size_t>(row)][Column::Amount] = amount.back();
            table->rows[static_cast<std::size_t>(row)][Column::Volume] = volume.back();
        }
        testing::referenceIndicators(*table);
        const auto columns = std::make_unique<IndicatorColumns>();
        columns->compute(amount, volume, GetParam());
        for (int row = 0; row < count; ++row) {
            const auto& cells = table->rows[static_cast<std::size_t>(row)];
            ASSERT_EQ(columns->avgPrice()[static_cast<std::size_t>(row)], cells[Column::AvgPrice]) << "row " << row;
            ASSERT_EQ(columns->ma10()[static_cast<std::size_t>(row)], cells[Column::Ma10]) << "row " << row;
            ASSERT_EQ(columns->ma60()[static_cast<std::size_t>(row)], cells[Column::Ma60]) << "row " << row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, OnEachInstructionSet, ::testing::ValuesIn(kSets));

struct SignalCase {
    std::int32_t latestMa10, latestMa60, previousMa10, previousMa60;
    bool recommended;
};

class Signal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(Signal, FromTheLatestTwoDays)
{
    const SignalCase& c = GetParam();
    DayValues days(2);
    days.ma10 = {c.previousMa10, c.latestMa10};
    days.ma60 = {c.previousMa60, c.latestMa60};
    EXPECT_EQ(IsRecommended(days.view(), 1), c.recommended);
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

TEST(ShownIndicators, EmptyTableShowsZeroExtremesAndPlaceholders)
{
    const IndicatorSummary summary = SummarizeIndicators(DayValues(0).view(), DayValues(0).facts());
    const auto texts = testing::shownTexts({.indicators = summary});
    EXPECT_EQ(texts[QueryField::High], QStringLiteral("0"));
    EXPECT_EQ(texts[QueryField::Low], QStringLiteral("0"));
    EXPECT_EQ(texts[QueryField::Date], QStringLiteral("当前荐股日期"));
    EXPECT_EQ(texts[QueryField::Price], QStringLiteral("当前股价"));
    EXPECT_FALSE(summary.recommended);
}

TEST(ShownIndicators, OneDayHasADateAndPriceButNoSignal)
{
    DayValues days(1);
    days.date[0] = -20240102;
    days.high[0] = 12345;
    days.low[0] = 9999;
    days.close[0] = 10239;
    const IndicatorSummary summary = SummarizeIndicators(days.view(), days.facts());
    const auto texts = testing::shownTexts({.indicators = summary});
    EXPECT_EQ(texts[QueryField::Date], QStringLiteral("-20240102"));
    EXPECT_EQ(texts[QueryField::Price], QStringLiteral("1023"));
    EXPECT_EQ(texts[QueryField::High], QStringLiteral("1234"));
    EXPECT_EQ(texts[QueryField::Low], QStringLiteral("999"));
    EXPECT_FALSE(summary.recommended);
}

TEST(ShownIndicators, LowIsSearchedFromTheHigh)
{
    DayValues days(2);
    days.date = {20240102, 20240103};
    days.high = {-50, 505};
    days.low = {700, 800};
    days.close = {600, 610};
    const auto texts = testing::shownTexts({.indicators = SummarizeIndicators(days.view(), days.facts())});
    EXPECT_EQ(texts[QueryField::High], QStringLiteral("50"));
    EXPECT_EQ(texts[QueryField::Low], QStringLiteral("50")); // every low above the high
    EXPECT_EQ(texts[QueryField::Date], QStringLiteral("20240103"));
    EXPECT_EQ(texts[QueryField::Price], QStringLiteral("61"));
}

} // namespace
} // namespace verdaxil
