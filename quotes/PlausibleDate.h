#pragma once

#include <cstdint>

namespace verdaxil {

// Today's date on this machine as the day files write dates: YYYYMMDD.
std::int32_t todayAsDate();

// Whether a day file's date field can be a trading day: a real calendar date from
// 1990-01-01 to `today`. A damaged file holds others (29991231, or random bytes read
// as a date), and one such file must not decide the market's latest day.
bool isPlausibleDate(std::int32_t date, std::int32_t today);

} // namespace verdaxil
