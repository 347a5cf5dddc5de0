// A day file's bytes through the evaluation a query and the scan make of them. The
// first four bytes choose the back-test: horizon and fee, each a little-endian 16-bit
// signed value, reaching windows longer than any table and fees of either sign.
#include "FuzzChecks.h"

#include "analysis/SecurityEvaluator.h"
#include "quotes/DayRecord.h"
#include "support/DayByDayStats.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace verdaxil::fuzz {

namespace {

constexpr std::size_t kHeaderSize = 4;

std::int16_t int16At(const std::array<std::uint8_t, kHeaderSize>& header, std::size_t at)
{
    return static_cast<std::int16_t>(header[at] | header[at + 1] << 8);
}

// One comparison of bytes: a check cell by cell would cost ten times the evaluation
// under the fuzzer's instrumentation.
bool onlyFillFrom(const DayTable& table, int row)
{
    static const DayTable filled;
    const auto from = static_cast<std::size_t>(row);
    return std::memcmp(table.rows.data() + from, filled.rows.data() + from, (DayTable::kRows - from) * sizeof(DayTable::Row))
        == 0;
}

} // namespace

void checkDayFileInput(Input input)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    std::copy_n(input.begin(), std::min(input.size(), kHeaderSize), header.begin());
    const std::int64_t horizon = int16At(header, 0);
    const std::int64_t fee = int16At(header, 2);
    const Input file = input.subspan(std::min(input.size(), kHeaderSize));
    const std::span<const char> bytes(reinterpret_cast<const char*>(file.data()), file.size());

    // The scan's workers keep one evaluator from file to file: what an earlier file
    // left in the table must not show in a later one's figures.
    static SecurityEvaluator reused;
    const IndicatorSummary reusedSummary = reused.loadBytes(bytes);
    const SelectionStats reusedStats = reused.selectionStats(horizon, fee);
    require(onlyFillFrom(reused.table(), reused.table().count), "a reused table holds only fill past its days");

    // An evaluator emptied by an empty file evaluates as a new one: a new one's table
    // would cost more to map than the whole evaluation.
    static SecurityEvaluator fresh;
    fresh.loadBytes({});
    require(onlyFillFrom(fresh.table(), 0), "an empty file leaves only fill");
    const IndicatorSummary summary = fresh.loadBytes(bytes);
    const SelectionStats stats = fresh.selectionStats(horizon, fee);
    const DayTable& table = fresh.table();
    const auto days = static_cast<std::size_t>(table.count);
    require(days <= std::min<std::size_t>(file.size() / kDayRecordSize, DayTable::kRows),
            "no more days than whole records, nor than the table holds");
    require(onlyFillFrom(table, table.count), "a table holds only fill past its days");
    require(reusedSummary == summary && reusedStats == stats, "a reused evaluator agrees with a fresh one");
    require(stats == testing::dayByDay(table, table.count, horizon, fee), "the back-test agrees with the day-by-day loop");
}

} // namespace verdaxil::fuzz
