#pragma once

#include "analysis/Indicators.h"
#include "analysis/SelectionStats.h"
#include "quotes/DayFileReader.h"

#include <memory>
#include <span>

namespace verdaxil {

class ReadOnlyFile;

struct SecurityEvaluation {
    IndicatorSummary indicators;
    SelectionStats stats;
    bool operator==(const SecurityEvaluation&) const = default;
};

// Evaluates one security's day file after another: read and clean, indicators, their
// summary, and the back-test of the selection points. The query and the market scan
// both evaluate through it; it keeps its table from one file to the next.
class SecurityEvaluator {
public:
    SecurityEvaluator();

    // Reads the file and derives the indicators.
    IndicatorSummary load(const ReadOnlyFile& dayFile);
    // The same for a day file's bytes in memory.
    IndicatorSummary loadBytes(std::span<const char> bytes);

    // The back-test of the file loaded last.
    SelectionStats selectionStats(std::int64_t horizon, std::int64_t fee) const;

    SecurityEvaluation evaluate(const ReadOnlyFile& dayFile, std::int64_t horizon, std::int64_t fee);

    // The file loaded last, its indicators computed.
    const DayTable& table() const { return *table_; }

private:
    IndicatorSummary summarize();

    std::unique_ptr<DayTable> table_;
};

} // namespace verdaxil
