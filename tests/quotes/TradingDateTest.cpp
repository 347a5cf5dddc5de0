#include "quotes/TradingDate.h"

#include <gtest/gtest.h>

#include <random>

namespace verdaxil {
namespace {

// A day file's date is plausible when Qt's calendar knows the day and it lies from
// 1990-01-01 to today: on random dates near the bounds, month ends and leap days, and
// on today itself, the day after and the day before.
TEST(PlausibleDate, AgreesWithTheCalendar)
{
    std::mt19937 random(24);
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    for (int k = 0; k < 200'000; ++k) {
        const std::int32_t today = dateOf(QDate(1990, 1, 1).addDays(uniform(-60, 40'000)));
        const std::int32_t date = k % 4 == 0 ? dateOf(calendarDay(today).addDays(uniform(-2, 2)))
            : k % 4 == 1                     ? uniform(1989, 2101) * 10000 + uniform(0, 13) * 100 + uniform(0, 32)
            : k % 4 == 2                     ? 19900101 + uniform(-2, 2)
                                             : uniform(INT32_MIN, INT32_MAX);
        const bool calendarDay = QDate::isValid(date / 10000, date / 100 % 100, date % 100);
        ASSERT_EQ(isPlausibleDate(date, today), calendarDay && date >= 19900101 && date <= today) << date << " " << today;
    }
}

// YYYYMMDD and QDate, either way, and the texts of a date.
TEST(PlausibleDate, ConvertsBothWays)
{
    for (QDate day(1990, 1, 1); day.year() < 2031; day = day.addDays(7)) {
        const std::int32_t date = dateOf(day);
        ASSERT_EQ(calendarDay(date), day);
        ASSERT_EQ(dateFromText(QString::number(date)), date);
        ASSERT_EQ(dateText(date), day.toString(Qt::ISODate));
    }
    EXPECT_FALSE(calendarDay(20230229).isValid());
    EXPECT_EQ(dateText(20230229), QStringLiteral("20230229"));
}

} // namespace
} // namespace verdaxil
