#pragma once

#include "scan/MarketScan.h"

#include <QStringList>

#include <cstdint>

namespace verdaxil {

// The evening check of the terminal's data, in sentences for the user; none when the
// data look whole and current.
// - Old data: the market's latest day is older than the last weekday before today,
//   whatever day's list was asked for, so that yesterday's list does not pass for today's.
// - An unfinished download: fewer than half of the securities that traded on the day
//   before the list's day have the list's day.
QStringList DataCheckWarnings(const ScanResult& result, std::int32_t today);

// Whether the list's day looks half downloaded, so that the list of the day before is
// the one to read.
bool looksUnfinished(const ScanResult& result);

} // namespace verdaxil
