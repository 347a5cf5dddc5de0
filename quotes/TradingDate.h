#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>

namespace verdaxil {

// Day files write dates as integers YYYYMMDD.

// The first day a day file's date can be a trading day's.
inline constexpr std::int32_t kFirstPlausibleDate = 19900101;

struct DateParts {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
};

// YYYYMMDD read as its three numbers, whether they name a calendar day or not.
constexpr DateParts dateParts(std::int32_t date)
{
    return {date / 10000, date / 100 % 100, date % 100};
}

// The calendar day YYYYMMDD names; an invalid QDate when it names none.
inline QDate calendarDay(std::int32_t date)
{
    const DateParts parts = dateParts(date);
    return QDate(parts.year, parts.month, parts.day);
}

// The day as YYYYMMDD.
inline std::int32_t dateOf(QDate day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

// Today's date on this machine.
std::int32_t todayAsDate();

// Whether a day file's date field can be a trading day: a real calendar date from
// 1990-01-01 to `today`. A damaged file holds others (29991231, or random bytes read
// as a date), and one such file must not decide the market's latest day. Plain
// arithmetic, so that loops over every day of a market run it in lanes.
inline bool isPlausibleDate(std::int32_t date, std::int32_t today)
{
    const auto [year, month, day] = dateParts(date);
    const bool leap = (year % 4 == 0) & ((year % 100 != 0) | (year % 400 == 0));
    // 31, 28, 31, 30, ... two bits a month above 28.
    const std::int32_t monthDays = 28 + ((0x3BBEECC >> ((month & 15) * 2)) & 3) + ((month == 2) & leap);
    return (date >= kFirstPlausibleDate) & (date <= today) & (month >= 1) & (month <= 12) & (day >= 1) & (day <= monthDays);
}

// The last weekday before `today`: the latest day whose data a terminal updated after
// the close holds at the latest. Holidays are not known.
std::int32_t lastWeekdayBefore(std::int32_t today);

// The date a text of eight digits names, when it is a real calendar date.
std::optional<std::int32_t> dateFromText(const QString& text);

// "2025-07-01"; the plain number for a date that is no calendar day.
QString dateText(std::int32_t date);

} // namespace verdaxil
