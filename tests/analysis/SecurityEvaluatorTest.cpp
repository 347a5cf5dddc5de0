#include "analysis/SecurityEvaluator.h"

#include "quotes/DayRecord.h"
#include "support/DayValues.h"
#include "support/RowTableReference.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace verdaxil {
namespace {

// Random day files with defective days, negative highs, partial trailing records and
// more days than the table holds. Coarse files repeat a few prices, so that averages
// tie and gains tie; extreme ones take any 32-bit values.
std::vector<char> randomDayFile(std::mt19937& random)
{
    std::uniform_int_distribution<int> days(0, DayTable::kRows + 300);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<std::int32_t> price(1, 20000);
    std::uniform_int_distribution<std::int32_t> coarse(1, 3);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    const int kind = pick(random) % 3;
    const int count = pick(random) < 20 ? pick(random) : days(random);
    std::vector<char> bytes;
    for (int day = 0; day < count; ++day) {
        DayRecord record{20000101 + day, price(random),      price(random),         price(random),
                         price(random),  price(random) * 50, price(random) / 10 + 1};
        if (kind == 1) {
            record.high = record.low = 1000 * coarse(random);
            record.amount = 1000 * coarse(random);
            record.volume = 10;
        } else if (kind == 2) {
            record = {any(random), any(random), any(random), any(random), any(random), any(random), any(random)};
        }
        if (pick(random) == 0)
            record.volume = 0;
        if (pick(random) == 0)
            record.date -= 1; // the day before's date again
        if (pick(random) == 0 && pick(random) < 10)
            record.high = -price(random);
        const auto encoded = encodeDayRecord(record);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    bytes.resize(bytes.size() + static_cast<std::size_t>(pick(random) % 40));
    return bytes;
}

// The evaluation's days and summary are the row table's, and what decoding found of
// them is what a plain pass over them finds.
void expectTheRowTablesDays(SecurityEvaluator& evaluator, const std::vector<char>& bytes, const std::string& file)
{
    const auto reference = testing::referenceRows(bytes);
    testing::referenceIndicators(*reference);
    ASSERT_EQ(evaluator.loadBytes(bytes), testing::referenceSummary(*reference)) << file;
    const EvaluatedDays days = evaluator.days();
    ASSERT_EQ(days.count(), reference->count) << file;
    for (std::size_t row = 0; row < days.date.size(); ++row) {
        const DayTable::Row& cells = reference->rows[row];
        const std::array<std::int32_t, 7> columns = {days.date[row],     days.high[row], days.low[row], days.close[row],
                                                     days.avgPrice[row], days.ma10[row], days.ma60[row]};
        ASSERT_EQ(columns,
                  (std::array{cells[Column::Date], cells[Column::High], cells[Column::Low], cells[Column::Close],
                              cells[Column::AvgPrice], cells[Column::Ma10], cells[Column::Ma60]}))
            << file << ", row " << row;
    }
    ASSERT_EQ(evaluator.decoded(), testing::DayValues::factsOf(days.date, days.high, days.low)) << file;
}

class AgainstTheRowTable : public ::testing::TestWithParam<InstructionSet> {
protected:
    void SetUp() override
    {
        if (!IsSupported(GetParam()))
            GTEST_SKIP() << "this processor lacks the instruction set";
    }
};

// The columns hold every figure of the row table's evaluation, day by day, and give
// its summary and back-test at horizons and fees across the 32-bit range.
TEST_P(AgainstTheRowTable, SameDaysAndFiguresOnRandomFiles)
{
    std::mt19937 random(2026);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> shortHorizon(-2, 70);
    std::uniform_int_distribution<std::int32_t> fee(-300, 300);
    SecurityEvaluator evaluator(GetParam());
    for (int file = 0; file < 40; ++file) {
        const std::vector<char> bytes = randomDayFile(random);
        expectTheRowTablesDays(evaluator, bytes, "file " + std::to_string(file));
        const auto reference = testing::referenceRows(bytes);
        testing::referenceIndicators(*reference);
        const int count = evaluator.days().count();
        for (const std::int64_t horizon :
             {std::int64_t{INT32_MIN}, std::int64_t{shortHorizon(random)}, std::int64_t{count / 3}, std::int64_t{INT32_MAX}}) {
            const std::int64_t f = file % 5 == 0 ? any(random) : fee(random);
            ASSERT_EQ(evaluator.selectionStats(horizon, f), testing::dayByDay(*reference, reference->count, horizon, f))
                << "file " << file << ", horizon " << horizon << ", fee " << f;
        }
    }
}

// Days are decoded eight at a time: a single zero in any field, on either side of a
// block's edge or in the days past the last whole block, removes just that day; a date
// out of order or a negative high there is found.
TEST_P(AgainstTheRowTable, OneOddDayAtTheEdgesOfTheDecodingsBlocks)
{
    using Plant = void (*)(DayRecord&);
    constexpr std::array<Plant, 9> plants{
        [](DayRecord& r) { r.date = 0; },   [](DayRecord& r) { r.open = 0; },  [](DayRecord& r) { r.high = 0; },
        [](DayRecord& r) { r.low = 0; },    [](DayRecord& r) { r.close = 0; }, [](DayRecord& r) { r.amount = 0; },
        [](DayRecord& r) { r.volume = 0; }, [](DayRecord& r) { r.date -= 1; }, [](DayRecord& r) { r.high = -r.high; }};
    SecurityEvaluator evaluator(GetParam());
    for (const int days : {8, 75}) {
        for (int oddDay = 0; oddDay < days; ++oddDay) {
            if (oddDay % 8 != 0 && oddDay % 8 != 7 && oddDay < 72)
                continue;
            for (std::size_t plant = 0; plant < plants.size(); ++plant) {
                std::vector<char> bytes;
                for (int day = 0; day < days; ++day) {
                    DayRecord record{20000101 + day, 7, 1200 + day, 1100, 1150, 5000 + day, 4};
                    if (day == oddDay)
                        plants[plant](record);
                    const auto encoded = encodeDayRecord(record);
                    bytes.insert(bytes.end(), encoded.begin(), encoded.end());
                }
                expectTheRowTablesDays(evaluator, bytes,
                                       std::to_string(days) + " days, plant " + std::to_string(plant) + " on day "
                                           + std::to_string(oddDay));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, AgainstTheRowTable, ::testing::Values(InstructionSet::Baseline, InstructionSet::Avx2));

} // namespace
} // namespace verdaxil
