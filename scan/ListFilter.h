#pragma once

#include "scan/ListColumns.h"
#include "scan/ScanRow.h"
#include "scan/SecurityClass.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace verdaxil {

// Which rows of a scan a list shows: the window's filters, and verdaxil-scan's.
struct ListFilter {
    bool daysListOnly = true;
    std::optional<SecurityClass> securityClass = SecurityClass::AShare; // none: every class
    std::optional<Board> board;                                         // none: every board
    bool hideSpecialTreatment = false;                                  // ST, *ST and delisting names
};

bool showsRow(const ListFilter& filter, const ScanRow& row, std::optional<std::int32_t> listDay);

// The order of a list sorted by one column, from the highest when `descending`: by
// the cells' values (dates as dates, 状态 grouped by state), empty cells last, equal
// cells by their selection points, more first.
bool sortsBefore(const ScanRow& left, const ScanRow& right, ListColumn column, bool descending);

// The column whose JSON key is `key`; none for no column.
std::optional<ListColumn> columnWithKey(const QString& key);

} // namespace verdaxil
