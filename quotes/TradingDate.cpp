#include "quotes/TradingDate.h"

#include <QDate>

namespace verdaxil {

namespace {

constexpr std::int32_t kFirstPlausibleDate = 19900101;

QDate calendarDay(std::int32_t date)
{
    return QDate(date / 10000, date / 100 % 100, date % 100);
}

std::int32_t asDate(QDate day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

} // namespace

std::int32_t todayAsDate()
{
    return asDate(QDate::currentDate());
}

bool isPlausibleDate(std::int32_t date, std::int32_t today)
{
    return date >= kFirstPlausibleDate && date <= today && calendarDay(date).isValid();
}

std::int32_t lastWeekdayBefore(std::int32_t today)
{
    QDate day = calendarDay(today).addDays(-1);
    while (day.dayOfWeek() > 5)
        day = day.addDays(-1);
    return asDate(day);
}

QString dateText(std::int32_t date)
{
    const QDate day = calendarDay(date);
    return day.isValid() ? day.toString(QStringLiteral("yyyy-MM-dd")) : QString::number(date);
}

} // namespace verdaxil
