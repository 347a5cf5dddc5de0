#include "analysis/QueryCommand.h"

#include "analysis/Fee.h"
#include "analysis/SecurityEvaluator.h"
#include "runtime/FileSystem.h"

namespace verdaxil {

QueryFindings runQuery(const QueryInputs& inputs)
{
    const int fee = feeFromText(inputs.fee);
    QueryFindings found;
    found.market = ResolveMarket(inputs.code, inputs.quoteDir);
    if (found.market == Market::None) {
        found.message = QueryMessage::NotACode;
        return found;
    }
    const auto dayFile = ReadOnlyFile::open(dayFilePath(inputs.quoteDir, found.market, inputs.code));
    if (!dayFile) {
        found.message = QueryMessage::NoDayFile;
        return found;
    }

    // Mapping a fresh table for every query costs many times the reading of the file;
    // a reused table gives what a fresh one gives.
    thread_local SecurityEvaluator evaluator;
    found.indicators = evaluator.load(*dayFile);
    try {
        found.stats = evaluator.selectionStats(textToInt(inputs.horizon), fee);
    } catch (const ConversionError& error) {
        found.horizonError = error;
    }
    return found;
}

} // namespace verdaxil
