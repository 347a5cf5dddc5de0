#include "quotes/PlausibleDate.h"

#include <QDate>

namespace verdaxil {

namespace {

constexpr std::int32_t kFirstPlausibleDate = 19900101;

} // namespace

std::int32_t todayAsDate()
{
    const QDate today = QDate::currentDate();
    return today.year() * 10000 + today.month() * 100 + today.day();
}

bool isPlausibleDate(std::int32_t date, std::int32_t today)
{
    return date >= kFirstPlausibleDate && date <= today && QDate(date / 10000, date / 100 % 100, date % 100).isValid();
}

} // namespace verdaxil
