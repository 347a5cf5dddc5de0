#pragma once

#include "analysis/BackTestDefaults.h"
#include "scan/DayFileListing.h"
#include "scan/ScanRow.h"
#include "scan/SignalCheck.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

namespace verdaxil {

struct ScanSettings {
    std::int64_t horizon = kDefaultHorizon;
    std::int64_t fee = kDefaultFee;
    std::int64_t costBp = 15;             // a round trip's cost, taken off every return
    int jobs = 1;                         // threads asked for; at most one a file, 4 a core and 256 run
    std::int32_t today = 0;               // YYYYMMDD: no later date is a trading day's
    std::optional<std::int32_t> asOf{};   // the list as of this day (YYYYMMDD); the latest when none
    std::optional<CheckSettings> check{}; // check the signal over every day too
};

struct ScanProgress {
    std::size_t done = 0;
    std::size_t total = 0;
};

struct ScanResult {
    // In the listing's order whatever the thread count; when stopped, the files done.
    // Each row is its security evaluated as of the day asked for.
    std::vector<ScanRow> rows;
    bool stopped = false;
    std::optional<std::int32_t> listDay;     // the latest plausible day of any row
    std::optional<std::int32_t> previousDay; // the list day before it
    std::optional<std::int32_t> latestDay;   // the market's latest day, whatever day was asked for
    std::optional<std::int32_t> firstDay;    // the first plausible day of any file, as far as read
    std::optional<SignalCheck> check;        // when asked for
    std::vector<CheckTrade> trades;          // the check's, when asked for: by row, day and kind
    // Of the securities that traded on the day before the list's, how many; and how many
    // of them have the list's day too.
    int tradedDayBefore = 0;
    int tradedBothDays = 0;
};

// Called on the scanning thread, at most every few tens of milliseconds and once at the end.
using ProgressCallback = std::function<void(ScanProgress)>;

// Evaluates every listed day file on settings.jobs threads, each reusing its own table
// and buffer. A file that cannot be read gives a row with an error and never ends the
// scan. Returns within a file's time of a stop being requested, with no thread left
// running. An exception in a worker (memory running out) stops the scan and is
// rethrown here.
ScanResult ScanDayFiles(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::stop_token stop,
                        const ProgressCallback& progress);

} // namespace verdaxil
