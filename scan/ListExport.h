#pragma once

#include "analysis/BackTestDefaults.h"
#include "scan/ScanRow.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <span>

namespace verdaxil {

// What a list file says of the list besides its rows.
struct ListHeader {
    std::optional<std::int32_t> day;         // the list's day
    std::optional<std::int32_t> asOf;        // the day asked for
    std::optional<std::int32_t> previousDay; // the list day before the list's
    std::int64_t horizon = kDefaultHorizon;
    std::int64_t fee = kDefaultFee;
    std::size_t scanned = 0;
    std::int64_t costBp = 15; // taken off how it did since
};

// The rows as a CSV file, with the list window's columns.
QByteArray listCsv(std::span<const ScanRow* const> rows, const ListHeader& header);

// The rows as a spreadsheet workbook of one sheet named by the list's day, with the
// CSV file's columns.
QByteArray listXlsx(std::span<const ScanRow* const> rows, const ListHeader& header);

// {"day", "as_of", "previous_day", "horizon", "fee", "cost_bp", "scanned", "rows": [...]},
// each row holding every column by its key, "stale", "ex_rights_day" and
// "since_ex_rights"; "error" only on a row whose file could not be read. Written as
// a QJsonDocument writes it, indented.
QByteArray listJson(std::span<const ScanRow* const> rows, const ListHeader& header);

} // namespace verdaxil
