#pragma once

#include "app/QueryWindow.h"

namespace verdaxil {

// Clear: puts every result field and the message line back to its placeholder text
// and disables and unchecks both radio buttons. Inputs are left alone.
void clearResults(QueryWindow& window);

// The recommendation as Clear leaves it: both radio buttons disabled and unchecked.
void resetRecommendation(QueryWindow& window);

} // namespace verdaxil
