#pragma once

#include <array>
#include <cstdint>

namespace verdaxil {

// One trading day of a day file: 40 bytes, seven little-endian signed 32-bit fields
// followed by 12 bytes the program does not read.
struct DayRecord {
    std::int32_t date = 0;
    std::int32_t open = 0; // the field between date and high; only tested for zero
    std::int32_t high = 0;
    std::int32_t low = 0;
    std::int32_t close = 0;
    std::int32_t amount = 0;
    std::int32_t volume = 0;
};

inline constexpr int kDayRecordSize = 40;
inline constexpr int kDayRecordFields = 7;

std::array<char, kDayRecordSize> encodeDayRecord(const DayRecord& record);

// Field `field` (0 = date ... 6 = volume) of the record that starts at `record`.
inline std::int32_t dayRecordField(const char* record, int field)
{
    const auto* b = reinterpret_cast<const unsigned char*>(record + field * 4);
    return static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16
                                     | std::uint32_t{b[3]} << 24);
}

// How defective days are removed from a day file's records, oldest first from the start
// of what is read: a day with a zero field is removed until the first day whose high is
// negative; that day and all after it stay as they are.
class DayCleaning {
public:
    // `stopped`: a day read before these had a negative high.
    explicit DayCleaning(bool stopped = false) : stopped_(stopped) {}

    // Whether `record`, the day after those seen so far, is removed.
    bool removes(const char* record)
    {
        stopped_ = stopped_ || dayRecordField(record, 2) < 0;
        if (stopped_)
            return false;
        bool zero = false;
        for (int field = 0; field < kDayRecordFields; ++field)
            zero |= dayRecordField(record, field) == 0;
        return zero;
    }

private:
    bool stopped_;
};

} // namespace verdaxil
