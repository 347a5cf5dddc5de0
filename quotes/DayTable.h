#pragma once

#include <array>
#include <cstdint>

namespace verdaxil {

// Columns of the day table: the seven fields of a day record, then the three the
// indicators derive from them.
namespace Column {
inline constexpr int Date = 0;
inline constexpr int Open = 1;
inline constexpr int High = 2;
inline constexpr int Low = 3;
inline constexpr int Close = 4;
inline constexpr int Amount = 5;
inline constexpr int Volume = 6;
inline constexpr int AvgPrice = 7;
inline constexpr int Ma60 = 8;
inline constexpr int Ma10 = 9;
} // namespace Column

// One security's trading days as rows, oldest first. Rows 0 to count-1 hold data;
// every other cell holds the fill value -1. The evaluation works in columns; this is
// the form a reader of whole days, such as a test, takes them in.
struct DayTable {
    static constexpr int kRows = 5000;
    static constexpr int kColumns = 10;
    static constexpr std::int32_t kFill = -1;

    using Row = std::array<std::int32_t, kColumns>;

    DayTable()
    {
        for (Row& row : rows)
            row.fill(kFill);
    }

    std::array<Row, kRows> rows;
    int count = 0;
};

} // namespace verdaxil
