#pragma once

#include <QString>

namespace verdaxil {

inline constexpr int kMinDemoDays = 100;   // room for the 60-day average and the longest suspension
inline constexpr int kMaxDemoDays = 10000; // some forty years of trading from 2014

// Writes a quote directory in the terminal's layout below `localDir`: the day files
// of demoListings(securities), histories of `days` trading days that end on the same
// day except for the suspended and defective files, the two exchange table files
// listing each exchange's codes, and at the top kDemoNameListFile, the name list a user
// would export. The same arguments write the same bytes.
// Throws std::invalid_argument for a count or length out of range and
// std::runtime_error when a file cannot be written.
void writeDemoMarket(const QString& localDir, int securities, int days);

} // namespace verdaxil
