#pragma once

#include "analysis/QueryWindow.h"

namespace verdaxil {

// The query: reads the code, the quote directory and the fee from the window, finds
// the security's day file and writes every result back into the window. A fee or
// horizon text that is not an integer throws ConversionError where it is read;
// whatever was written before stays.
void runQuery(QueryWindow& window);

} // namespace verdaxil
