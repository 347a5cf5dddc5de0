#include "tools/DemoQuotes.h"

#include "analysis/Indicators.h"
#include "analysis/QueryCommand.h"
#include "support/QuoteDirFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace verdaxil {
namespace {

TEST(DemoHistory, IsDeterministic)
{
    const DemoSecurity& security = demoSecurities().front();
    const auto first = demoHistory(security, 50);
    const auto second = demoHistory(security, 50);
    ASSERT_EQ(first.size(), 50u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), second.begin(), [](const DayRecord& a, const DayRecord& b) {
        return a.date == b.date && a.high == b.high && a.amount == b.amount && a.volume == b.volume;
    }));
}

TEST(DemoHistory, UnitsPutTheAveragePriceWithinTheDay)
{
    for (const DemoSecurity& security : demoSecurities()) {
        for (const DayRecord& day : demoHistory(security, 3000)) {
            ASSERT_LE(day.low, day.high);
            ASSERT_GT(day.volume, 0);
            // Amount in thousands of yuan, volume in lots: amount * 10000 / volume is
            // the average price in thousandths of a yuan, up to rounding of the amount.
            const std::int64_t average = std::int64_t{day.amount} * 10000 / day.volume;
            ASSERT_GE(average, day.low - 10000LL * 10 / day.volume - 1) << security.code << " " << day.date;
            ASSERT_LE(average, day.high + 10) << security.code << " " << day.date;
        }
    }
}

TEST(DemoHistory, TheLargeCompanyOftenTurnsOverMoreThanThirtyTwoBitsAllow)
{
    const auto& securities = demoSecurities();
    const auto large = std::find_if(securities.begin(), securities.end(),
                                    [](const DemoSecurity& s) { return QLatin1String(s.code) == QLatin1String("600036"); });
    ASSERT_NE(large, securities.end());
    const auto history = demoHistory(*large, 3000);
    // amount * 1000 passes 2^31 above 2,147,483 thousand yuan.
    const auto past = std::count_if(history.begin(), history.end(), [](const DayRecord& d) { return d.amount > 2147483; });
    EXPECT_GT(past, 1000);
}

TEST(DemoQuoteDir, EverySecurityHasSeveralSelectionPoints)
{
    testing::QuoteDirFixture dir;
    writeDemoQuoteDir(dir.quoteDir());
    for (const DemoSecurity& security : demoSecurities()) {
        const QueryFindings found =
            runQuery({QLatin1String(security.code), dir.quoteDir(), QStringLiteral("6"), QStringLiteral("30")});
        EXPECT_EQ(found.message, QueryMessage::Explanation) << security.code;
        ASSERT_TRUE(found.stats) << security.code;
        EXPECT_GE(found.stats->PointCount, 3) << security.code;
    }
}

} // namespace
} // namespace verdaxil
