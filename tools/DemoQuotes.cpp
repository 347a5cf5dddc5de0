#include "tools/DemoQuotes.h"

#include "tools/DemoMarket.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <random>

namespace verdaxil {

namespace {

QDate nextTradingDay(QDate day)
{
    do
        day = day.addDays(1);
    while (day.dayOfWeek() > 5);
    return day;
}

} // namespace

const std::vector<DemoSecurity>& demoSecurities()
{
    // 600036 is the large company: its daily turnover often passes 2.1 billion yuan.
    static const std::vector<DemoSecurity> securities = {
        {"600000", true, 8230, 300'000, 24},
        {"600036", true, 31500, 900'000, 23},
        {"000001", false, 10870, 600'000, 37},
        {"000002", false, 7450, 450'000, 51},
    };
    return securities;
}

std::vector<DayRecord> demoHistory(const DemoSecurity& security, int days)
{
    return demoHistory(security, std::vector<double>(static_cast<std::size_t>(days), 0.0));
}

std::vector<DayRecord> demoHistory(const DemoSecurity& security, std::span<const double> marketTrend)
{
    const int days = static_cast<int>(marketTrend.size());
    std::mt19937 random(security.seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    std::vector<DayRecord> history;
    history.reserve(static_cast<std::size_t>(days));
    QDate day(2013, 12, 31);
    double price = security.startPrice;
    for (int index = 0; index < days; ++index) {
        day = nextTradingDay(day);
        // Slow cycles of a few months make the 10-day average cross the 60-day one
        // now and then; the noise keeps it from looking drawn, and a pull back towards
        // the starting price keeps ten years of it within a plausible range.
        const double trend = 0.004 * std::sin(index / 37.0 + security.seed / 3.0)
            + 0.002 * std::sin(index / 113.0 + security.seed) + 0.01 * std::log(security.startPrice / price)
            + marketTrend[static_cast<std::size_t>(index)];
        const double open = price;
        price = std::max(1000.0, price * (1.0 + trend + 0.012 * noise(random)));
        const double close = price;
        const double high = std::max(open, close) * (1.0 + 0.01 * unit(random));
        const double low = std::min(open, close) * (1.0 - 0.01 * unit(random));
        const double average = low + (high - low) * (0.3 + 0.4 * unit(random));
        const double lots = security.dailyLots * (0.6 + 0.8 * unit(random));

        DayRecord record;
        int year = 0, month = 0, dayOfMonth = 0;
        day.getDate(&year, &month, &dayOfMonth); // one calendar conversion, not three
        record.date = year * 10000 + month * 100 + dayOfMonth;
        record.open = static_cast<std::int32_t>(std::lround(open));
        record.high = static_cast<std::int32_t>(std::lround(high));
        record.low = static_cast<std::int32_t>(std::lround(low));
        record.close = static_cast<std::int32_t>(std::lround(close));
        record.volume = static_cast<std::int32_t>(std::lround(lots));
        // Thousandths of a yuan times lots of 100 shares, in thousands of yuan.
        record.amount = static_cast<std::int32_t>(std::lround(average * lots / 10000.0));
        history.push_back(record);
    }
    return history;
}

void writeDemoQuoteDir(const QString& localDir)
{
    writeDemoMarket(localDir, static_cast<int>(demoSecurities().size()), kDemoDays);
}

} // namespace verdaxil
