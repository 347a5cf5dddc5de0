#pragma once

#include "analysis/QueryWindow.h"

namespace verdaxil {

enum class QueryResult {
    NoDayFile, // the code names no day file, or its day file cannot be opened
    Evaluated,
};

// The query: reads the code, the quote directory and the fee from the window, finds
// the security's day file and writes every result back into the window. A fee or
// horizon text that is not an integer throws ConversionError where it is read;
// whatever was written before stays.
QueryResult runQuery(QueryWindow& window);

} // namespace verdaxil
