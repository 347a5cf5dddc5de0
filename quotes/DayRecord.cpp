#include "quotes/DayRecord.h"

namespace verdaxil {

std::array<char, kDayRecordSize> encodeDayRecord(const DayRecord& record)
{
    std::array<char, kDayRecordSize> bytes{};
    const std::int32_t fields[] = {record.date, record.open, record.high, record.low, record.close, record.amount, record.volume};
    for (int field = 0; field < kDayRecordFields; ++field) {
        const auto value = static_cast<std::uint32_t>(fields[field]);
        for (int byte = 0; byte < 4; ++byte)
            bytes[static_cast<std::size_t>(field * 4 + byte)] = static_cast<char>(value >> (8 * byte) & 0xFF);
    }
    return bytes;
}

} // namespace verdaxil
