#pragma once

#include <array>
#include <cstdint>

namespace verdaxil {

// One trading day of a day file: 40 bytes, seven little-endian signed 32-bit fields
// followed by 12 bytes the program does not read.
struct DayRecord {
    std::int32_t date = 0;
    std::int32_t open = 0;  // the field between date and high; only tested for zero
    std::int32_t high = 0;
    std::int32_t low = 0;
    std::int32_t close = 0;
    std::int32_t amount = 0;
    std::int32_t volume = 0;
};

inline constexpr int kDayRecordSize = 40;

std::array<char, kDayRecordSize> encodeDayRecord(const DayRecord& record);

} // namespace verdaxil
