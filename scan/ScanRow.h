#pragma once

#include "analysis/SecurityEvaluator.h"
#include "quotes/Market.h"
#include "scan/SecurityClass.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

namespace verdaxil {

// One security of the market scan.
struct ScanRow {
    Market market = Market::None;
    QString code;
    SecurityClass securityClass = SecurityClass::Other;
    QByteArray localPath; // the day file this row was read from
    // None when the day file could not be read; `error` says why.
    std::optional<SecurityEvaluation> evaluation;
    QString error;
};

// The list's day: the latest date of any row; none when no row has a date.
std::optional<std::int32_t> ListDay(std::span<const ScanRow> rows);

// Whether the row belongs to the day's list: its latest date is the list's day and
// its signal recommends it.
bool IsOnDaysList(const ScanRow& row, std::optional<std::int32_t> listDay);

} // namespace verdaxil
