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

// How a security stands against the list's day.
enum class RowState {
    Current,         // its latest day is the list's day
    Stale,           // its latest day is before the list's: suspended, delisted or not updated
    ImplausibleDate, // its latest date is no date a trading day can carry
    NoDays,          // its file holds no day, or could not be read
};

// One security of the market scan.
struct ScanRow {
    Market market = Market::None;
    QString code;
    QString name; // from the name list; empty when unknown
    SecurityClass securityClass = SecurityClass::Other;
    QByteArray localPath; // the day file this row was read from
    // None when the day file could not be read; `error` says why.
    std::optional<SecurityEvaluation> evaluation;
    QString error;
    RowState state = RowState::NoDays; // set by AssignListDay
    // Whether it is on the list of its day but was not on the list of the day before;
    // none when it is not on the list or there is no day before.
    std::optional<bool> isNew{};
    // How it did from the day after a past list day to the market's latest day, in
    // basis points net of the fee; none unless its latest day is the list's day and the
    // list's day is past.
    std::optional<std::int64_t> sinceBp{};
    // Whether a suspected ex-rights day lies within that time; none where sinceBp is.
    std::optional<bool> sinceExRights{};
    // The latest suspected ex-rights day among its last 60 kept days as of the list's
    // day: its averages span it.
    std::optional<std::int32_t> exRightsDay{};
};

// The list's day: the latest plausible date of any row, `today` being the last one
// possible; none when no row has one. Sets every row's state against it.
std::optional<std::int32_t> AssignListDay(std::span<ScanRow> rows, std::int32_t today);

// The evening check of the terminal's data: a sentence when the list's day is older
// than the last weekday before today, so that yesterday's list does not pass for
// today's; none otherwise.
std::optional<QString> oldDataWarning(std::optional<std::int32_t> listDay, std::int32_t today);

// Whether the row belongs to the day's list: its latest date is the list's day and
// its signal recommends it.
bool IsOnDaysList(const ScanRow& row, std::optional<std::int32_t> listDay);

} // namespace verdaxil
