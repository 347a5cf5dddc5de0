#pragma once

#include "scan/ScanRow.h"

#include <QByteArray>
#include <QJsonObject>

#include <cstdint>
#include <optional>
#include <span>

namespace verdaxil {

// The rows as a CSV file: UTF-8 with a byte-order mark, so that spreadsheet programs
// read the Chinese column titles of its header.
QByteArray listCsv(std::span<const ScanRow* const> rows, std::int64_t horizon);

// The rows as a spreadsheet workbook of one sheet named by the list's day, with the
// CSV file's columns.
QByteArray listXlsx(std::span<const ScanRow* const> rows, std::optional<std::int32_t> day, std::int64_t horizon);

// {"day", "horizon", "fee", "scanned", "rows": [...]}, each row holding every column
// by its key; "error" only on a row whose file could not be read.
QJsonObject listJson(std::span<const ScanRow* const> rows, std::optional<std::int32_t> day, std::int64_t horizon,
                     std::int64_t fee, std::size_t scanned);

} // namespace verdaxil
