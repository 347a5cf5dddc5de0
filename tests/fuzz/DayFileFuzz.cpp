// A day file's bytes through the evaluation a query and the scan make of them. The
// first eight bytes choose the back-test: horizon and fee, each a little-endian 32-bit
// signed value, reaching windows longer than any table and fees of either sign. The
// bytes are evaluated from memory, as a query's test does, and from a file, as the
// scan reads it.
#include "FuzzChecks.h"

#include "analysis/SecurityEvaluator.h"
#include "quotes/DayRecord.h"
#include "runtime/FileSystem.h"
#include "support/DayByDayStats.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <stdlib.h>

namespace verdaxil::fuzz {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderSize = 8;

std::int32_t int32At(const std::array<std::uint8_t, kHeaderSize>& header, std::size_t at)
{
    return static_cast<std::int32_t>(std::uint32_t{header[at]} | std::uint32_t{header[at + 1]} << 8
                                     | std::uint32_t{header[at + 2]} << 16 | std::uint32_t{header[at + 3]} << 24);
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

// The day file the scan's path reads: one per process, rewritten for every input.
class DayFileOnDisk {
public:
    DayFileOnDisk()
    {
        std::string name = fs::temp_directory_path() / "verdaxil-fuzz-day-file-XXXXXX";
        require(::mkdtemp(name.data()) != nullptr, "a temporary directory");
        root_ = name;
        path_ = root_ / "600000.day";
    }
    ~DayFileOnDisk() { fs::remove_all(root_); }

    ReadOnlyFile write(std::span<const char> bytes) const
    {
        std::ofstream(path_, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        OpenError error{};
        auto file = ReadOnlyFile::openLocal(path_.c_str(), error);
        require(file.has_value(), "the written day file opens");
        return std::move(*file);
    }

private:
    fs::path root_;
    fs::path path_;
};

} // namespace

void checkDayFileInput(Input input)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    std::copy_n(input.begin(), std::min(input.size(), kHeaderSize), header.begin());
    const std::int64_t horizon = int32At(header, 0);
    const std::int64_t fee = int32At(header, 4);
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

    // Read from a file, the whole records of zeros it ends with are no days (a broken
    // download leaves them): its bytes in memory without them.
    std::size_t whole = bytes.size() / kDayRecordSize;
    while (whole > 0
           && std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>((whole - 1) * kDayRecordSize),
                          bytes.begin() + static_cast<std::ptrdiff_t>(whole * kDayRecordSize),
                          [](char byte) { return byte == 0; }))
        --whole;
    const IndicatorSummary readSummary = fresh.loadBytes(bytes.first(whole * kDayRecordSize));
    const SelectionStats readStats = fresh.selectionStats(horizon, fee);
    static const DayFileOnDisk onDisk;
    static SecurityEvaluator scanning;
    const SecurityEvaluation fromFile = scanning.evaluate(onDisk.write(bytes), horizon, fee);
    require(fromFile == SecurityEvaluation{readSummary, readStats},
            "the scan's read of the file agrees with its bytes in memory, less a tail of zero records");
}

} // namespace verdaxil::fuzz
