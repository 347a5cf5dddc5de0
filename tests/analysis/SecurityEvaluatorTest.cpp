#include "analysis/SecurityEvaluator.h"

#include "quotes/DayRecord.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace verdaxil {
namespace {

// Random day files with defective days, negative highs, partial trailing records and
// more days than the table holds.
std::vector<char> randomDayFile(std::mt19937& random)
{
    std::uniform_int_distribution<int> days(0, DayTable::kRows + 300);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<std::int32_t> price(1, 20000);
    std::vector<char> bytes;
    const int count = pick(random) < 20 ? pick(random) : days(random);
    for (int day = 0; day < count; ++day) {
        DayRecord record{20000101 + day, price(random),      price(random),         price(random),
                         price(random),  price(random) * 50, price(random) / 10 + 1};
        if (pick(random) == 0)
            record.volume = 0;
        if (pick(random) == 0 && pick(random) < 10)
            record.high = -price(random);
        const auto encoded = encodeDayRecord(record);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    bytes.resize(bytes.size() + static_cast<std::size_t>(pick(random) % 40));
    return bytes;
}

// A scan worker evaluates file after file with one evaluator: nothing of an earlier
// file may show in a later one's table or figures.
TEST(SecurityEvaluator, ReusedGivesWhatAFreshOneGives)
{
    std::mt19937 random(7);
    SecurityEvaluator reused;
    for (int file = 0; file < 60; ++file) {
        const std::vector<char> bytes = randomDayFile(random);
        SecurityEvaluator fresh;
        ASSERT_EQ(reused.loadBytes(bytes), fresh.loadBytes(bytes)) << "file " << file;
        ASSERT_EQ(reused.table().count, fresh.table().count);
        ASSERT_EQ(reused.table().rows, fresh.table().rows) << "file " << file;
        ASSERT_EQ(reused.selectionStats(30, 6), fresh.selectionStats(30, 6));
    }
}

} // namespace
} // namespace verdaxil
