#include "analysis/SecurityEvaluator.h"

#include "analysis/IndicatorColumns.h"
#include "quotes/DayColumns.h"
#include "quotes/DayFileReader.h"

namespace verdaxil {

SecurityEvaluator::SecurityEvaluator(InstructionSet set)
    : set_(set),
      block_(std::make_unique<DayRecordBlock>()),
      columns_(std::make_unique<DayColumns>()),
      indicators_(std::make_unique<IndicatorColumns>())
{}

SecurityEvaluator::~SecurityEvaluator() = default;

IndicatorSummary SecurityEvaluator::load(const ReadOnlyFile& dayFile)
{
    recordsRead_ = ReadDayRecords(dayFile, *block_);
    return loadBytes(recordsRead_);
}

IndicatorSummary SecurityEvaluator::loadBytes(std::span<const char> bytes)
{
    columns_->decode(bytes, set_);
    indicators_->compute(columns_->amount(), columns_->volume(), set_);
    return SummarizeIndicators(days(), columns_->facts());
}

SelectionStats SecurityEvaluator::selectionStats(std::int64_t horizon, std::int64_t fee) const
{
    return ComputeSelectionStats(days(), horizon, fee, set_);
}

SecurityEvaluation SecurityEvaluator::evaluate(const ReadOnlyFile& dayFile, std::int64_t horizon, std::int64_t fee)
{
    const IndicatorSummary indicators = load(dayFile);
    return {indicators, selectionStats(horizon, fee)};
}

const DecodedFacts& SecurityEvaluator::decoded() const
{
    return columns_->facts();
}

EvaluatedDays SecurityEvaluator::days() const
{
    return {columns_->date(),        columns_->high(),    columns_->low(),     columns_->close(),
            indicators_->avgPrice(), indicators_->ma10(), indicators_->ma60(), columns_->volume()};
}

const DayTable& SecurityEvaluator::table()
{
    if (!table_)
        table_ = std::make_unique<DayTable>();
    const EvaluatedDays evaluated = days();
    const std::span<const std::int32_t> amount = columns_->amount();
    const std::span<const std::int32_t> volume = columns_->volume();
    for (std::size_t row = 0; row < table_->rows.size(); ++row) {
        DayTable::Row& cells = table_->rows[row];
        cells.fill(DayTable::kFill);
        if (row >= evaluated.date.size())
            continue;
        cells[Column::Date] = evaluated.date[row];
        cells[Column::High] = evaluated.high[row];
        cells[Column::Low] = evaluated.low[row];
        cells[Column::Close] = evaluated.close[row];
        cells[Column::Amount] = amount[row];
        cells[Column::Volume] = volume[row];
        cells[Column::AvgPrice] = evaluated.avgPrice[row];
        cells[Column::Ma60] = evaluated.ma60[row];
        cells[Column::Ma10] = evaluated.ma10[row];
    }
    table_->count = evaluated.count();
    return *table_;
}

} // namespace verdaxil
