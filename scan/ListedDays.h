#pragma once

#include "analysis/EvaluatedDays.h"
#include "analysis/SecurityEvaluator.h"
#include "scan/ScanRow.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace verdaxil {

// A listed security's days as its file holds them now, with their indicators, and
// which of them are suspected ex-rights days.
struct ListedDays {
    EvaluatedDays days;                    // valid until the reader reads again
    std::vector<std::size_t> exRightsRows; // ascending
};

// Reads a list's securities again, one at a time, for a chart: the scan keeps no table
// of any security.
class ListedDaysReader {
public:
    // None when the row has no evaluation or its file cannot be opened now.
    std::optional<ListedDays> read(const ScanRow& row, std::int32_t today);

private:
    SecurityEvaluator evaluator_;
};

} // namespace verdaxil
