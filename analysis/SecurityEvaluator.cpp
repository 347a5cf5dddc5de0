#include "analysis/SecurityEvaluator.h"

namespace verdaxil {

SecurityEvaluator::SecurityEvaluator() : table_(std::make_unique<DayTable>()) {}

IndicatorSummary SecurityEvaluator::load(const ReadOnlyFile& dayFile)
{
    ReadDayTable(dayFile, *table_);
    return summarize();
}

IndicatorSummary SecurityEvaluator::loadBytes(std::span<const char> bytes)
{
    DecodeDayTable(bytes, *table_);
    return summarize();
}

IndicatorSummary SecurityEvaluator::summarize()
{
    ComputeIndicators(*table_);
    return SummarizeIndicators(*table_);
}

SelectionStats SecurityEvaluator::selectionStats(std::int64_t horizon, std::int64_t fee) const
{
    return ComputeSelectionStats(*table_, table_->count, horizon, fee);
}

SecurityEvaluation SecurityEvaluator::evaluate(const ReadOnlyFile& dayFile, std::int64_t horizon, std::int64_t fee)
{
    const IndicatorSummary indicators = load(dayFile);
    return {indicators, selectionStats(horizon, fee)};
}

} // namespace verdaxil
