#pragma once

#include <QString>

#include <cstdint>

namespace verdaxil {

// Day files write dates as integers YYYYMMDD.

// Today's date on this machine.
std::int32_t todayAsDate();

// Whether a day file's date field can be a trading day: a real calendar date from
// 1990-01-01 to `today`. A damaged file holds others (29991231, or random bytes read
// as a date), and one such file must not decide the market's latest day.
bool isPlausibleDate(std::int32_t date, std::int32_t today);

// The last weekday before `today`: the latest day whose data a terminal updated after
// the close holds at the latest. Holidays are not known.
std::int32_t lastWeekdayBefore(std::int32_t today);

// "2025-07-01"; the plain number for a date that is no calendar day.
QString dateText(std::int32_t date);

} // namespace verdaxil
