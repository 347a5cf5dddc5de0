#pragma once

#include "scan/ScanRow.h"

#include <QStringList>

#include <optional>
#include <span>

namespace verdaxil {

// What a list's summary counts over every row of a scan, whatever a list shows of them;
// the window's status line and verdaxil-scan's line on standard error tell the same.
struct ListCounts {
    int recommended = 0; // on the day's list, of every class
    int isNew = 0;       // of those, not on the list of the day before
    int stale = 0;       // suspended, delisted or not updated
    int unreadable = 0;  // files without a day to evaluate
};

ListCounts CountList(std::span<const ScanRow> rows, std::optional<std::int32_t> listDay);

// How the rows shown of a past day's list did since: how many tell it, and how many of
// those rose.
struct SinceCounts {
    int known = 0;
    int rose = 0;

    // The share that rose, in whole percent, truncated; none when no row tells.
    std::optional<int> risingPercent() const;
};

SinceCounts CountSince(std::span<const ScanRow* const> shown);

// "上海 600000：<why>" for each file that could not be evaluated, in the rows' order.
QStringList unreadableFiles(std::span<const ScanRow> rows);

} // namespace verdaxil
