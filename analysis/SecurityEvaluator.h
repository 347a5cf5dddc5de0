#pragma once

#include "analysis/EvaluatedDays.h"
#include "analysis/Indicators.h"
#include "analysis/SelectionStats.h"
#include "quotes/DayTable.h"
#include "quotes/InstructionSet.h"

#include <memory>
#include <span>

namespace verdaxil {

class DayColumns;
class IndicatorColumns;
class ReadOnlyFile;
struct DayRecordBlock;

struct SecurityEvaluation {
    IndicatorSummary indicators;
    SelectionStats stats;
    bool operator==(const SecurityEvaluation&) const = default;
};

// Evaluates one security's day file after another: read, decode and clean into
// columns, indicators, their summary, and the back-test of the selection points. The
// query and the market scan both evaluate through it; it keeps its arrays from one
// file to the next, so that a file costs no allocation.
class SecurityEvaluator {
public:
    explicit SecurityEvaluator(InstructionSet set = BestInstructionSet());
    ~SecurityEvaluator();
    SecurityEvaluator(const SecurityEvaluator&) = delete;
    SecurityEvaluator& operator=(const SecurityEvaluator&) = delete;

    // Reads the file and derives the indicators.
    IndicatorSummary load(const ReadOnlyFile& dayFile);
    // The same for a day file's bytes in memory.
    IndicatorSummary loadBytes(std::span<const char> bytes);

    // The back-test of the file loaded last.
    SelectionStats selectionStats(std::int64_t horizon, std::int64_t fee) const;

    SecurityEvaluation evaluate(const ReadOnlyFile& dayFile, std::int64_t horizon, std::int64_t fee);

    // The days of the file loaded last with their indicators, and what decoding them found.
    EvaluatedDays days() const;
    const DecodedFacts& decoded() const;

    // The whole records that load() read last, as they lie in the file: its most recent
    // DayTable::kRows. loadBytes() of their first n evaluates the file as if it ended
    // after n of them, without reading it again; exactly so when the file holds no more
    // records than that.
    std::span<const char> recordsRead() const { return recordsRead_; }

    // The days of the file loaded last as rows, built when asked for. Open, which the
    // evaluation only tests for zero, is not kept and holds the fill value.
    const DayTable& table();

private:
    InstructionSet set_;
    std::unique_ptr<DayRecordBlock> block_;
    std::span<const char> recordsRead_;
    std::unique_ptr<DayColumns> columns_;
    std::unique_ptr<IndicatorColumns> indicators_;
    std::unique_ptr<DayTable> table_;
};

} // namespace verdaxil
