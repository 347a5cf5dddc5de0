#pragma once

#include "analysis/QueryCommand.h"
#include "app/QueryWindow.h"

namespace verdaxil {

// Shows what a query found: its texts, and its recommendation on the two radio
// buttons. A horizon that was no whole number is thrown once the indicators are shown,
// so that they stay beside the error box.
void ShowFindings(QueryWindow& window, const QueryFindings& found);

// The OK button's command: reads the query's inputs from the window, runs the query
// and shows what it found. True when the day file was read.
bool runQueryCommand(QueryWindow& window);

} // namespace verdaxil
