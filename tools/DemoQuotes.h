#pragma once

#include "quotes/DayRecord.h"

#include <QString>

#include <span>
#include <vector>

namespace verdaxil {

struct DemoSecurity {
    const char* code;
    bool shanghai;
    int startPrice; // thousandths of a yuan
    int dailyLots;  // typical volume in lots of 100 shares
    unsigned seed;
};

inline constexpr int kDemoDays = 3000; // length of the demo quote directory's histories

// The securities of the demo quote directory.
const std::vector<DemoSecurity>& demoSecurities();

// A deterministic synthetic history of `days` trading days: prices in thousandths of
// a yuan, amount in thousands of yuan, volume in lots, so that
// amount * 1000 / volume * 10 lands between the day's low and high.
std::vector<DayRecord> demoHistory(const DemoSecurity& security, int days);

// The same history of marketTrend.size() days with a market-wide daily return,
// marketTrend[i] on day i, added to the security's own trend.
std::vector<DayRecord> demoHistory(const DemoSecurity& security, std::span<const double> marketTrend);

// Writes a quote directory in the terminal's layout below `localDir`: the day files of
// the demo securities, kDemoDays long, and the two exchange table files.
void writeDemoQuoteDir(const QString& localDir);

} // namespace verdaxil
