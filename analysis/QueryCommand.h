#pragma once

#include "analysis/Indicators.h"
#include "analysis/SelectionStats.h"
#include "quotes/Market.h"
#include "runtime/IntegerText.h"

#include <QString>

#include <optional>

namespace verdaxil {

// The texts a query reads, as typed: the code, the quote directory, the fee and the
// horizon.
struct QueryInputs {
    QString code;
    QString quoteDir;
    QString fee;
    QString horizon;
};

// What the message line says after a query.
enum class QueryMessage {
    NotACode,    // no exchange holds the code: the results are cleared
    Explanation, // the code's day file was found
    NoDayFile,   // it was found but cannot be opened
};

// What one query found, as values. A part it did not reach is empty, and the fields
// that would show it keep what they showed.
struct QueryFindings {
    QueryMessage message = QueryMessage::Explanation;
    Market market = Market::None;
    std::optional<IndicatorSummary> indicators{}; // the day file was read
    std::optional<SelectionStats> stats{};        // the horizon was a whole number
    // The horizon was not: it is told once the indicators are shown.
    std::optional<ConversionError> horizonError{};

    bool evaluated() const { return indicators.has_value(); }
};

// The query: finds the code's day file and evaluates it. A fee that is not a whole
// number throws ConversionError before anything is found.
QueryFindings runQuery(const QueryInputs& inputs);

} // namespace verdaxil
